#include "grid_test_support.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace {

using Node = CTreeGridCtrl::CTreeItem;

// A parent that counts the key presses its child passes on.
class KeyCatcher : public QWidget {
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

void Press(CTreeGridCtrl& grid, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(&grid, key, modifiers);
    Settle();
}

} // namespace

TEST(Keyboard, SideArrowsMoveTheFocusColumnWithinBounds)
{
    KeyCatcher parent;
    auto* grid = new CTreeGridCtrl(&parent);
    for (int c = 0; c < 3; ++c)
        grid->InsertColumn(c, "c", 80);
    grid->AddRootRow(MakeRecord("1"));
    grid->SetRowSelectedAndFocused(0);
    parent.resize(400, 200);
    grid->resize(400, 200);
    parent.show();
    Settle();

    struct Step {
        Qt::Key key;
        int column;
    };
    const std::array<Step, 6> steps = {{{Qt::Key_Left, 0}, {Qt::Key_Right, 1}, {Qt::Key_Right, 2},
                                        {Qt::Key_Right, 2}, {Qt::Key_Left, 1}, {Qt::Key_Left, 0}}};
    for (const Step& step : steps) {
        Press(*grid, step.key);
        EXPECT_EQ(grid->FocusColumn(), step.column);
    }
    EXPECT_EQ(parent.keys, 0);
    EXPECT_EQ(grid->GetFirstSelectedRow(), 0);
}

TEST(Keyboard, RightArrowScrollsTheFocusColumnIntoView)
{
    auto grid = MakeGrid(QSize(300, 200), 100, 150, 400);
    grid->AddRootRow(MakeRecord("1"));
    Settle();
    Press(*grid, Qt::Key_Right);
    EXPECT_EQ(grid->GetRowBounds(0).left(), 0);
    Press(*grid, Qt::Key_Right);
    EXPECT_EQ(grid->GetRowBounds(0).left(), -250);
    Press(*grid, Qt::Key_Right); // clamped: no further scrolling
    EXPECT_EQ(grid->GetRowBounds(0).left(), -250);
}

TEST(Keyboard, VerticalKeysChangeTheSelectionWithItemChangedOnly)
{
    auto grid = MakeGrid();
    std::array<int, 3> models{};
    for (int& model : models)
        grid->AddRootRow(MakeRecord("r", {}, &model));
    Settle();
    QSignalSpy changed(grid.get(), &CTreeGridCtrl::itemChanged);
    QSignalSpy pressed(grid.get(), &CTreeGridCtrl::leftButtonPressed);
    Press(*grid, Qt::Key_Down);
    EXPECT_EQ(grid->GetFirstSelectedRow(), 0);
    Press(*grid, Qt::Key_End);
    EXPECT_EQ(grid->GetFirstSelectedRow(), 2);
    Press(*grid, Qt::Key_Down);
    EXPECT_EQ(grid->GetFirstSelectedRow(), 2);
    Press(*grid, Qt::Key_Up);
    EXPECT_EQ(grid->GetFirstSelectedRow(), 1);
    EXPECT_EQ(pressed.count(), 0);
    ASSERT_EQ(changed.count(), 3);
    EXPECT_EQ(changed.at(2).at(0).value<void*>(), &models[1]);
}

