#include "grid_test_support.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Node = CTreeGridCtrl::CTreeItem;

// A grid whose hooks can be refused and whose calls are counted.
class HookedGrid : public CTreeGridCtrl {
public:
    bool allowClick = true;
    bool allowExpand = true;
    bool allowCheck = true;
    int plainClicks = 0;
    int expanded = 0;

protected:
    bool MayHandleClick(const HitInfo&) override { return allowClick; }
    bool MayExpand(CTreeItem*, int) override { return allowExpand; }
    void AfterExpand(CTreeItem*, int) override { ++expanded; }
    bool MayToggleCheck(CTreeItem*) override { return allowCheck; }
    void AfterPlainClick() override { ++plainClicks; }
    COLORREF FocusCellColor() const override { return 0x00FF00; }
};

struct Fixture {
    HookedGrid grid;
    int models[2] = {};
    Node* parent = nullptr;

    Fixture()
    {
        grid.InsertColumn(0, "c0", 100);
        grid.InsertColumn(1, "c1", 100);
        parent = grid.AddRootRow(MakeRecord("p", {}, &models[0]));
        grid.AddChildRow(parent, MakeRecord("c"));
        grid.AddRootRow(MakeRecord("q", {}, &models[1]));
        grid.resize(300, 200);
        grid.show();
        Settle();
    }

    void Click(const QPoint& point) { QTest::mouseClick(grid.eventTarget(), Qt::LeftButton, {}, point); }
    QPoint ExpandBoxCentre() const { return {grid.GetRowBounds(0).left() + 8, grid.GetRowBounds(0).center().y()}; }
    QPoint Cell(int row) const { return {150, grid.GetRowBounds(row).center().y()}; }
};

} // namespace

TEST(Hooks, RefusedClickSelectsNothingButStillReportsThePress)
{
    Fixture f;
    f.grid.SetRowSelectedAndFocused(0);
    f.grid.allowClick = false;
    QSignalSpy pressed(&f.grid, &CTreeGridCtrl::leftButtonPressed);
    f.Click(f.Cell(1));
    EXPECT_EQ(f.grid.GetFirstSelectedRow(), 0);
    EXPECT_EQ(f.grid.FocusColumn(), 0);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).value<void*>(), &f.models[0]);
    EXPECT_EQ(f.grid.plainClicks, 0);
}

TEST(Hooks, PlainClicksAreReportedToTheHook)
{
    Fixture f;
    f.Click(f.Cell(1));
    f.Click(QPoint(10, f.grid.GetRowBounds(1).bottom() + 40));
    EXPECT_EQ(f.grid.plainClicks, 2);
    f.Click(f.ExpandBoxCentre());
    EXPECT_EQ(f.grid.plainClicks, 2);
    EXPECT_EQ(f.grid.expanded, 1);
}

TEST(Hooks, RefusedExpandFallsBackToAPlainClick)
{
    Fixture f;
    f.grid.allowExpand = false;
    f.Click(f.ExpandBoxCentre());
    EXPECT_EQ(f.grid.RowCount(), 2);
    EXPECT_EQ(f.grid.GetFirstSelectedRow(), 0);
    EXPECT_EQ(f.grid.plainClicks, 1);
}

TEST(Hooks, RefusedCheckToggleKeepsTheCheck)
{
    Fixture f;
    f.grid.SetExtendedStyle(LVS_EX_CHECKBOXES);
    f.grid.allowCheck = false;
    const QRect bounds = f.grid.GetRowBounds(1);
    f.Click(QPoint(bounds.left() + 40, bounds.center().y()));
    EXPECT_FALSE(f.grid.GetRowInfo(1)->m_checked);
    EXPECT_EQ(f.grid.GetFirstSelectedRow(), 1);
}

TEST(Hooks, FocusCellColourComesFromTheHook)
{
    Fixture f;
    f.Click(f.Cell(1));
    const QImage image = RenderViewport(f.grid);
    EXPECT_EQ(image.pixelColor(190, f.grid.GetRowBounds(1).top() + 2), QColor(0, 255, 0));
}
