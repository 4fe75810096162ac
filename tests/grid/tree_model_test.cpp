#include "grid_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Node = CTreeGridCtrl::CTreeItem;

// The texts of column 0 as the rows show them, top to bottom.
QStringList RowTexts(const CTreeGridCtrl& grid)
{
    QStringList texts;
    for (int row = 0; row < grid.RowCount(); ++row)
        texts << grid.GetRowInfo(row)->m_text;
    return texts;
}

// Every shown node knows its own row.
void ExpectRowsNumbered(const CTreeGridCtrl& grid)
{
    for (int row = 0; row < grid.RowCount(); ++row) {
        EXPECT_EQ(grid.GetRowNode(row)->m_row, row);
        EXPECT_EQ(grid.RowOfNode(grid.GetRowNode(row)), row);
    }
}

// A root "r" with children "a" and "b"; "a" has children "a1" and "a2".
struct SmallTree {
    CTreeGridCtrl grid;
    Node* root = nullptr;
    Node* a = nullptr;
    Node* b = nullptr;
    Node* a1 = nullptr;
    Node* a2 = nullptr;
    Node* tail = nullptr;

    SmallTree()
    {
        grid.InsertColumn(0, "c0", 100);
        root = grid.AddRootRow(MakeRecord("r"));
        a = grid.AddChildRow(root, MakeRecord("a"));
        b = grid.AddChildRow(root, MakeRecord("b"));
        a1 = grid.AddChildRow(a, MakeRecord("a1"));
        a2 = grid.AddChildRow(a, MakeRecord("a2"));
        tail = grid.AddRootRow(MakeRecord("t"));
    }
};

} // namespace

TEST(TreeModel, RootRowsTakeRowsInOrder)
{
    CTreeGridCtrl grid;
    std::vector<Node*> nodes;
    for (const char* text : {"1", "2", "3"})
        nodes.push_back(grid.AddRootRow(MakeRecord(text)));
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.NodeCount(), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(nodes[row]->m_row, row);
        EXPECT_EQ(grid.RowOfNode(nodes[row]), row);
        EXPECT_EQ(nodes[row]->m_indent, 1);
        EXPECT_EQ(nodes[row]->m_parent, nullptr);
    }
    EXPECT_EQ(RowTexts(grid), QStringList({"1", "2", "3"}));
}

TEST(TreeModel, NullRecordBecomesAnEmptyOne)
{
    CTreeGridCtrl grid;
    Node* node = grid.AddRootRow(nullptr);
    ASSERT_NE(node->m_info, nullptr);
    EXPECT_TRUE(grid.GetRowInfo(0)->m_text.isEmpty());
}

TEST(TreeModel, RemoveAllRowsEmptiesTheGrid)
{
    CTreeGridCtrl grid;
    int owned = 0;
    for (int i = 0; i < 5; ++i)
        grid.AddRootRow(MakeRecord(QString::number(i), {}, &owned));
    grid.SetRowSelectedAndFocused(2);
    grid.RemoveAllRows();
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.NodeCount(), 0);
    EXPECT_EQ(grid.GetFirstSelectedRow(), -1);
    EXPECT_EQ(grid.GetRowInfo(0), nullptr);
    grid.RemoveAllRows();
    EXPECT_EQ(grid.RowCount(), 0);
    grid.AddRootRow(MakeRecord("again"));
    EXPECT_EQ(grid.GetRowNode(0)->m_row, 0);
}

TEST(TreeModel, ChildrenOfANewParentStartCollapsed)
{
    SmallTree t;
    EXPECT_EQ(RowTexts(t.grid), QStringList({"r", "t"}));
    EXPECT_EQ(t.grid.NodeCount(), 6);
    EXPECT_TRUE(t.root->m_collapsed);
    EXPECT_EQ(t.a1->m_indent, 3);
    EXPECT_EQ(t.grid.RowOfNode(t.a), -1);
    EXPECT_EQ(t.grid.RowOfNode(t.tail), 1);
}

TEST(TreeModel, ExpandShowsDirectChildrenOnly)
{
    SmallTree t;
    EXPECT_EQ(t.grid.ExpandNode(t.root, 0), 2);
    EXPECT_EQ(RowTexts(t.grid), QStringList({"r", "a", "b", "t"}));
    ExpectRowsNumbered(t.grid);
    EXPECT_EQ(t.grid.RowOfNode(t.a1), -1);
}

TEST(TreeModel, CollapseThenExpandShowsOnlyDirectChildren)
{
    SmallTree t;
    int last = -1;
    t.grid.ExpandSubtree(t.root, last);
    EXPECT_EQ(RowTexts(t.grid), QStringList({"r", "a", "a1", "a2", "b", "t"}));
    EXPECT_EQ(last, 3);
    ExpectRowsNumbered(t.grid);

    t.grid.CollapseNode(t.root);
    EXPECT_EQ(RowTexts(t.grid), QStringList({"r", "t"}));
    EXPECT_TRUE(t.a->m_collapsed);
    ExpectRowsNumbered(t.grid);

    t.grid.ExpandNode(t.root, 0);
    EXPECT_EQ(RowTexts(t.grid), QStringList({"r", "a", "b", "t"}));
    ExpectRowsNumbered(t.grid);
}

