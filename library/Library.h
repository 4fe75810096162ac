#pragma once

#include <library/ModelLibrary.h>
#include <library/ModelSave.h>

#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The part of the library a change touched.
enum class LibraryPart { Hinges, LockCores, Doors, Tools };

// What changed in the library, as its listeners are told.
struct LibraryChange {
    enum class Kind {
        Reloaded, // every list was read anew from the folder
        Added,    // a model was put into the part's list at row (the tail for a new one)
        Replaced, // the model at row of the part's list took new content
        Removed,  // the model named name was taken out of the part's list at row
        Renamed,  // the model at row, named name before, has a new name
    };
    Kind kind = Kind::Reloaded;
    LibraryPart part = LibraryPart::Hinges; // of all but Reloaded
    std::size_t row = 0;                    // of all but Reloaded
    std::string name;                       // GBK, of Removed and Renamed

    // Whether the part's list may differ from what it was before.
    bool touches(LibraryPart p) const { return kind == Kind::Reloaded || part == p; }
};

// What an operation on the library's files came to.
struct LibraryOutcome {
    enum class Problem {
        None,
        NoModel,     // no model at the row, or none of the name
        InUse,       // doors use the model; doors names them
        NameTaken,   // another model of the part has the new name
        BadName,     // the new name cannot be a model's name; nameProblem says why
        SaveFailed,  // a file was not written; saved says why
        MoveFailed,  // a file was not moved or removed; path and error say which and why
        TargetTaken, // a file is where a moved file would go back to; path names it
    };
    Problem problem = Problem::None;
    std::vector<std::string> doors; // GBK
    ModelNameProblem nameProblem = ModelNameProblem::None;
    SaveResult saved;
    std::string path; // UTF-8
    int error = 0;

    explicit operator bool() const { return problem == Problem::None; }
};

// One operation of this run that undo can take back, as the user sees it.
struct LibraryStep {
    enum class Kind { Added, Replaced, Removed, Renamed };
    Kind kind = Kind::Added;
    LibraryPart part = LibraryPart::Hinges;
    std::string name;    // GBK: the model's name (before a rename)
    std::string newName; // GBK: of Renamed
};

// The file steps of a rename, in the order they must run: every new file is
// written before an old one goes, so that stopping after any step leaves the
// model on disk under its old name, its new one or both, never neither, and
// every door names one of them. Empty when refused says why.
struct RenamePlan {
    std::vector<std::function<LibraryOutcome()>> steps;
    LibraryOutcome refused;
};

// The library as the program's document: it owns the library's folder, the
// four lists with their name indexes, and the record of what it last read
// or wrote of each file. Everything that changes the lists goes through it,
// and it tells its listeners what changed once the change is complete. The
// models are shared (GU_SharedList): whatever still refers to a model that
// the library let go of keeps it alive, and follows the change signal to the
// models now in the library.
class Library {
public:
    using Listener = std::function<void(const LibraryChange&)>;

    // A listener's place; disconnects it when destroyed.
    class Connection {
    public:
        Connection() = default;
        Connection(Connection&& other) noexcept;
        Connection& operator=(Connection&& other) noexcept;
        ~Connection();
        void disconnect();

    private:
        friend class Library;
        Connection(std::weak_ptr<std::list<Listener>> listeners, std::list<Listener>::iterator at);
        std::weak_ptr<std::list<Listener>> m_listeners;
        std::list<Listener>::iterator m_at;
    };

    // The library in folder (created by nobody here: a missing folder reads
    // as an empty library). Empty until reload() reads it.
    explicit Library(std::string folder);
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    const std::string& folder() const { return m_folder; }
    const ModelLibrary& models() const { return m_models; }

    // What a save of a library file needs: the folder, and the record of the
    // files that the save checks and brings up to date.
    SaveContext saveContext(OnDiskChange onChange = OnDiskChange::Refuse);

    // Reads the whole library from the folder, as at start-up: removes what
    // cut-short saves left, then the hinges, lock cores, doors (bound to the
    // models just read) and tools. Models read again keep the rows they had,
    // so that a row keeps its number; models new on disk follow, in the
    // order of their file names (the order of a first read). The models read before stay alive until
    // the listeners were told (Reloaded), so nothing they hold dangles while
    // they catch up.
    void reload();
    // Reads the tool table again (a save found it changed by another
    // program); announced as a replacement of the whole tool list.
    void reloadTools();

