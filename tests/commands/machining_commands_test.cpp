#include "CommandFixtures.h"

#include <commands/MachiningCommands.h>
#include <dialogs/MachiningMessages.h>
#include <dialogs/UserMessages.h>
#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>
#include <library/MachineProfileFile.h>
#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<GK_Object, GK_ObjectDeleter> drawable(std::unique_ptr<GK_Object> object)
{
    return std::unique_ptr<GK_Object, GK_ObjectDeleter>(object.release());
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A door with two hinges of one 5 mm hole each, a lock core with a through
// hole, and the tools they need; the door stands hidden behind a hinge in
// the drawing, as after the user displayed a hinge.
class MachiningCommandTest : public CommandTest {
protected:
    MachiningCommandTest()
    {
        auto d = lib.addMachinableDoor("D");
        hinge = FindHingesByName(lib.library, "H");
        lock = FindLockCoreByName(lib.library, "L");
        for (KnifeInfo* k : lib.library.knives)
            k->AirForward = "M" + std::to_string(10 + k->ID);
        door = static_cast<GK_DoorWithHinges*>(host.draw(drawable(std::move(d)), false));
        host.draw(drawable(api_gk_make_hinges(TestLibrary::square(5))));
    }

    QString expectedProgram(ProgramKind kind) const
    {
        return QString::fromLatin1(WriteGcode(PlanProgram(kind, *door, lib.library.knives, MachineProfile{}), MachineProfile{}));
    }

    GK_Hinges* hinge = nullptr;
    GK_LockCore* lock = nullptr;
    GK_DoorWithHinges* door = nullptr;
    MachiningCommands machining{host, files, messages};
};

TEST_F(MachiningCommandTest, WritesTheProgramOfTheDrawnDoorAndSaysWhatItTakes)
{
    const QString path = temp.filePath(QStringLiteral("door.NC"));
    files.paths = {path};
    machining.OnHingesProgram();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_TRUE(files.asked[0].save);
    EXPECT_EQ(files.asked[0].filter.patterns, QStringList{"*.NC"});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(fileBytes(path), expectedProgram(ProgramKind::Hinges).toLatin1());
    EXPECT_TRUE(host.status.contains(path) && host.status.contains(QStringLiteral("刀具 1")) &&
                host.status.contains(QStringLiteral("预计加工时间")))
        << host.status.toStdString();

    // The next program's dialog opens where the last one was written.
    files.paths = {temp.filePath(QStringLiteral("lock.NC"))};
    machining.OnLockProgram();
    ASSERT_EQ(files.asked.size(), 2u);
    EXPECT_EQ(files.asked[1].folder, QFileInfo(path).absolutePath());
    EXPECT_EQ(fileBytes(temp.filePath(QStringLiteral("lock.NC"))), expectedProgram(ProgramKind::Lock).toLatin1());
}

TEST_F(MachiningCommandTest, WhatCannotBeMadeLeavesNoFileAndSaysWhy)
{
    // No 5 mm tool, none smaller: the hinge holes cannot be made.
    GU_OwnedList<KnifeInfo> tools = CopyTools(lib.library.knives);
    tools.replace(0, std::make_unique<KnifeInfo>(*tools[1]));
    lib.document.setTools(tools);
    files.paths = {temp.filePath(QStringLiteral("none.NC"))};
    machining.OnHingesProgram();
    EXPECT_TRUE(files.asked.empty()) << "no file is asked for";
    EXPECT_FALSE(QFile::exists(temp.filePath(QStringLiteral("none.NC"))));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("合页1孔1（直径5.00，深12.00）")))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("合页刀或垂直刀")));

    messages.shown.clear();
    host.drawing.clear();
    machining.OnLockProgram();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, NoDoorMessage());
}

// What the program would do wrong is asked about before the file is; the
// answer No writes nothing, Yes writes the program. Each case names the
// feature or tool and the figure in the question.
struct Doubt {
    const char* name;
    void (*plant)(GK_Hinges&, KnifeInfo& drill);
    const char* line;
};

const Doubt kDoubts[] = {
    {"FeedPerRevolution", [](GK_Hinges&, KnifeInfo& d) { d.Vel = 18000, d.DrillStart = "M03 S18000"; },
     "刀具1：进给 18000 mm/min 在 S18000 下为每转 1.00 mm，超过 0.5 mm"},
    {"PlungeFeed", [](GK_Hinges&, KnifeInfo& d) { d.PlungeVel = 9000; }, "刀具1：下刀进给 9000 mm/min，超过 6000 mm/min"},
    {"PlungePerRevolution", [](GK_Hinges&, KnifeInfo& d) { d.PlungeVel = 4000, d.DrillStart = "M3 S6000"; },
     "刀具1：下刀进给 4000 mm/min 在 S6000 下为每转 0.67 mm，超过 0.5 mm"},
    {"UnreachedCorners",
     [](GK_Hinges& h, KnifeInfo& d) {
         h.SetMortise(true);
         h.SetThick(3);
         d.Type = 0; // the 5 mm drill becomes the hinge tool that cuts the square mortise
     },
     "合页1开槽：角上 5.4 平方毫米刀具表中没有刀具够得到，需要直径 2.10 或更小的刀具"},
    {"ThinWall", [](GK_Hinges& h, KnifeInfo&) { h.AddHoleToList(api_gk_make_circle_hole({15, 4, 0}, 5, 12).release()); },
     "合页1孔2：孔边离门边只有 1.50 mm，不到 3.00 mm，会崩边"},
};

