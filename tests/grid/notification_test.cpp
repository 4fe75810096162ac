#include "grid_test_support.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

// Records the grid's notifications in the order they were sent.
struct Recorder {
    std::vector<std::pair<int, void*>> events;

    explicit Recorder(CTreeGridCtrl& grid)
    {
        QObject::connect(&grid, &CTreeGridCtrl::leftButtonPressed, [this](void* p) { events.emplace_back(TGN_LBUTTONDOWN, p); });
        QObject::connect(&grid, &CTreeGridCtrl::leftButtonDoubleClicked,
                         [this](void* p) { events.emplace_back(TGN_LBUTTONDBLCLK, p); });
        QObject::connect(&grid, &CTreeGridCtrl::itemChanged, [this](void* p) { events.emplace_back(TGN_ITEMCHANGED, p); });
    }
};

struct FilledGrid {
    std::array<int, 4> models{};
    std::unique_ptr<CTreeGridCtrl> grid = MakeGrid();

    FilledGrid()
    {
        for (int i = 0; i < int(models.size()); ++i)
            grid->AddRootRow(MakeRecord(QString::number(i + 1), {"name", "comment"}, &models[i]));
        Settle();
    }

    QPoint CellCentre(int row, int column) const
    {
        const QRect bounds = grid->GetRowBounds(row);
        int x = bounds.left();
        for (int c = 0; c < column; ++c)
            x += grid->ColumnWidth(c);
        return QPoint(x + grid->ColumnWidth(column) / 2, bounds.center().y());
    }
};

} // namespace

TEST(Notifications, PressOnARowSendsItemChangedThenPress)
{
    FilledGrid f;
    Recorder recorder(*f.grid);
    QTest::mouseClick(f.grid->eventTarget(), Qt::LeftButton, {}, f.CellCentre(2, 1));
    EXPECT_EQ(f.grid->GetFirstSelectedRow(), 2);
    EXPECT_EQ(f.grid->FocusColumn(), 1);
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0], std::make_pair(TGN_ITEMCHANGED, static_cast<void*>(&f.models[2])));
    EXPECT_EQ(recorder.events[1], std::make_pair(TGN_LBUTTONDOWN, static_cast<void*>(&f.models[2])));
}

TEST(Notifications, MovingTheSelectionReportsTheNewRow)
{
    FilledGrid f;
    f.grid->SetRowSelectedAndFocused(0);
    Recorder recorder(*f.grid);
    QTest::mouseClick(f.grid->eventTarget(), Qt::LeftButton, {}, f.CellCentre(3, 0));
    ASSERT_GE(recorder.events.size(), 2u);
    for (std::size_t i = 0; i + 1 < recorder.events.size(); ++i)
        EXPECT_EQ(recorder.events[i], std::make_pair(TGN_ITEMCHANGED, static_cast<void*>(&f.models[3])));
    EXPECT_EQ(recorder.events.back(), std::make_pair(TGN_LBUTTONDOWN, static_cast<void*>(&f.models[3])));
}

TEST(Notifications, PressOnTheSelectedRowSendsOnlyPress)
{
    FilledGrid f;
    f.grid->SetRowSelectedAndFocused(1);
    Recorder recorder(*f.grid);
    QTest::mouseClick(f.grid->eventTarget(), Qt::LeftButton, {}, f.CellCentre(1, 2));
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0], std::make_pair(TGN_LBUTTONDOWN, static_cast<void*>(&f.models[1])));
}

TEST(Notifications, PressBelowTheRowsReportsTheRowStillSelected)
{
    FilledGrid f;
    f.grid->SetRowSelectedAndFocused(1);
    Recorder recorder(*f.grid);
    const QPoint below(50, f.grid->GetRowBounds(3).bottom() + 20);
    QTest::mouseClick(f.grid->eventTarget(), Qt::LeftButton, {}, below);
    EXPECT_EQ(f.grid->GetFirstSelectedRow(), 1);
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0], std::make_pair(TGN_LBUTTONDOWN, static_cast<void*>(&f.models[1])));
}

TEST(Notifications, PressWithoutSelectionOrPointerSendsNothing)
{
    FilledGrid f;
    QSignalSpy pressed(f.grid.get(), &CTreeGridCtrl::leftButtonPressed);
    QTest::mouseClick(f.grid->eventTarget(), Qt::LeftButton, {}, QPoint(50, f.grid->GetRowBounds(3).bottom() + 20));
    EXPECT_EQ(pressed.count(), 0);

    f.grid->GetRowInfo(0)->m_userData = nullptr;
    QSignalSpy changed(f.grid.get(), &CTreeGridCtrl::itemChanged);
    QTest::mouseClick(f.grid->eventTarget(), Qt::LeftButton, {}, f.CellCentre(0, 0));
    EXPECT_EQ(f.grid->GetFirstSelectedRow(), 0);
    EXPECT_EQ(pressed.count(), 0);
    EXPECT_EQ(changed.count(), 0);
}

TEST(Notifications, DoubleClickSendsDoubleClickAfterPress)
{
    FilledGrid f;
    Recorder recorder(*f.grid);
    QTest::mouseDClick(f.grid->eventTarget(), Qt::LeftButton, {}, f.CellCentre(1, 1));
    ASSERT_FALSE(recorder.events.empty());
    EXPECT_EQ(recorder.events.back(), std::make_pair(TGN_LBUTTONDBLCLK, static_cast<void*>(&f.models[1])));
    int doubleClicks = 0;
    for (const auto& event : recorder.events)
        doubleClicks += event.first == TGN_LBUTTONDBLCLK;
    EXPECT_EQ(doubleClicks, 1);
}

TEST(Notifications, RemoveAllRowsSendsNoPointer)
{
    FilledGrid f;
    f.grid->SetRowSelectedAndFocused(2);
    Recorder recorder(*f.grid);
    f.grid->RemoveAllRows();
    Settle();
    for (const auto& event : recorder.events)
        EXPECT_EQ(event.second, nullptr);
    EXPECT_TRUE(recorder.events.empty());
}

TEST(Notifications, SetRowSelectedAndFocusedReportsTheChange)
{
    FilledGrid f;
    QSignalSpy changed(f.grid.get(), &CTreeGridCtrl::itemChanged);
    f.grid->SetRowSelectedAndFocused(3);
    f.grid->SetRowSelectedAndFocused(3);
    f.grid->SetRowSelectedAndFocused(9);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<void*>(), &f.models[3]);
}

TEST(Notifications, PressScrollsAHiddenColumnToTheLeftEdge)
{
    FilledGrid f;
    f.grid->SetColumnWidth(2, 600);
    Settle();
    QTest::mouseClick(f.grid->eventTarget(), Qt::LeftButton, {}, QPoint(250, f.grid->GetRowBounds(0).center().y()));
    EXPECT_EQ(f.grid->FocusColumn(), 2);
    EXPECT_EQ(f.grid->GetRowBounds(0).left(), -200);
}