    // Puts a copy of the model into its list: a model of the same name
    // (without regard to letter case) takes the new content in its place, so
    // that whatever shares it sees it; otherwise the copy is appended.
    void putHinges(const GK_Hinges& model);
    void putLockCore(const GK_LockCore& model);
    // Puts the door into the door list, in place of a door of the same name
    // or at the tail.
    void putDoor(std::unique_ptr<GK_DoorWithHinges> door);
    // The tool list becomes a copy of tools.
    void setTools(const GU_OwnedList<KnifeInfo>& tools);

    // Moves the model's file into the folder of deleted files ("已删除/"
    // beside the model folders, the time in its name) and takes the model
    // out of its list. A hinge or lock core that doors use stays.
    LibraryOutcome removeModel(LibraryPart part, std::size_t row);
    // Gives the model a new name: its file and every door file that names it
    // are written anew (RenamePlan), the list keeps its row.
    LibraryOutcome renameModel(LibraryPart part, std::size_t row, const std::string& gbkNewName);
    RenamePlan planRename(LibraryPart part, std::size_t row, const std::string& gbkNewName);
    // The doors whose hinge or lock-core model is the one at row.
    std::vector<std::string> doorsUsing(LibraryPart part, std::size_t row) const;
    // The model at the row of the part's list; null past its end and for tools.
    const GK_NamedObject* modelAt(LibraryPart part, std::size_t row) const;
    // The row of the first model of the part whose name equals the name
    // without regard to letter case.
    std::optional<std::size_t> rowOf(LibraryPart part, const std::string& name) const;

    // The operations of this run that undo takes back, the last one first:
    // putting a model (a new one is deleted again, a replaced one gets its
    // content back), deleting, renaming and setting the tools (written back).
    const LibraryStep* lastStep() const;
    LibraryOutcome undo();
    // Makes the operations recorded since the mark one operation for undo.
    std::size_t historyMark() const { return m_history.size(); }
    void joinHistorySince(std::size_t mark);

    // Calls listener after every change, until the connection goes.
    [[nodiscard]] Connection onChanged(Listener listener);

private:
    struct HistoryEntry {
        LibraryStep step;
        // Undoes, newest part first; a failure stops there.
        std::vector<std::function<LibraryOutcome()>> undo;
    };

    template <typename Part>
    void put(const typename Part::Model& model);
    // The operations for one model part (LibraryParts.h); each is used only
    // in the source that defines it.
    template <typename Part>
    LibraryOutcome removeFrom(std::size_t row);
    template <typename Part>
    RenamePlan planRenameIn(std::size_t row, const std::string& newName);
    template <typename Part>
    void renameInMemory(std::size_t row, const std::string& newName);
    template <typename Part>
    LibraryOutcome putBackIn(std::shared_ptr<typename Part::Model> old);
    template <typename Part>
    LibraryOutcome restoreIn(std::size_t row, const std::string& from, const std::string& to);
    // Brings a deleted model's file back from where it was moved to, and the
    // model into its list at row.
    LibraryOutcome restoreDeleted(LibraryPart part, std::size_t row, const std::string& from, const std::string& to);
    // Writes the content a model had before it was replaced and puts it back.
    LibraryOutcome putBack(LibraryPart part, std::shared_ptr<GK_Object> old);
    // Records the put of the model of the name: new (old null) or replacing old.
    void recordPut(LibraryPart part, const std::string& name, std::shared_ptr<GK_Object> old);
    void record(LibraryStep step, std::function<LibraryOutcome()> undo);
    // The name indexes are built again at the next lookup: an entry was
    // taken out, renamed or moved.
    void forgetNames() const;
    void announce(const LibraryChange& change);

    std::string m_folder;
    ModelLibrary m_models;
    std::vector<HistoryEntry> m_history;
    bool m_undoing = false; // what undo does is not recorded
    std::shared_ptr<std::list<Listener>> m_listeners = std::make_shared<std::list<Listener>>();
};

// A copy of every tool of the list, in its order.
GU_OwnedList<KnifeInfo> CopyTools(const GU_OwnedList<KnifeInfo>& tools);
