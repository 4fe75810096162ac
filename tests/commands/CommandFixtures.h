#pragma once

#include "DialogDriving.h"
#include "RecordingFileDialogs.h"
#include "RecordingMessageBoxes.h"
#include "TestLibrary.h"

#include <importer/CadImporter.h>
#include <commands/CommandHost.h>
#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/Library.h>
#include <library/NameLookup.h>
#include <library/LockCoreFile.h>
#include <kernel/GK_Object.h>
#include <commands/ModelCommands.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

// Stands in for the CAD importer: hands out the model prepared for the next
// import, and records what it was asked.
class StandInImporter : public CadImporter {
public:
    int import_hinges_from_cad_file(const std::string& path, ImportProgress&) override
    {
        imported.push_back(path);
        m_hinges = std::move(nextHinges);
        return m_hinges ? 0 : 1;
    }
    int import_lockcore_from_cad_file(const std::string& path, ImportProgress&) override
    {
        imported.push_back(path);
        m_lockCore = std::move(nextLockCore);
        return m_lockCore ? 0 : 1;
    }
    GK_Hinges* get_hinges_model() const override { return m_hinges.get(); }
    GK_LockCore* get_lockcore_model() const override { return m_lockCore.get(); }
    void clear_all_model() override
    {
        ++clears;
        m_hinges.reset();
        m_lockCore.reset();
    }
    const ImportReport& report() const override { return nextReport; }

    std::unique_ptr<GK_Hinges> nextHinges;
    std::unique_ptr<GK_LockCore> nextLockCore;
    ImportReport nextReport;
    std::vector<std::string> imported;
    int clears = 0;

private:
    std::unique_ptr<GK_Hinges> m_hinges;
    std::unique_ptr<GK_LockCore> m_lockCore;
};

// A library of the scratch folder with helpers to put small models into it,
// as the program would.
class TestDocument {
public:
    explicit TestDocument(const std::string& folder) : document(folder) {}

    GK_Hinges* addHinges(const std::string& name, double side = 10.0)
    {
        auto model = api_gk_make_hinges(TestLibrary::square(side));
        model->SetName(name);
        document.putHinges(*model);
        return FindHingesByName(library, name);
    }
    GK_LockCore* addLockCore(const std::string& name, double side = 10.0)
    {
        auto model = api_gk_make_lockcore(TestLibrary::square(side), TestLibrary::square(side / 2));
        model->SetName(name);
        document.putLockCore(*model);
        return FindLockCoreByName(library, name);
    }
    KnifeInfo* addKnife(int id, double diameter, int type = 0)
    {
        GU_OwnedList<KnifeInfo> tools = CopyTools(library.knives);
        auto knife = std::make_unique<KnifeInfo>();
        knife->ID = id;
        knife->Diameter = diameter;
        knife->Type = type;
        tools.add_tail(std::move(knife));
        document.setTools(tools);
        return library.knives[library.knives.count() - 1];
    }

    // The parts of a small door the machining commands can program: hinge
    // model "H" with one 5 mm hole, lock core "L" with a through hole, and
    // the four tools they need (tool 4 finishes the recess's square corners).
    // Returns the door, 2000 x 900 x 40 with hinges at 300 and 1700 and the
    // lock core at 1000, for the caller to place.
    std::unique_ptr<GK_DoorWithHinges> addMachinableDoor(const std::string& name)
    {
        addHinges("H", 30)->AddHoleToList(api_gk_make_circle_hole({15, 15, 0}, 5, 12).release());
        addLockCore("L", 40)->GetSideList().add_tail(api_gk_make_circle_hole({10, 10, 0}, 8, 0));
        for (const auto& [id, diameter, type] :
             {std::tuple{1, 5.0, 1}, std::tuple{2, 8.0, 1}, std::tuple{3, 6.0, 2}, std::tuple{4, 2.0, 2}})
            addKnife(id, diameter, type)->Vel = 3000;
        auto door = api_gk_make_door_with_hinges(name, "", 2000, 900, 40);
        door->SetHingesModel(ShareHingesByName(library, "H"));
        door->SetLockCoreModel(ShareLockCoreByName(library, "L"));
        door->SetHingesPos({300, 0, 0});
        door->SetHingesPos({1700, 0, 0});
        door->SetLockCorePos({1000, 0, 0});
        return door;
    }

