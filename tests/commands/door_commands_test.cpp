#include "CommandFixtures.h"

#include <library/DoorModelFile.h>
#include <kernel/resabs.h>

#include <QFile>
#include <QFileInfo>

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

template <typename T>
std::unique_ptr<GK_Object, GK_ObjectDeleter> drawable(std::unique_ptr<T> object)
{
    return std::unique_ptr<GK_Object, GK_ObjectDeleter>(object.release());
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

using NcCommandTest = CommandTest;

TEST_F(NcCommandTest, WithoutADoorInTheDrawingBothCommandsSaySo)
{
    host.draw(drawable(api_gk_make_hinges(TestLibrary::square(5))));
    commands.OnCreateHingesNc();
    commands.OnCreateLockHoleNc();
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.kind, RecordingMessageBoxes::Kind::Information);
        EXPECT_EQ(shown.text, QStringLiteral("当前不存在门模型！"));
    }
    EXPECT_TRUE(files.asked.empty());
    EXPECT_TRUE(host.ncDoors.empty());

    host.drawing.clear();
    commands.OnCreateHingesNc();
    EXPECT_EQ(messages.shown.size(), 3u) << "an empty drawing has no door either";
}

// After a door and then a hinge were shown, the door is hidden but found.
TEST_F(NcCommandTest, BothCommandsCreateAnEmptyFileForTheHiddenDoor)
{
    GK_Object* door = host.draw(drawable(api_gk_make_door_with_hinges("D", "", 1, 1, 1)), false);
    host.draw(drawable(api_gk_make_hinges(TestLibrary::square(5))));
    const QString hingesNc = temp.filePath("hinges.NC");
    const QString lockNc = temp.filePath("lock.NC");
    {
        QFile existing(lockNc);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("old content");
    }
    files.paths = {hingesNc, lockNc};
    commands.OnCreateHingesNc();
    commands.OnCreateLockHoleNc();

    ASSERT_EQ(files.asked.size(), 2u);
    for (const auto& asked : files.asked) {
        EXPECT_TRUE(asked.save);
        EXPECT_EQ(asked.filter.label, QStringLiteral("所有NC文件(*.NC)"));
        EXPECT_EQ(asked.filter.patterns, QStringList{"*.NC"});
    }
    EXPECT_TRUE(QFileInfo::exists(hingesNc));
    EXPECT_EQ(QFileInfo(hingesNc).size(), 0);
    EXPECT_EQ(QFileInfo(lockNc).size(), 0) << "an existing file is emptied";
    EXPECT_EQ(host.ncDoors, (std::vector<GK_Object*>{door, door}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NcCommandTest, CancelledSaveDialogRecordsNothing)
{
    host.draw(drawable(api_gk_make_door_with_hinges("D", "", 1, 1, 1)));
    commands.OnCreateHingesNc();
    EXPECT_TRUE(host.ncDoors.empty());
}

// A file that cannot be created is reported and nothing is recorded.
TEST_F(NcCommandTest, FileThatCannotBeCreatedIsReported)
{
    host.draw(drawable(api_gk_make_door_with_hinges("D", "", 1, 1, 1)));
    const QString impossible = temp.filePath("no-such-folder/x.NC");
    files.paths.push_back(impossible);
    commands.OnCreateLockHoleNc();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("无法创建NC文件“%1”：文件夹不存在。").arg(impossible));
    EXPECT_TRUE(host.ncDoors.empty());
}

} // namespace
