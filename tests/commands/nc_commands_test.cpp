// The commands that write a door's programs to files: the "工具" menu's NC
// commands and the "加工" menu's programs, as the user meets their dialogs.
#include "CommandFixtures.h"

#include <commands/MachiningCommands.h>
#include <dialogs/GbkQString.h>
#include <dialogs/UserMessages.h>
#include <kernel/GK_Factories.h>
#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <tuple>

#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The door "门一" with two hinges of one hole and a lock core of one hole,
// the tools for them, hidden in the drawing behind a hinge shown alone.
class NcCommandTest : public CommandTest {
protected:
    NcCommandTest()
    {
        auto d = lib.addMachinableDoor(*QStringToGbk(QStringLiteral("门一")));
        door = host.draw(std::unique_ptr<GK_Object, GK_ObjectDeleter>(d.release()), false);
        host.draw(std::unique_ptr<GK_Object, GK_ObjectDeleter>(api_gk_make_hinges(TestLibrary::square(5)).release()));
        // A question about what the program leaves undone goes on to write it.
        messages.defaultAnswer = true;
    }

    QByteArray program(ProgramKind kind) const
    {
        const auto& shown = static_cast<const GK_DoorWithHinges&>(*door);
        const MachineProfile profile = machining.profile();
        return QByteArray::fromStdString(WriteGcode(PlanProgram(kind, shown, lib.library.knives, profile), profile));
    }

    // How many messages of the kind were shown; what a written program
    // leaves undone comes as information.
    long shown(RecordingMessageBoxes::Kind kind) const
    {
        return std::count_if(messages.shown.begin(), messages.shown.end(), [kind](const auto& m) { return m.kind == kind; });
    }

    GK_Object* door = nullptr;
    MachiningCommands machining{host, files, messages};
};

struct OneProgram {
    const char* name;
    void (MachiningCommands::*command)();
    ProgramKind kind;
    const char* filter;
    const char* title;
    const char* suggested;
    bool recorded;

    friend void PrintTo(const OneProgram& p, std::ostream* os) { *os << p.name; }
};

const OneProgram kOnePrograms[] = {
    {"ToolMenuHinges", &MachiningCommands::OnCreateHingesNc, ProgramKind::Hinges, "所有NC文件(*.NC)",
     "保存门型“门一”的合页加工程序", "门一_合页.NC", true},
    {"ToolMenuLock", &MachiningCommands::OnCreateLockHoleNc, ProgramKind::Lock, "所有NC文件(*.NC)",
     "保存门型“门一”的锁孔加工程序", "门一_锁孔.NC", true},
    {"MachiningMenuHinges", &MachiningCommands::OnHingesProgram, ProgramKind::Hinges, "加工程序(*.NC)",
     "保存门型“门一”的合页加工程序", "门一_合页.NC", false},
    {"MachiningMenuLock", &MachiningCommands::OnLockProgram, ProgramKind::Lock, "加工程序(*.NC)",
     "保存门型“门一”的锁孔加工程序", "门一_锁孔.NC", false},
};

class OneProgramCommand : public NcCommandTest, public ::testing::WithParamInterface<OneProgram> {
protected:
    void run() { (machining.*GetParam().command)(); }
};

// The program of the door the commands find (hidden, behind a hinge), over
// an older file, in a dialog that names the door; the next dialog opens in
// the same folder.
TEST_P(OneProgramCommand, WritesTheDoorsProgramWhereTheUserChose)
{
    const OneProgram& p = GetParam();
    const QString path = temp.filePath(QStringLiteral("chosen.NC"));
    writeFile(path, "old content");
    files.paths = {path};
    run();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_TRUE(files.asked[0].save);
    EXPECT_EQ(files.asked[0].filter.label, QString::fromUtf8(p.filter));
    EXPECT_EQ(files.asked[0].title, QString::fromUtf8(p.title));
    EXPECT_EQ(files.asked[0].name, QString::fromUtf8(p.suggested));
    EXPECT_EQ(fileBytes(path), program(p.kind));
    EXPECT_FALSE(program(p.kind).isEmpty());
    EXPECT_EQ(host.ncDoors, p.recorded ? std::vector<GK_Object*>{door} : std::vector<GK_Object*>{});
    EXPECT_EQ(shown(RecordingMessageBoxes::Kind::Warning), 0);
    EXPECT_TRUE(host.status.contains(path)) << host.status.toStdString();

    run();
    ASSERT_EQ(files.asked.size(), 2u);
    EXPECT_EQ(files.asked[1].folder, temp.path());
}

