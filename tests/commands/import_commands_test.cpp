#include "CommandFixtures.h"

#include <dialogs/DataExchange.h>
#include <dialogs/UserMessages.h>
#include <library/AtomicFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LockCoreFile.h>

#include <QFile>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<GK_Hinges> importedHinge(double side = 20.0)
{
    return api_gk_make_hinges(TestLibrary::square(side));
}

std::unique_ptr<GK_LockCore> importedLockCore()
{
    return api_gk_make_lockcore(TestLibrary::square(30.0), TestLibrary::square(10.0));
}

using ImportCommandTest = CommandTest;

// Whether the old file was still on disk when the new one took its place.
QString g_oldFile;
bool g_oldFileThereAtReplace = false;
void noteOldFile(const std::string&)
{
    g_oldFileThereAtReplace = QFile::exists(g_oldFile);
}

TEST_F(ImportCommandTest, CancelledFileDialogLeavesTheImporterAlone)
{
    commands.OnImportHinges();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_FALSE(files.asked[0].save);
    EXPECT_EQ(files.asked[0].filter.label, QStringLiteral("CAD 图纸 (*.dxf *.dwg)"));
    EXPECT_EQ(files.asked[0].filter.patterns, (QStringList{"*.dxf", "*.dwg"}));
    EXPECT_EQ(files.asked[0].filter.defaultSuffix, "dxf");
    EXPECT_TRUE(importer.imported.empty());
    EXPECT_EQ(importer.clears, 0);
}

TEST_F(ImportCommandTest, ImportedHingeIsNamedSavedListedAtTheTailAndTheImporterCleared)
{
    lib.addHinges("first");
    host.hingeRefills = 0;
    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge();
    importer.nextReport.outlines = 1;
    NameModel(QStringLiteral("合页B"), QStringLiteral("说明"), "2.5");
    commands.OnImportHinges();

    EXPECT_EQ(importer.imported, std::vector<std::string>{cadPath().toStdString()});
    ASSERT_EQ(lib.library.hinges.count(), 2u);
    const GK_Hinges* listed = lib.library.hinges[1];
    EXPECT_EQ(listed->GetName(), "\xBA\xCF\xD2\xB3" "B");
    EXPECT_EQ(listed->GetComments(), "\xCB\xB5\xC3\xF7");
    EXPECT_EQ(listed->GetThick(), 2.5);
    EXPECT_EQ(listed->GetLoopOut().count(), 4u) << "the listed model is a copy of the imported one";
    EXPECT_EQ(host.hingeRefills, 1);
    EXPECT_EQ(importer.clears, 1);
    EXPECT_EQ(host.status, QStringLiteral("已保存合页模型“合页B”；导入完成：轮廓 1 个，孔 0 个"));
    EXPECT_TRUE(messages.shown.empty());
    const auto saved = LoadHingesFile(libraryFile(QStringLiteral("Hinges/合页B.xml")).toStdString()).model;
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->GetThick(), 2.5);
}

TEST_F(ImportCommandTest, LockCoreUsesTheSameHingeWordedDialogAndItsOwnList)
{
    files.paths.push_back(cadPath());
    importer.nextLockCore = importedLockCore();
    QString title;
    QStringList labels;
    WhenModalShown([&](QWidget* dialog) {
        title = dialog->windowTitle();
        labels = LabelTexts(dialog);
        Type(dialog, "name", "L1");
        Click(dialog, "ok");
    });
    commands.OnImportLockCore();
    EXPECT_EQ(title, QStringLiteral("完善合页信息"));
    EXPECT_TRUE(labels.contains(QStringLiteral("合页名称")));
    ASSERT_EQ(lib.library.lockCores.count(), 1u);
    EXPECT_EQ(lib.library.lockCores[0]->GetName(), "L1");
    EXPECT_EQ(host.lockCoreRefills, 1);
    EXPECT_EQ(host.hingeRefills, 0);
    EXPECT_TRUE(QFile::exists(libraryFile("Lockcores/L1.xml")));
    EXPECT_EQ(importer.clears, 1);
}

