#include "CommandFixtures.h"

#include <library/DoorModelFile.h>
#include <kernel/resabs.h>

#include <QFile>

#include <gtest/gtest.h>

namespace {

struct DoorInput {
    QString name = QStringLiteral("D1");
    std::array<QString, 4> positions{"0", "0", "0", "0"};
    int hingeEntry = 0;
    int lockCoreEntry = 0;
};

// Fills the new door dialog and presses OK.
void ComposeDoor(const DoorInput& input)
{
    WhenModalShown([input](QWidget* dialog) {
        Type(dialog, "name", input.name);
        Type(dialog, "length", "2100");
        Type(dialog, "width", "900");
        Type(dialog, "thickness", "40");
        Type(dialog, "lockCoreX", "1000");
        const char* fields[] = {"hingePos1", "hingePos2", "hingePos3", "hingePos4"};
        for (int i = 0; i < 4; ++i)
            Field(dialog, fields[i])->setText(input.positions[i]);
        List(dialog, "hingesList")->setCurrentIndex(input.hingeEntry);
        List(dialog, "lockCoreList")->setCurrentIndex(input.lockCoreEntry);
        Click(dialog, "ok");
    });
}

std::vector<double> hingeXs(const GK_DoorWithHinges& door)
{
    std::vector<double> xs;
    for (const position& p : door.GetHingesPos())
        xs.push_back(p.x);
    return xs;
}

using DoorCommandTest = CommandTest;

TEST_F(DoorCommandTest, NewDoorIsBuiltSavedAndListed)
{
    GK_Hinges* hinge = lib.addHinges("H1");
    GK_LockCore* lockCore = lib.addLockCore("L1");
    DoorInput input;
    input.positions = {"100", "0", "0", "900"};
    ComposeDoor(input);
    commands.OnAddDoorModel();

    ASSERT_EQ(lib.library.doors.count(), 1u);
    const GK_DoorWithHinges& door = *lib.library.doors[0];
    EXPECT_EQ(door.GetName(), "D1");
    double length = 0, width = 0, thickness = 0;
    door.GetDoorSize(length, width, thickness);
    EXPECT_EQ(length, 2100.0);
    EXPECT_EQ(width, 900.0);
    EXPECT_EQ(thickness, 40.0);
    EXPECT_EQ(door.GetLockCorePos(), (position{1000, 0, 0}));
    EXPECT_EQ(hingeXs(door), (std::vector<double>{100, 900}));
    EXPECT_EQ(door.GetHingesModel(), hinge);
    EXPECT_EQ(door.GetLockCoreModel(), lockCore);
    EXPECT_EQ(host.doorRefills, 1);
    EXPECT_TRUE(QFile::exists(libraryFile("DoorModel/D1.xml")));
}

TEST_F(DoorCommandTest, APositionOfExactlyTheToleranceIsKept)
{
    DoorInput input;
    input.positions = {"100", QString::number(resabs, 'g', 17), "0", QString::number(-resabs, 'g', 17)};
    ComposeDoor(input);
    commands.OnAddDoorModel();
    ASSERT_EQ(lib.library.doors.count(), 1u);
    EXPECT_EQ(hingeXs(*lib.library.doors[0]), (std::vector<double>{100, resabs, -resabs}));
}

TEST_F(DoorCommandTest, DoorWithUnknownModelNamesIsStillSavedAndListed)
{
    ComposeDoor({});
    commands.OnAddDoorModel();
    ASSERT_EQ(lib.library.doors.count(), 1u);
    EXPECT_EQ(lib.library.doors[0]->GetHingesModel(), nullptr);
    EXPECT_EQ(lib.library.doors[0]->GetLockCoreModel(), nullptr);
    EXPECT_TRUE(QFile::exists(libraryFile("DoorModel/D1.xml")));
}

TEST_F(DoorCommandTest, CancelledDialogAddsNothing)
{
    WhenModalShown([](QWidget* dialog) { Click(dialog, "cancel"); });
    commands.OnAddDoorModel();
    EXPECT_EQ(lib.library.doors.count(), 0u);
    EXPECT_EQ(host.doorRefills, 0);
}

TEST_F(DoorCommandTest, FailedSaveIsReportedAndTheDoorNotListed)
{
    ASSERT_TRUE(QDir(temp.path()).rmdir(QStringLiteral("DoorModel")));
    ComposeDoor({});
    commands.OnAddDoorModel();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("D1.xml")));
    EXPECT_EQ(lib.library.doors.count(), 0u);
    EXPECT_EQ(host.doorRefills, 0);
}

TEST_F(DoorCommandTest, DuplicateDoorNameReplacesTheDoorInItsPlaceOnYes)
{
    ComposeDoor({});
    commands.OnAddDoorModel();
    DoorInput second;
    second.name = "other";
    ComposeDoor(second);
    commands.OnAddDoorModel();

    messages.answers.push_back(true);
    DoorInput again;
    again.name = "d1";
    again.positions = {"300", "0", "0", "0"};
    ComposeDoor(again);
    commands.OnAddDoorModel();

    ASSERT_EQ(lib.library.doors.count(), 2u);
    EXPECT_EQ(filesIn("DoorModel"), (QStringList{"d1.xml", "other.xml"}));
    EXPECT_EQ(lib.library.doors[0]->GetName(), "d1");
    EXPECT_EQ(hingeXs(*lib.library.doors[0]), std::vector<double>{300});
    EXPECT_EQ(lib.library.doors[1]->GetName(), "other");
    EXPECT_EQ(messages.shown.back().kind, RecordingMessageBoxes::Kind::Question);
}

} // namespace
