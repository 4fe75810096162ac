// "编辑...", "复制为..." and "撤销" on the chosen row: an edit that renames
// replaces the model in its row and is undone as one step.
#include "CommandFixtures.h"

#include <commands/LibraryCommands.h>
#include <dialogs/LibraryMessages.h>

#include <gtest/gtest.h>

namespace {

class LibraryCommandsTest : public CommandTest {
protected:
    LibraryCommands library{host, messages};
};

TEST_F(LibraryCommandsTest, EditRenamesAndReplacesInPlaceAndUndoesAsOne)
{
    for (const char* name : {"A", "B"}) {
        auto model = api_gk_make_hinges(TestLibrary::square(10));
        model->SetName(name);
        ASSERT_TRUE(SaveHingesFile(model.get(), lib.document.saveContext()));
        lib.document.putHinges(*model);
    }
    host.chosen = LibraryRow{LibraryPart::Hinges, 0};
    WhenModalShown([](QWidget* d) {
        EXPECT_EQ(Field(d, "name")->text(), "A");
        Type(d, "name", "B"); // another hinge's name: refused
        Click(d, "ok");
        Type(d, "name", "C");
        Type(d, "thickness", "7");
        Click(d, "ok");
    });
    library.OnEditModel();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, NameTakenMessage(ModelKind::Hinges, "B"));
    ASSERT_EQ(lib.library.hinges.count(), 2u);
    EXPECT_EQ(lib.library.hinges[0]->GetName(), "C");
    EXPECT_EQ(lib.library.hinges[0]->GetThick(), 7.0);
    EXPECT_EQ(filesIn("Hinges"), (QStringList{"B.xml", "C.xml"}));

    library.OnUndo();
    EXPECT_EQ(lib.library.hinges[0]->GetName(), "A");
    EXPECT_EQ(lib.library.hinges[0]->GetThick(), 0.0);
    EXPECT_EQ(filesIn("Hinges"), (QStringList{"A.xml", "B.xml"}));

    WhenModalShown([](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("复制为"));
        Type(d, "name", "A2");
        Click(d, "ok");
    });
    library.OnDuplicateModel();
    ASSERT_EQ(lib.library.hinges.count(), 3u);
    EXPECT_EQ(lib.library.hinges[2]->GetName(), "A2");
    library.OnUndo();
    EXPECT_EQ(lib.library.hinges.count(), 2u);
    EXPECT_EQ(filesIn("Hinges"), (QStringList{"A.xml", "B.xml"}));
}

// The tool table's step is named as the table, not as a model.
TEST_F(LibraryCommandsTest, UndoOfAToolTableSaveNamesTheTable)
{
    lib.addKnife(1, 3.0);
    library.OnUndo();
    EXPECT_EQ(host.status, QStringLiteral("已撤销：修改刀具表"));
    EXPECT_EQ(lib.library.knives.count(), 0u);
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