TEST(TreeModel, TreeOperationsOnLeavesChangeNothing)
{
    CTreeGridCtrl grid;
    Node* first = grid.AddRootRow(MakeRecord("1"));
    grid.AddRootRow(MakeRecord("2"));
    grid.CollapseNode(first);
    grid.CollapseNode(nullptr);
    EXPECT_EQ(grid.ExpandNode(first, 0), 0);
    int last = 7;
    grid.ExpandSubtree(first, last);
    EXPECT_EQ(last, 7);
    EXPECT_EQ(RowTexts(grid), QStringList({"1", "2"}));
    EXPECT_FALSE(first->m_collapsed);
}

TEST(TreeModel, ExpandWithAnotherNodesRowInsertsNothing)
{
    SmallTree t;
    EXPECT_EQ(t.grid.ExpandNode(t.root, 1), 1);
    EXPECT_EQ(RowTexts(t.grid), QStringList({"r", "t"}));
    EXPECT_TRUE(t.root->m_collapsed);
}

TEST(TreeModel, CollapsingAHiddenNodeLeavesTheRows)
{
    SmallTree t;
    t.grid.ExpandNode(t.root, 0);
    t.grid.ExpandNode(t.a, 1);
    t.grid.RemoveNode(t.a1); // keeps a expanded with one child
    t.grid.CollapseNode(t.root);
    t.grid.CollapseNode(t.a);
    EXPECT_EQ(RowTexts(t.grid), QStringList({"r", "t"}));
}

TEST(TreeModel, ChildOfAnExpandedParentIsShownAtOnce)
{
    SmallTree t;
    int last = 0;
    t.grid.ExpandSubtree(t.root, last);
    Node* a3 = t.grid.AddChildRow(t.a, MakeRecord("a3"));
    t.grid.AddChildRow(t.root, MakeRecord("c"));
    EXPECT_EQ(RowTexts(t.grid), QStringList({"r", "a", "a1", "a2", "a3", "b", "c", "t"}));
    EXPECT_EQ(a3->m_indent, 3);
    ExpectRowsNumbered(t.grid);
    EXPECT_EQ(t.grid.NodeCount(), 8);
}

TEST(TreeModel, RemoveNodeTakesItsSubtreeAndSelection)
{
    SmallTree t;
    int last = 0;
    t.grid.ExpandSubtree(t.root, last);
    t.grid.SetRowSelectedAndFocused(2); // a1
    t.grid.RemoveNode(t.a);
    EXPECT_EQ(RowTexts(t.grid), QStringList({"r", "b", "t"}));
    EXPECT_EQ(t.grid.NodeCount(), 3);
    EXPECT_EQ(t.grid.GetFirstSelectedRow(), -1);
    ExpectRowsNumbered(t.grid);

    t.grid.RemoveNode(t.b);
    EXPECT_FALSE(t.root->HasChildren());
    EXPECT_FALSE(t.root->m_collapsed);
    t.grid.RemoveNode(t.root);
    EXPECT_EQ(RowTexts(t.grid), QStringList({"t"}));
    EXPECT_EQ(t.grid.NodeCount(), 1);
}

TEST(TreeModel, SelectionFollowsItsNodeWhenRowsMove)
{
    SmallTree t;
    t.grid.SetRowSelectedAndFocused(1); // t
    t.grid.ExpandNode(t.root, 0);
    EXPECT_EQ(t.grid.GetFirstSelectedRow(), 3);
    t.grid.CollapseNode(t.root);
    EXPECT_EQ(t.grid.GetFirstSelectedRow(), 1);
}

TEST(TreeModel, RowImageFollowsChildrenAndRecord)
{
    SmallTree t;
    EXPECT_EQ(t.grid.RowImage(nullptr), 0);
    EXPECT_EQ(t.grid.RowImage(t.tail), 2);
    EXPECT_EQ(t.grid.RowImage(t.root), 1);
    t.grid.ExpandNode(t.root, 0);
    EXPECT_EQ(t.grid.RowImage(t.root), 0);
    t.tail->m_info->m_image = 5;
    EXPECT_EQ(t.grid.RowImage(t.tail), 5);
}

TEST(TreeModel, StoreEditedTextGrowsTheArray)
{
    CTreeGridCtrl grid;
    Node* node = grid.AddRootRow(MakeRecord("x", {"one"}));
    grid.StoreEditedText(node, {0, 3, "three"});
    ASSERT_EQ(node->m_info->m_subItemTexts.size(), 3);
    EXPECT_EQ(node->m_info->m_subItemTexts[0], "one");
    EXPECT_TRUE(node->m_info->m_subItemTexts[1].isEmpty());
    EXPECT_EQ(node->m_info->m_subItemTexts[2], "three");
    grid.StoreEditedText(node, {0, 0, "renamed"});
    EXPECT_EQ(node->m_info->m_text, "renamed");
}

TEST(TreeModel, FillingManyRowsStaysNumbered)
{
    CTreeGridCtrl grid;
    constexpr int count = 20000;
    for (int i = 0; i < count; ++i)
        grid.AddRootRow(MakeRecord(QString::number(i)));
    EXPECT_EQ(grid.RowCount(), count);
    EXPECT_EQ(grid.GetRowNode(count - 1)->m_row, count - 1);
    grid.RemoveAllRows();
    EXPECT_EQ(grid.NodeCount(), 0);
}