    Library document;
    const ModelLibrary& library = document.models();
};

// The program around the commands: a library whose changes are counted as
// the panes would follow them, a drawing made of objects chained by hand,
// the NC record and the status bar.
class FakeHost : public CommandHost {
public:
    Library* library() override { return withMainWindow ? libraryInUse : nullptr; }
    std::string libraryFolder() override { return folder; }
    // Counts the library's changes from now on, as the panes would follow them.
    void follow(Library& library)
    {
        libraryInUse = &library;
        m_followed = library.onChanged([this](const LibraryChange& change) {
            if (change.kind == LibraryChange::Kind::Reloaded) {
                ++reloads;
                return;
            }
            hingeRefills += change.part == LibraryPart::Hinges;
            lockCoreRefills += change.part == LibraryPart::LockCores;
            doorRefills += change.part == LibraryPart::Doors;
        });
    }
    GK_Object* firstDrawingObject() override { return drawing.empty() ? nullptr : drawing.front().get(); }
    void recordNcDoor(GK_Object* door) override { ncDoors.push_back(door); }
    void showStatus(const QString& text) override { status = text; }
    std::optional<LibraryRow> chosenRow() override { return chosen; }
    void showMachiningPreview(MachiningPreview shown) override { preview = std::move(shown); }
    void hideMachiningPreview() override { preview = {}; }
    QWidget* showImportPreview(const ImportPicture& picture, ImportPreviewInput input) override
    {
        importPicture = picture;
        importInput = std::move(input);
        ++importPreviews;
        return nullptr;
    }
    void hideImportPreview() override { importPicture.reset(); }

    // Appends an object to the drawing, linked behind the last one.
    GK_Object* draw(std::unique_ptr<GK_Object, GK_ObjectDeleter> object, bool visible = true)
    {
        object->visible = visible ? 1 : 0;
        if (!drawing.empty())
            drawing.back()->next = object.get();
        drawing.push_back(std::move(object));
        return drawing.back().get();
    }

    std::string folder; // of the library files, also without a main window
    Library* libraryInUse = nullptr;
    bool withMainWindow = true;
    std::optional<LibraryRow> chosen;
    int hingeRefills = 0;
    int lockCoreRefills = 0;
    int doorRefills = 0;
    int reloads = 0;
    QString status;
    MachiningPreview preview;
    std::optional<ImportPicture> importPicture; // shown until hidden
    ImportPreviewInput importInput;
    int importPreviews = 0;
    std::vector<GK_Object*> ncDoors;
    std::vector<std::unique_ptr<GK_Object, GK_ObjectDeleter>> drawing;

private:
    Library::Connection m_followed;
};

// A scratch library folder with its three model folders, its library, and
// the commands wired to stand-ins.
class CommandTest : public ::testing::Test {
protected:
    CommandTest()
    {
        for (const char* sub : {"Hinges", "Lockcores", "DoorModel"})
            QDir(temp.path()).mkdir(QLatin1String(sub));
        host.folder = lib.document.folder();
        host.follow(lib.document);
    }

    QString libraryFile(const QString& relative) const { return temp.filePath(relative); }
    // The names of the files in a folder of the scratch library.
    QStringList filesIn(const QString& folder) const { return QDir(temp.filePath(folder)).entryList(QDir::Files); }
    QString cadPath() const { return temp.filePath(QStringLiteral("drawing.dxf")); }

    QTemporaryDir temp;
    TestDocument lib{temp.path().toStdString()};
    FakeHost host;
    StandInImporter importer;
    RecordingFileDialogs files;
    RecordingMessageBoxes messages;
    ModelCommands commands{host, importer, files, messages};
};

// Fills the model information dialog and presses OK.
inline void NameModel(const QString& name, const QString& comments, const QString& thickness)
{
    WhenModalShown([=](QWidget* dialog) {
        Type(dialog, "name", name);
        Type(dialog, "comments", comments);
        Type(dialog, "thickness", thickness);
        Click(dialog, "ok");
    });
}