TEST_F(ImportCommandTest, CancelledInformationDialogSavesAndListsNothing)
{
    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge();
    WhenModalShown([](QWidget* dialog) {
        Type(dialog, "name", "H");
        Click(dialog, "cancel");
    });
    commands.OnImportHinges();
    EXPECT_EQ(lib.library.hinges.count(), 0u);
    EXPECT_FALSE(QFile::exists(libraryFile("Hinges/H.xml")));
    EXPECT_EQ(host.hingeRefills, 0);
    EXPECT_EQ(importer.clears, 1);
    EXPECT_EQ(host.status, QStringLiteral("没有保存合页模型"));
}

// An import that yields no model says why, in Chinese, from the importer's
// report.
TEST_F(ImportCommandTest, ImportWithoutAModelTellsWhy)
{
    files.paths.push_back(cadPath());
    importer.nextReport.failure = {ImportProblem::NoClosedOutline};
    importer.nextReport.openChains.resize(2);
    commands.OnImportHinges();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("没有从CAD图“%1”得到合页模型：图中没有封闭轮廓（有 2 条未闭合的线段链）。").arg(cadPath()));
    EXPECT_EQ(lib.library.hinges.count(), 0u);
    EXPECT_EQ(importer.clears, 1);
    EXPECT_EQ(host.status, QStringLiteral("导入失败：图中没有封闭轮廓（有 2 条未闭合的线段链）"))
        << "the summary of an earlier import does not stay";
}

// A model whose file could not be written is reported by file and reason, in
// Chinese, and not listed.
TEST_F(ImportCommandTest, FailedSaveIsReportedAndTheModelNotListed)
{
    ASSERT_TRUE(QDir(temp.path()).rmdir(QStringLiteral("Hinges")));
    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge();
    NameModel("H1", "", "1");
    commands.OnImportHinges();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("文件“%1”没有保存：无法在文件夹中建立文件（文件夹不存在）。\n模型没有加入列表。")
                  .arg(libraryFile(QStringLiteral("Hinges/H1.xml"))));
    EXPECT_EQ(lib.library.hinges.count(), 0u);
    EXPECT_EQ(host.hingeRefills, 0);
    EXPECT_EQ(importer.clears, 1);
}

TEST_F(ImportCommandTest, WithoutAMainWindowTheFileIsWrittenButNothingListed)
{
    host.withMainWindow = false;
    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge();
    NameModel("H2", "", "1");
    commands.OnImportHinges();
    EXPECT_TRUE(QFile::exists(libraryFile("Hinges/H2.xml")));
    EXPECT_EQ(lib.library.hinges.count(), 0u);
    EXPECT_EQ(host.hingeRefills, 0);
}

// Saving under a name that is taken asks first. On yes the listed model takes
// the new content in its place, so doors pointing at it show the new one. A
// name that differs in letter case leaves one file, under the new name; the
// old one goes only once the new one is on disk.
TEST_F(ImportCommandTest, DuplicateNameReplacesTheListedModelInPlaceOnYes)
{
    GK_Hinges* older = lib.addHinges("Hinge-A", 10.0);
    lib.addHinges("other");
    host.hingeRefills = 0;
    ASSERT_TRUE(SaveHingesFile(older, lib.document.saveContext()));
    g_oldFile = libraryFile("Hinges/Hinge-A.xml");
    SetBeforeReplaceHook(noteOldFile);
    auto door = api_gk_make_door_with_hinges("D", "", 2000, 900, 40);
    door->SetHingesModel(ShareHingesByName(lib.library, "Hinge-A"));
    messages.answers.push_back(true);
    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge(50.0);
    NameModel("hinge-a", "newer", "3");
    commands.OnImportHinges();
    SetBeforeReplaceHook(nullptr);

    EXPECT_TRUE(g_oldFileThereAtReplace);
    EXPECT_EQ(filesIn("Hinges"), QStringList{"hinge-a.xml"});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Question);
    EXPECT_TRUE(messages.shown[0].text.contains("hinge-a"));
    ASSERT_EQ(lib.library.hinges.count(), 2u);
    EXPECT_EQ(lib.library.hinges[0], older);
    EXPECT_EQ(older->GetName(), "hinge-a");
    EXPECT_EQ(older->GetComments(), "newer");
    EXPECT_EQ(older->GetLoopOut().vertex(1).x, 50.0);
    EXPECT_EQ(door->GetHingesModel()->GetComments(), "newer");
    EXPECT_EQ(host.hingeRefills, 1);
    EXPECT_TRUE(QFile::exists(libraryFile("Hinges/hinge-a.xml")));
}

