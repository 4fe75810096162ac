// The commands on a library folder that another instance of the program
// works on too, and on files that hold other models.
#include "CommandFixtures.h"

#include <dialogs/UserMessages.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>

#include <QFile>

#include <gtest/gtest.h>

namespace {

using SharedLibraryCommandTest = CommandTest;

std::unique_ptr<GK_Hinges> importedHinge(double side)
{
    return api_gk_make_hinges(TestLibrary::square(side));
}

// The other instance: its own library read from the same folder.
struct OtherInstance {
    std::string folder;
    ModelLibrary library;
    explicit OtherInstance(std::string libraryFolder) : folder(std::move(libraryFolder))
    {
        LoadAllHinges(folder, library.hinges, nullptr, &library.files);
        LoadKnifeFile(folder, library.knives, nullptr, &library.files);
    }
    SaveContext context(OnDiskChange onChange = OnDiskChange::Refuse)
    {
        return SaveContext{folder, &library.files, onChange};
    }
};

void ApplyDiameter(const QString& diameter)
{
    WhenModalShown([=](QWidget* dialog) {
        Type(dialog, "diameter", diameter);
        Click(dialog, "apply");
        Click(dialog, "cancel");
    });
}

// "Hinges/x.xml" holds the model "Y": the name "x" is refused in the dialog
// with both names, and the file keeps "Y".
TEST_F(SharedLibraryCommandTest, ANameWhoseFileHoldsAnotherModelIsRefused)
{
    auto y = importedHinge(10);
    y->SetName("Y");
    ASSERT_TRUE(SaveHingesFile(y.get(), SaveContext{lib.document.folder()}));
    ASSERT_TRUE(QFile::rename(libraryFile("Hinges/Y.xml"), libraryFile("Hinges/x.xml")));
    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge(20);
    bool stayedOpen = false;
    WhenModalShown([&](QWidget* dialog) {
        Type(dialog, "name", "x");
        Click(dialog, "ok");
        stayedOpen = dialog->isVisible();
        Type(dialog, "name", "z");
        Click(dialog, "ok");
    });
    commands.OnImportHinges();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, OtherModelsFileMessage(ModelKind::Hinges, "x", "Y"));
    EXPECT_EQ(LoadHingesFile(libraryFile("Hinges/x.xml").toStdString()).model->GetName(), "Y");
    ASSERT_EQ(lib.library.hinges.count(), 1u);
    EXPECT_EQ(lib.library.hinges[0]->GetName(), "z");
}

// The other instance changed the table since this one read it: "重新读取"
// shows the other's table, "覆盖" writes this one's.
TEST_F(SharedLibraryCommandTest, AToolTableChangedElsewhereIsReadAgainOrOverwritten)
{
    lib.addKnife(1, 2.0);
    ASSERT_TRUE(SaveKnifeFile(lib.library.knives, lib.document.saveContext()));
    OtherInstance other(lib.document.folder());
    other.library.knives[0]->Diameter = 8;
    ASSERT_TRUE(SaveKnifeFile(other.library.knives, other.context()));

    ApplyDiameter("6.5");
    commands.OnKnifeSetting();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Choice);
    EXPECT_EQ(messages.choiceButtons, (QStringList{QStringLiteral("覆盖"), QStringLiteral("重新读取")}));
    ASSERT_EQ(lib.library.knives.count(), 1u);
    EXPECT_EQ(lib.library.knives[0]->Diameter, 8.0) << "read again from the file";

    ApplyDiameter("6.5");
    commands.OnKnifeSetting();
    EXPECT_EQ(messages.shown.size(), 1u) << "the table is as read: no question";
    other.library.knives[0]->Diameter = 9;
    EXPECT_EQ(SaveKnifeFile(other.library.knives, other.context()).problem,
              SaveProblem::ChangedOnDisk);
    ASSERT_TRUE(SaveKnifeFile(other.library.knives, other.context(OnDiskChange::Overwrite)));
    ApplyDiameter("7");
    messages.choices.push_back(kChooseOverwrite);
    commands.OnKnifeSetting();
    GU_OwnedList<KnifeInfo> onDisk;
    LoadKnifeFile(lib.document.folder(), onDisk);
    EXPECT_EQ(onDisk[0]->Diameter, 7.0);
}

// Another instance saved a hinge of the name meanwhile: "重新读取" reads the
// library again and lists the other's model; "覆盖" writes the import.
TEST_F(SharedLibraryCommandTest, AModelFileAddedElsewhereIsReadAgainOrOverwritten)
{
    OtherInstance other(lib.document.folder());
    auto theirs = importedHinge(10);
    theirs->SetName("H");
    ASSERT_TRUE(SaveHingesFile(theirs.get(), other.context()));

    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge(20);
    NameModel("H", "", "1");
    commands.OnImportHinges();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Choice);
    EXPECT_EQ(host.reloads, 1);
    ASSERT_EQ(lib.library.hinges.count(), 1u);
    EXPECT_EQ(lib.library.hinges[0]->GetLoopOut().vertex(1).x, 10.0) << "the other's model";

    // Now known, the model is replaced after the usual question.
    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge(30);
    messages.answers.push_back(true);
    NameModel("H", "", "1");
    commands.OnImportHinges();
    EXPECT_EQ(lib.library.hinges[0]->GetLoopOut().vertex(1).x, 30.0);

    theirs->SetThick(5);
    ASSERT_TRUE(SaveHingesFile(theirs.get(), other.context(OnDiskChange::Overwrite)));
    files.paths.push_back(cadPath());
    importer.nextHinges = importedHinge(40);
    messages.answers.push_back(true);
    messages.choices.push_back(kChooseOverwrite);
    NameModel("H", "", "2");
    commands.OnImportHinges();
    EXPECT_EQ(LoadHingesFile(libraryFile("Hinges/H.xml").toStdString()).model->GetThick(), 2.0);
    EXPECT_EQ(host.reloads, 1);
}

} // namespace
