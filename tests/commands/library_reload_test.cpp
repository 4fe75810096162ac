// A door shown in the drawing while the library is read again: by "刷新", or
// because a save found a file changed by another program and the user chose
// "重新读取". The drawn door then shows and machines the models now in the
// library under its models' names, and says so when one of them is gone.
// Run under AddressSanitizer, a door still pointing at the models of before
// fails here.
#include "AppFixture.h"
#include "CommandFixtures.h"
#include "SampleModels.h"

#include <app/CommandIds.h>
#include <app/FrameCommandHost.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>
#include <commands/MachiningCommands.h>
#include <dialogs/UserMessages.h>
#include <library/HingesFile.h>
#include <library/NameLookup.h>

#include <QAction>
#include <QFile>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

enum class ReloadBy { Refresh, SaveConflict };

class LibraryReload : public AppFixture, public ::testing::WithParamInterface<ReloadBy> {
protected:
    void SetUp() override
    {
        makeFolders();
        SampleModels::writeLibrary(libraryFolder());
        SampleModels::writeMachiningTools(libraryFolder());
        // The question about the recess's square corners goes on to write.
        messages.defaultAnswer = true;
        f = start();
        host.emplace(*f);
        emit f->doorPane()->grid().leftButtonDoubleClicked(f->library().models().doors[0]);
        ASSERT_NE(drawnDoor(), nullptr);
    }

    const GK_DoorWithHinges* drawnDoor() const
    {
        for (GK_Object* o = f->activeView()->operation().drawing().list().first(); o; o = o->next)
            if (o->type() == GK_TYPE_DOOR && o->visible)
                return static_cast<const GK_DoorWithHinges*>(o);
        return nullptr;
    }

    // Another program writes hinge "H1" anew, 120 wide.
    void rewriteH1Elsewhere() const
    {
        ASSERT_TRUE(SaveHingesFile(SampleModels::hinge("H1", 120, 24).get(), SaveContext{libraryFolder()}));
    }

    void reload(ReloadBy by)
    {
        if (by == ReloadBy::Refresh) {
            f->action(ID_VIEW_REFRESH)->trigger();
            return;
        }
        // An import of "H1" meets the other program's file and reads the
        // library again instead of overwriting it.
        files.paths.push_back(libraryPath(QStringLiteral("drawing.dxf")));
        importer.nextHinges = SampleModels::hinge("H1", 60, 24);
        messages.answers.push_back(true);   // replace the listed "H1"
        messages.choices.push_back(1);      // "重新读取"
        WhenDialogShown("CDlgImportHinges", [](QWidget* dialog) {
            Type(dialog, "name", QStringLiteral("H1"));
            Type(dialog, "thickness", QStringLiteral("1"));
            Click(dialog, "ok");
        });
        ModelCommands(*host, importer, files, messages).OnImportHinges();
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(messages.shown[1].kind, RecordingMessageBoxes::Kind::Choice);
        messages.shown.clear();
    }

    // Writes both programs of the drawn door; the warnings said on the way.
    QStringList writePrograms()
    {
        MachiningCommands machining(*host, files, messages);
        files.paths = {libraryPath(QStringLiteral("hinges.NC"))};
        machining.OnHingesProgram();
        files.paths = {libraryPath(QStringLiteral("lock.NC"))};
        machining.OnLockProgram();
        QStringList warnings;
        for (const auto& shown : messages.shown)
            if (shown.kind == RecordingMessageBoxes::Kind::Warning)
                warnings << shown.text;
        return warnings;
    }

    CMainFrame* f = nullptr;
    std::optional<FrameCommandHost> host;
    StandInImporter importer;
    RecordingFileDialogs files;
    RecordingMessageBoxes messages;
};

TEST_P(LibraryReload, TheShownDoorMachinesTheModelsNowInTheLibrary)
{
    rewriteH1Elsewhere();
    reload(GetParam());

    const GK_DoorWithHinges* door = drawnDoor();
    ASSERT_NE(door, nullptr);
    const ModelLibrary& models = f->library().models();
    EXPECT_EQ(door->GetHingesModel(), FindHingesByName(models, "H1"));
    EXPECT_EQ(door->GetLockCoreModel(), FindLockCoreByName(models, "L1"));
    EXPECT_EQ(door->GetHingesModel()->GetLoopOut().vertex(1).x, 120.0) << "the other program's hinge";
    EXPECT_EQ(f->hingesPane()->grid().RowCount(), 2);

    EXPECT_EQ(writePrograms(), QStringList());
    EXPECT_TRUE(QFile::exists(libraryPath(QStringLiteral("hinges.NC"))));
    EXPECT_TRUE(QFile::exists(libraryPath(QStringLiteral("lock.NC"))));
}

INSTANTIATE_TEST_SUITE_P(ByRefreshAndBySaveConflict, LibraryReload,
                         ::testing::Values(ReloadBy::Refresh, ReloadBy::SaveConflict));

// The hinge file went: the door keeps its lock core, the status bar says the
// hinge is gone, and the hinge program is refused as for a door without one.
TEST_F(LibraryReload, AModelGoneFromTheLibraryIsSaidAndNotMachined)
{
    ASSERT_TRUE(QFile::remove(libraryPath(QStringLiteral("Hinges/H1.xml"))));
    reload(ReloadBy::Refresh);

    const GK_DoorWithHinges* door = drawnDoor();
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetHingesModel(), nullptr);
    EXPECT_EQ(door->GetLockCoreModel(), FindLockCoreByName(f->library().models(), "L1"));
    EXPECT_EQ(f->statusBar()->currentMessage(), UnboundDoorText({{}, "D1", "H1", {}}));

    EXPECT_EQ(writePrograms().size(), 1);
    EXPECT_FALSE(QFile::exists(libraryPath(QStringLiteral("hinges.NC"))));
    EXPECT_TRUE(QFile::exists(libraryPath(QStringLiteral("lock.NC"))));
}

} // namespace
