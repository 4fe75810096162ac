// Columns sized to their content and the user's widths; the right click and
// the typed letters that select rows.
#include "grid_test_support.h"

#include <grid/ShortenText.h>

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kCellMargin = 12; // the room a cell keeps beside its text
constexpr int kLabelMargin = 4;

QHeaderView* HeaderOf(CTreeGridCtrl& grid)
{
    return grid.findChild<QHeaderView*>();
}

} // namespace

TEST(Columns, FittedColumnsShowEveryTextWholeAndKeepTheirLeastWidth)
{
    auto grid = MakeGrid(QSize(300, 200), 60, 40, 200);
    grid->AddRootRow(MakeRecord("1", {"2050.00", "x"}));
    grid->AddRootRow(MakeRecord("12345678901234567890", {"a much longer name than forty pixels", ""}));
    grid->FitColumnsToContents();

    const QFontMetrics metrics(grid->eventTarget()->font());
    QHeaderView* header = HeaderOf(*grid);
    for (int row = 0; row < grid->RowCount(); ++row) {
        const CItemInfo* info = grid->GetRowInfo(row);
        const QRect bounds = grid->GetRowBounds(row);
        const int labelWidth = grid->ColumnWidth(0) - (bounds.left() + 2 * 16); // image and indent of a root
        EXPECT_TRUE(TextFits(metrics, info->m_text, labelWidth, kLabelMargin)) << row;
        for (int c = 1; c < grid->ColumnCount(); ++c)
            EXPECT_TRUE(TextFits(metrics, info->SubItemText(c - 1), grid->ColumnWidth(c), kCellMargin)) << row << c;
    }
    for (int c = 0; c < grid->ColumnCount(); ++c)
        EXPECT_GE(grid->ColumnWidth(c), header->sectionSizeHint(c)) << "heading of column " << c;
    EXPECT_EQ(grid->ColumnWidth(2), 200) << "a column wider than its content keeps its width";

    // Fitted to the texts alone, that column shrinks to its heading and text,
    // and refits after a font change stay so.
    grid->FitColumnsToTexts();
    const int fitted = grid->ColumnWidth(2);
    EXPECT_LT(fitted, 200);
    EXPECT_EQ(fitted, std::max(header->sectionSizeHint(2), metrics.horizontalAdvance("x") + kCellMargin + 1));
    QFont larger = grid->font();
    larger.setPixelSize(30);
    grid->setFont(larger);
    EXPECT_GT(grid->ColumnWidth(2), fitted);
    EXPECT_LT(grid->ColumnWidth(2), 200);
}

TEST(Columns, TheUsersWidthsWinOverTheContentAndComeBack)
{
    auto grid = MakeGrid(QSize(300, 200), 60, 40, 40);
    grid->AddRootRow(MakeRecord("1", {"a name long enough to widen the column", "b"}));
    grid->FitColumnsToContents();
    QSignalSpy changed(grid.get(), &CTreeGridCtrl::columnWidthsChangedByUser);
    HeaderOf(*grid)->resizeSection(1, 55); // as a drag of the column's edge does
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(grid->UserColumnWidths(), (QList<int>{0, 55, 0}));

    grid->AddRootRow(MakeRecord("2", {"an even longer name that would widen it once more", "c"}));
    grid->FitColumnsToContents();
    EXPECT_EQ(grid->ColumnWidth(1), 55);
    EXPECT_EQ(changed.count(), 1) << "sizing by the grid is not the user's";

    auto other = MakeGrid(QSize(300, 200), 60, 40, 40);
    other->AddRootRow(MakeRecord("1", {"a name long enough to widen the column", "b"}));
    other->FitColumnsToContents();
    other->SetUserColumnWidths(grid->UserColumnWidths());
    EXPECT_EQ(other->ColumnWidth(1), 55);
    EXPECT_GE(other->ColumnWidth(2), 40);
    other->SetUserColumnWidths({});
    EXPECT_GT(other->ColumnWidth(1), 55) << "a column given back fits its texts again";
}

TEST(Columns, RowsSharingATextStillFitTheWidestOne)
{
    auto grid = MakeGrid(QSize(300, 200), 60, 40, 40);
    const QString shared = QStringLiteral("2100.00");
    for (const QString& text : {shared, shared, QStringLiteral("a text far wider than the others"), shared})
        grid->AddRootRow(MakeRecord("1", {text, shared}));
    grid->FitColumnsToTexts();
    const QFontMetrics metrics(grid->eventTarget()->font());
    EXPECT_TRUE(TextFits(metrics, QStringLiteral("a text far wider than the others"), grid->ColumnWidth(1), kCellMargin));
    EXPECT_TRUE(TextFits(metrics, shared, grid->ColumnWidth(2), kCellMargin));
}

TEST(Mouse, ARightClickSelectsTheRowUnderTheCursorFirst)
{
    auto grid = MakeGrid();
    int models[3] = {};
    for (int& model : models)
        grid->AddRootRow(MakeRecord("r", {}, &model));
    grid->SetRowSelectedAndFocused(0);
    Settle();
    QSignalSpy changed(grid.get(), &CTreeGridCtrl::itemChanged);
    QSignalSpy pressed(grid.get(), &CTreeGridCtrl::leftButtonPressed);
    const QRect row2 = grid->GetRowBounds(2);
    QTest::mouseClick(grid->eventTarget(), Qt::RightButton, {}, QPoint(50, row2.center().y()));
    EXPECT_EQ(grid->GetFirstSelectedRow(), 2);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().first().value<void*>(), &models[2]);
    EXPECT_EQ(pressed.count(), 0) << "a right click is no left-button press";

    QTest::mouseClick(grid->eventTarget(), Qt::RightButton, {}, QPoint(50, 190));
    EXPECT_EQ(grid->GetFirstSelectedRow(), 2) << "a click below the rows keeps the selection";
}

TEST(Keyboard, TypedLettersJumpToTheNextRowWhoseNameStartsWithThem)
{
    auto grid = MakeGrid();
    for (const char* name : {"Anker", "Band", "bolzen", "Riegel", "Bügel"})
        grid->AddRootRow(MakeRecord(QString::number(grid->RowCount() + 1), {QString::fromUtf8(name)}));
    grid->SetSearchColumn(1);
    Settle();

    struct Step {
        const char* typed;
        bool pauseBefore;
        int row;
    };
    const Step steps[] = {
        {"b", false, 1},  {"b", false, 2}, // the same letter again steps on
        {"b", false, 4},  {"b", false, 1}, // and wraps around
        {"r", true, 3},   {"bo", true, 2}, // letters in quick succession make one prefix
        {"x", true, 2},                    // nothing starts with it: the selection stays
    };
    for (const Step& step : steps) {
        if (step.pauseBefore)
            QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(grid.get(), QString::fromUtf8(step.typed));
        EXPECT_EQ(grid->GetFirstSelectedRow(), step.row) << step.typed;
    }
}
