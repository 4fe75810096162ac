#pragma once

#include <library/ModelLibrary.h>
#include <library/ModelSave.h>

#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <string>

// The part of the library a change touched.
enum class LibraryPart { Hinges, LockCores, Doors, Tools };

// What changed in the library, as its listeners are told.
struct LibraryChange {
    enum class Kind {
        Reloaded, // every list was read anew from the folder
        Added,    // a model was appended to the part's list, at row
        Replaced, // the model at row of the part's list took new content
    };
    Kind kind = Kind::Reloaded;
    LibraryPart part = LibraryPart::Hinges; // of Added and Replaced
    std::size_t row = 0;                    // of Added and Replaced

    // Whether the part's list may differ from what it was before.
    bool touches(LibraryPart p) const { return kind == Kind::Reloaded || part == p; }
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
    // models just read) and tools. The models read before stay alive until
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

    // Calls listener after every change, until the connection goes.
    [[nodiscard]] Connection onChanged(Listener listener);

private:
    template <typename Model>
    void put(GU_SharedList<Model>& list, const Model& model, LibraryPart part);
    void announce(const LibraryChange& change);

    std::string m_folder;
    ModelLibrary m_models;
    std::shared_ptr<std::list<Listener>> m_listeners = std::make_shared<std::list<Listener>>();
};

// A copy of every tool of the list, in its order.
GU_OwnedList<KnifeInfo> CopyTools(const GU_OwnedList<KnifeInfo>& tools);