// Enter is the keyboard's double click for whoever listens; otherwise, and
// without a selected row that carries data, it goes on to the window behind
// (a dialog's default button).
TEST(Keyboard, EnterActivatesTheSelectedRowForAListener)
{
    KeyCatcher parent;
    auto* grid = new CTreeGridCtrl(&parent);
    grid->InsertColumn(0, "c", 80);
    int model = 0;
    grid->AddRootRow(MakeRecord("data", {}, &model));
    grid->AddRootRow(MakeRecord("none"));
    parent.resize(300, 200);
    grid->resize(300, 200);
    parent.show();
    Settle();

    grid->SetRowSelectedAndFocused(0);
    Press(*grid, Qt::Key_Return);
    EXPECT_EQ(parent.keys, 1) << "nobody listens";

    QSignalSpy entered(grid, &CTreeGridCtrl::returnPressed);
    QSignalSpy doubled(grid, &CTreeGridCtrl::leftButtonDoubleClicked);
    Press(*grid, Qt::Key_Return);
    Press(*grid, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(entered.count(), 2);
    EXPECT_EQ(entered.at(1).at(0).value<void*>(), &model);
    EXPECT_EQ(doubled.count(), 0);
    EXPECT_EQ(parent.keys, 1);

    grid->SetRowSelectedAndFocused(1);
    Press(*grid, Qt::Key_Return);
    EXPECT_EQ(entered.count(), 2);
    EXPECT_EQ(parent.keys, 2) << "a row without data";
}

TEST(Keyboard, TreeKeysExpandAndCollapseTheSelectedNode)
{
    auto grid = MakeGrid();
    Node* root = grid->AddRootRow(MakeRecord("r"));
    Node* a = grid->AddChildRow(root, MakeRecord("a"));
    grid->AddChildRow(a, MakeRecord("a1"));
    grid->AddChildRow(root, MakeRecord("b"));
    grid->SetRowSelectedAndFocused(0);

    Press(*grid, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(grid->RowCount(), 3);
    Press(*grid, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(grid->RowCount(), 1);
    Press(*grid, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->GetFirstSelectedRow(), 0);
}

TEST(Keyboard, ExpandAllOnALeafKeepsTheScrollPosition)
{
    auto grid = MakeGrid(QSize(300, 120));
    for (int i = 0; i < 50; ++i)
        grid->AddRootRow(MakeRecord(QString::number(i)));
    Settle();
    grid->SetRowSelectedAndFocused(40);
    grid->EnsureRowVisible(40);
    const int top = grid->TopRow();
    ASSERT_GT(top, 0);
    Press(*grid, Qt::Key_Asterisk);
    Press(*grid, Qt::Key_Plus);
    EXPECT_EQ(grid->TopRow(), top);
}

TEST(Keyboard, SpaceFlipsRecordAndCheckBoxWithCheckBoxes)
{
    auto grid = MakeGrid();
    grid->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    int model = 0;
    grid->AddRootRow(MakeRecord("r", {}, &model));
    grid->SetRowSelectedAndFocused(0);
    QSignalSpy changed(grid.get(), &CTreeGridCtrl::itemChanged);
    Press(*grid, Qt::Key_Space);
    EXPECT_TRUE(grid->GetRowInfo(0)->m_checked);
    EXPECT_TRUE(grid->GetRowCheck(0));
    EXPECT_EQ(changed.count(), 1);

    grid->SetExtendedStyle(LVS_EX_GRIDLINES);
    Press(*grid, Qt::Key_Space);
    EXPECT_TRUE(grid->GetRowInfo(0)->m_checked);
}

TEST(Mouse, ClickOnTheCheckBoxFlipsTheCheck)
{
    auto grid = MakeGrid();
    grid->SetExtendedStyle(LVS_EX_CHECKBOXES);
    grid->AddRootRow(MakeRecord("r"));
    Settle();
    const QRect bounds = grid->GetRowBounds(0);
    const QPoint onCheckBox(bounds.left() + 16 + 16 + 8, bounds.center().y());
    QTest::mouseClick(grid->eventTarget(), Qt::LeftButton, {}, onCheckBox);
    EXPECT_TRUE(grid->GetRowInfo(0)->m_checked);
    EXPECT_TRUE(grid->GetRowCheck(0));
    QTest::mouseClick(grid->eventTarget(), Qt::LeftButton, {}, QPoint(bounds.left() + 80, bounds.center().y()));
    EXPECT_TRUE(grid->GetRowInfo(0)->m_checked);
}

TEST(Mouse, ClickOnTheExpandBoxTogglesWithoutSelecting)
{
    auto grid = MakeGrid();
    int model = 0;
    Node* root = grid->AddRootRow(MakeRecord("r", {}, &model));
    grid->AddChildRow(root, MakeRecord("a"));
    grid->AddChildRow(root, MakeRecord("b"));
    Settle();
    QSignalSpy pressed(grid.get(), &CTreeGridCtrl::leftButtonPressed);
    const QPoint box(grid->GetRowBounds(0).left() + 8, grid->GetRowBounds(0).center().y());
    QTest::mouseClick(grid->eventTarget(), Qt::LeftButton, {}, box);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->GetFirstSelectedRow(), -1);
    EXPECT_EQ(pressed.count(), 0);
    QTest::mouseClick(grid->eventTarget(), Qt::LeftButton, {}, box);
    EXPECT_EQ(grid->RowCount(), 1);
}

TEST(Mouse, CollapsingKeepsTheNodeInView)
{
    auto grid = MakeGrid(QSize(300, 120));
    for (int i = 0; i < 40; ++i)
        grid->AddRootRow(MakeRecord(QString::number(i)));
    Node* parent = grid->AddRootRow(MakeRecord("p"));
    for (int i = 0; i < 3; ++i)
        grid->AddChildRow(parent, MakeRecord("c"));
    Settle();
    grid->ExpandNode(parent, 40);
    grid->EnsureRowVisible(43);
    const QRect bounds = grid->GetRowBounds(40);
    QTest::mouseClick(grid->eventTarget(), Qt::LeftButton, {}, QPoint(bounds.left() + 8, bounds.center().y()));
    EXPECT_EQ(grid->RowCount(), 41);
    EXPECT_GT(grid->TopRow(), 0);
    EXPECT_TRUE(grid->GetRowBounds(40).intersects(grid->eventTarget()->rect()));
}