// What cannot be written, or made, leaves no file and records nothing.
TEST_P(OneProgramCommand, FailuresAndRefusalsLeaveNoFile)
{
    const QString unwritable = temp.filePath(QStringLiteral("no-such-folder/x.NC"));
    files.paths = {unwritable};
    run();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("加工程序没有写入文件")))
        << messages.shown[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(unwritable));

    messages.shown.clear();
    files.asked.clear();
    const QString path = temp.filePath(QStringLiteral("refused.NC"));
    lib.document.setTools({});
    files.paths = {path};
    run();
    EXPECT_TRUE(files.asked.empty()) << "no file is asked for";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("刀具表中缺少刀具"))) << messages.shown[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(host.ncDoors.empty());
}

INSTANTIATE_TEST_SUITE_P(Commands, OneProgramCommand, ::testing::ValuesIn(kOnePrograms),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NcCommandTest, WithoutADoorEveryCommandSaysSo)
{
    host.drawing.erase(host.drawing.begin());
    for (auto command : {&MachiningCommands::OnCreateHingesNc, &MachiningCommands::OnCreateLockHoleNc,
                         &MachiningCommands::OnCreateNcFile}) {
        messages.shown.clear();
        (machining.*command)();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Information);
        EXPECT_EQ(messages.shown[0].text, NoDoorMessage());
    }
    EXPECT_TRUE(files.asked.empty());
    EXPECT_TRUE(host.ncDoors.empty());
}

TEST_F(NcCommandTest, BothProgramsGoIntoTheChosenFolder)
{
    files.paths = {temp.path()};
    machining.OnCreateNcFile();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_FALSE(files.asked[0].save);
    EXPECT_EQ(files.asked[0].title, QStringLiteral("选择保存门型“门一”加工程序的文件夹"));
    const QString hinges = temp.filePath(QStringLiteral("门一_合页.NC"));
    const QString lock = temp.filePath(QStringLiteral("门一_锁孔.NC"));
    EXPECT_EQ(fileBytes(hinges), program(ProgramKind::Hinges));
    EXPECT_EQ(fileBytes(lock), program(ProgramKind::Lock));
    EXPECT_EQ(host.ncDoors, std::vector<GK_Object*>{door});
    EXPECT_EQ(shown(RecordingMessageBoxes::Kind::Warning), 0);
    EXPECT_TRUE(host.status.contains(QStringLiteral("门一_合页.NC、门一_锁孔.NC"))) << host.status.toStdString();

    // Files there already are replaced only when the user says so.
    writeFile(lock, "kept");
    files.paths = {temp.path()};
    messages.shown.clear();
    messages.answers = {false};
    machining.OnCreateNcFile();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Question);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("“门一_合页.NC”、“门一_锁孔.NC”，要替换吗")))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(fileBytes(lock), "kept");
    EXPECT_EQ(files.asked[1].folder, temp.path()) << "the folder last used";

    // A door whose lock core cannot be made gets neither program.
    messages.shown.clear();
    GU_OwnedList<KnifeInfo> tools = CopyTools(lib.library.knives);
    tools.replace(2, std::make_unique<KnifeInfo>(*tools[0])); // no side tool
    tools.replace(3, std::make_unique<KnifeInfo>(*tools[0]));
    lib.document.setTools(tools);
    QFile::remove(hinges);
    files.paths = {temp.path()};
    machining.OnCreateNcFile();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_FALSE(QFileInfo::exists(hinges));
}

} // namespace