class DoubtTest : public MachiningCommandTest, public ::testing::WithParamInterface<Doubt> {};

TEST_P(DoubtTest, IsAskedBeforeWriting)
{
    GU_OwnedList<KnifeInfo> tools = CopyTools(lib.library.knives);
    GetParam().plant(*hinge, *tools[0]);
    lib.document.setTools(tools);
    const QString path = temp.filePath(QStringLiteral("door.NC"));
    files.paths = {path, path};
    messages.answers = {false, true};
    machining.OnHingesProgram();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Question);
    EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf8(GetParam().line))) << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("仍要写入吗？")));
    EXPECT_TRUE(files.asked.empty() && !QFile::exists(path)) << "No: no file asked for, none written";
    machining.OnHingesProgram();
    EXPECT_EQ(fileBytes(path), expectedProgram(ProgramKind::Hinges).toLatin1()) << "Yes: written";
}

INSTANTIATE_TEST_SUITE_P(Plans, DoubtTest, ::testing::ValuesIn(kDoubts),
                         [](const auto& info) { return std::string(info.param.name); });

// A feature that does not fit is refused with its dimension and the limit.
TEST_F(MachiningCommandTest, RefusalNamesTheDimensionAndTheLimit)
{
    host.drawing.clear();
    auto thin = api_gk_make_door_with_hinges("T", "", 2000, 900, 4); // thinner than the 12 mm hinge hole is deep
    thin->SetHingesModel(ShareHingesByName(lib.library, "H"));
    thin->SetHingesPos({300, 0, 0});
    host.draw(drawable(std::move(thin)));
    files.paths = {temp.filePath(QStringLiteral("thin.NC"))};
    machining.OnHingesProgram();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("合页1孔1：深12.00，门厚只允许4.00")))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(files.asked.empty());
}

TEST_F(MachiningCommandTest, UnwritableFileAndLeftOutHolesAreReported)
{
    hinge->AddHoleToList(api_gk_make_circle_hole({20, 15, 0}, 5, 0).release()); // depth 0 without a mortise
    files.paths = {temp.filePath(QStringLiteral("no/such/folder/door.NC"))};
    machining.OnHingesProgram();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("加工程序没有写入文件")));

    messages.shown.clear();
    files.paths = {temp.filePath(QStringLiteral("door.NC"))};
    machining.OnHingesProgram();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Information);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("合页2孔2")));
}

TEST_F(MachiningCommandTest, PreviewShowsBothProgramsUntilTurnedOff)
{
    machining.OnPreview(true);
    ASSERT_FALSE(host.preview.empty());
    bool rapid = false, cut = false;
    for (const PreviewStroke& s : host.preview.strokes) {
        rapid = rapid || s.rapid;
        cut = cut || !s.rapid;
    }
    EXPECT_TRUE(rapid && cut);
    EXPECT_TRUE(host.status.startsWith(QStringLiteral("加工预览：刀具 1、2、3、4，预计加工时间"))) << host.status.toStdString();

    host.drawing.clear();
    machining.RefreshPreview();
    EXPECT_TRUE(host.preview.empty()) << "no door, no paths";
    EXPECT_EQ(host.status, PreviewNothingStatus());

    machining.OnPreview(false);
    host.preview.strokes = {PreviewStroke{}};
    machining.RefreshPreview();
    EXPECT_EQ(host.preview.strokes.size(), 1u) << "turned off, the preview is left alone";
}

TEST_F(MachiningCommandTest, MachineSettingsAreSavedAndUsed)
{
    WhenModalShown([](QWidget* d) {
        Type(d, "extension", "cnc");
        Click(d, "ok");
    });
    machining.OnMachineProfile();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(LoadMachineProfile(lib.document.folder()).Extension, "cnc");
    files.paths = {temp.filePath(QStringLiteral("d.cnc"))};
    machining.OnHingesProgram();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_EQ(files.asked[0].filter.patterns, QStringList{"*.cnc"});

    WhenModalShown([](QWidget* d) {
        Type(d, "extension", "txt");
        Click(d, "cancel");
    });
    machining.OnMachineProfile();
    EXPECT_EQ(machining.profile().Extension, "cnc");
}

// A hinge imported with "开槽" checked is mortised in memory and in its file.
TEST_F(CommandTest, ImportedHingeMarkedForAMortise)
{
    importer.nextHinges = api_gk_make_hinges(TestLibrary::square(20));
    files.paths = {cadPath()};
    WhenModalShown([](QWidget* dialog) {
        Type(dialog, "name", "M");
        dialog->findChild<QCheckBox*>("mortise")->setChecked(true);
        Click(dialog, "ok");
    });
    commands.OnImportHinges();
    ASSERT_EQ(lib.library.hinges.count(), 1u);
    EXPECT_TRUE(lib.library.hinges[0]->GetMortise());
    EXPECT_TRUE(fileBytes(libraryFile(QStringLiteral("Hinges/M.xml"))).contains("Mortise=\"1\""));
}

} // namespace