TEST_F(ImportCommandTest, DuplicateNameKeepsTheDialogOpenOnNo)
{
    lib.addHinges("taken");
    messages.answers.push_back(false);
    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge();
    bool stayedOpen = false;
    WhenModalShown([&](QWidget* dialog) {
        Type(dialog, "name", "TAKEN");
        Click(dialog, "ok");
        stayedOpen = dialog->isVisible();
        Type(dialog, "name", "fresh");
        Click(dialog, "ok");
    });
    commands.OnImportHinges();
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(QFile::exists(libraryFile("Hinges/TAKEN.xml")));
    ASSERT_EQ(lib.library.hinges.count(), 2u);
    EXPECT_EQ(lib.library.hinges[0]->GetName(), "taken");
    EXPECT_EQ(lib.library.hinges[1]->GetName(), "fresh");
}

TEST_F(ImportCommandTest, ToolSettingsRunTheToolDialog)
{
    QString title;
    WhenModalShown([&](QWidget* dialog) {
        title = dialog->windowTitle();
        Click(dialog, "cancel");
    });
    commands.OnKnifeSetting();
    EXPECT_EQ(title, QStringLiteral("刀具信息设置"));
}

// The tool dialog edits the tools; the command writes the table after each
// change and reports a table it could not write, the change kept in memory.
TEST_F(ImportCommandTest, ToolTableIsWrittenAfterEachChangeAndAFailureReported)
{
    lib.addKnife(1, 2.0);
    const auto applyDiameter = [](const QString& diameter) {
        WhenModalShown([=](QWidget* dialog) {
            Type(dialog, "diameter", diameter);
            Click(dialog, "apply");
            Click(dialog, "cancel");
        });
    };
    applyDiameter("6.5");
    commands.OnKnifeSetting();
    GU_OwnedList<KnifeInfo> saved;
    LoadKnifeFile(lib.document.folder(), saved);
    ASSERT_EQ(saved.count(), 1u);
    EXPECT_EQ(saved[0]->Diameter, 6.5);
    EXPECT_TRUE(messages.shown.empty());

    // A folder where the table was is a change on disk; the user chooses to
    // overwrite it, and the failure is reported.
    ASSERT_TRUE(QFile::remove(libraryFile("HingesKnife.xml")));
    ASSERT_TRUE(QDir(temp.path()).mkdir(QStringLiteral("HingesKnife.xml")));
    applyDiameter("5");
    messages.choices.push_back(kChooseOverwrite);
    commands.OnKnifeSetting();
    ASSERT_EQ(lib.library.knives.count(), 1u);
    EXPECT_EQ(lib.library.knives[0]->Diameter, 5.0);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Choice);
    EXPECT_EQ(messages.shown[1].kind, RecordingMessageBoxes::Kind::Warning);
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral("刀具表没有保存到文件“%1”：无法替换原有的文件（已有同名的文件夹）。\n"
                             "修改仍保留在程序中，但下次启动时将不再存在。")
                  .arg(libraryFile(QStringLiteral("HingesKnife.xml"))));
}

} // namespace
