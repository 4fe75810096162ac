#include "grid_test_support.h"

#include <grid/GridImageStrip.h>
#include <grid/ReadableColor.h>

#include <QDir>
#include <QFontInfo>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Node = CTreeGridCtrl::CTreeItem;

constexpr int kFontPixels = 12;
const QColor kFocus(192, 0, 0);

QFont TestFont()
{
    QFont font;
    font.setPixelSize(kFontPixels);
    return font;
}

// A shown grid without grid lines, in the test font, with the given columns.
std::unique_ptr<CTreeGridCtrl> MakePaintGrid(int width0 = 100, int width1 = 100, int width2 = 100)
{
    auto grid = MakeGrid(QSize(400, 200), width0, width1, width2);
    grid->SetExtendedStyle(0);
    grid->setFont(TestFont());
    Settle();
    return grid;
}

QColor Base(const CTreeGridCtrl& grid)
{
    return grid.palette().color(QPalette::Active, QPalette::Base);
}

QColor Highlight(const CTreeGridCtrl& grid)
{
    return grid.palette().color(QPalette::Active, QPalette::Highlight);
}

QColor Pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

int ImageTop(const QRect& bounds)
{
    const int bottom = bounds.top() + bounds.height();
    return bottom - (bottom - kGridImageHeight - bounds.top()) / 2 - kGridImageHeight;
}

// Columns of the span [left, right) in which some pixel of the row differs
// from the given colour: where ink was put.
QList<int> InkColumns(const QImage& image, const QRect& bounds, int left, int right, const QColor& background)
{
    QList<int> columns;
    for (int x = left; x < right; ++x) {
        for (int y = bounds.top() + 1; y < bounds.top() + bounds.height() - 1; ++y) {
            if (Pixel(image, x, y) != background) {
                columns << x;
                break;
            }
        }
    }
    return columns;
}

// The darkest pixel of a span of a row, by its lightness.
int DarkestLightness(const QImage& image, const QRect& bounds, int left, int right)
{
    int darkest = 255;
    for (int x = left; x < right; ++x)
        for (int y = bounds.top(); y < bounds.top() + bounds.height(); ++y)
            darkest = std::min(darkest, Pixel(image, x, y).lightness());
    return darkest;
}

// Pixels of the area that are nearly white.
int WhitePixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const QColor c = Pixel(image, x, y);
            count += std::min({c.red(), c.green(), c.blue()}) >= 200;
        }
    return count;
}

} // namespace

// A row is as high as a line of its font and a few pixels of padding. The
// font is pinned to one the set-up installs, whose heights are known.
TEST(Painting, RowHeightFollowsTheFont)
{
    struct Case {
        int pixels;
        int rowHeight;
    };
    for (const Case& c : {Case{12, 21}, Case{24, 39}}) {
        QFont font(QStringLiteral("Noto Sans CJK SC"));
        font.setPixelSize(c.pixels);
        ASSERT_EQ(QFontInfo(font).family(), QStringLiteral("Noto Sans CJK SC"));
        auto grid = MakePaintGrid();
        grid->setFont(font);
        grid->AddRootRow(MakeRecord("1"));
        grid->AddRootRow(MakeRecord("2"));
        Settle();
        EXPECT_EQ(grid->RowHeight(), c.rowHeight) << c.pixels;
        EXPECT_EQ(grid->GetRowBounds(1).top() - grid->GetRowBounds(0).top(), c.rowHeight) << c.pixels;

        grid->SetRowSelectedAndFocused(1);
        const QImage image = RenderViewport(*grid);
        EXPECT_EQ(Pixel(image, 250, c.rowHeight - 1), Base(*grid));
        EXPECT_EQ(Pixel(image, 250, c.rowHeight), Highlight(*grid));
        EXPECT_EQ(Pixel(image, 250, 2 * c.rowHeight - 1), Highlight(*grid));
        EXPECT_EQ(Pixel(image, 250, 2 * c.rowHeight), Base(*grid));
    }
}

TEST(Painting, LeafImageOfARootRowSitsOneStepIn)
{
    auto grid = MakePaintGrid();
    grid->AddRootRow(MakeRecord(""));
    const QImage image = RenderViewport(*grid);
    const QRect bounds = grid->GetRowBounds(0);
    const int top = ImageTop(bounds);

    QImage expected(kGridImageWidth, kGridImageHeight, QImage::Format_RGB32);
    expected.fill(Base(*grid));
    {
        QPainter painter(&expected);
        painter.drawPixmap(0, 0, MakeGridImageStrip(), LeafImage * kGridImageWidth, 0, kGridImageWidth,
                           kGridImageHeight);
    }
    EXPECT_EQ(image.copy(bounds.left() + 16, top, kGridImageWidth, kGridImageHeight), expected);
    // A root without children has no lines and no box left of its image.
    EXPECT_TRUE(InkColumns(image, bounds, 0, 16, Base(*grid)).isEmpty());
}

TEST(Painting, ImageStripMasksItsBackgroundColour)
{
    const QImage strip = MakeGridImageStrip().toImage();
    ASSERT_EQ(strip.size(), QSize(160, 15));
    EXPECT_EQ(strip.pixelColor(0, 0).alpha(), 0);
    for (int image = 0; image < kGridImageCount; ++image) {
        bool drawn = false;
        for (int x = 0; x < kGridImageWidth && !drawn; ++x)
            for (int y = 0; y < kGridImageHeight && !drawn; ++y)
                drawn = strip.pixelColor(image * kGridImageWidth + x, y).alpha() == 255;
        EXPECT_TRUE(drawn) << "image " << image;
    }
}

TEST(Painting, NarrowFirstColumnCutsTheImageAtItsEnd)
{
    auto grid = MakePaintGrid(24, 100, 100);
    grid->AddRootRow(MakeRecord("", {""}));
    const QImage image = RenderViewport(*grid);
    const QRect bounds = grid->GetRowBounds(0);
    EXPECT_FALSE(InkColumns(image, bounds, 16, 24, Base(*grid)).isEmpty());
    EXPECT_TRUE(InkColumns(image, bounds, 24, 40, Base(*grid)).isEmpty());
}

TEST(Painting, FocusCellIsDarkRedAndFramed)
{
    auto grid = MakePaintGrid();
    grid->AddRootRow(MakeRecord("1", {"", "x"}));
    grid->SetRowSelectedAndFocused(0);
    QTest::keyClick(grid.get(), Qt::Key_Right);
    const QImage image = RenderViewport(*grid);
    const QRect bounds = grid->GetRowBounds(0);
    const int cellLeft = bounds.left() + 100;
    EXPECT_EQ(Pixel(image, cellLeft + 50, bounds.center().y()), kFocus);
    EXPECT_EQ(Pixel(image, cellLeft + 2, bounds.top() + 2), kFocus);
    // The dotted frame: every other pixel of the top edge in the inverse colour.
    const QColor inverse(63, 255, 255);
    int framed = 0;
    for (int x = cellLeft; x < cellLeft + 10; ++x)
        framed += Pixel(image, x, bounds.top()) == inverse;
    EXPECT_EQ(framed, 5);
    // The other cells of the selected row stay highlighted.
    EXPECT_EQ(Pixel(image, bounds.left() + 250, bounds.top() + 2), Highlight(*grid));
}

TEST(Painting, FocusInColumnZeroFillsTheLabelArea)
{
    auto grid = MakePaintGrid();
    grid->AddRootRow(MakeRecord(""));
    grid->SetRowSelectedAndFocused(0);
    const QImage image = RenderViewport(*grid);
    const QRect bounds = grid->GetRowBounds(0);
    EXPECT_EQ(Pixel(image, bounds.left() + 33, bounds.center().y()), Base(*grid));
    EXPECT_EQ(Pixel(image, bounds.left() + 60, bounds.center().y()), kFocus);
    EXPECT_EQ(Pixel(image, bounds.left() + 150, bounds.center().y()), Highlight(*grid));
}

TEST(Painting, SelectedRowKeepsTheRecordsTextColour)
{
    auto grid = MakePaintGrid();
    grid->AddRootRow(MakeRecord("1", {"MMMM"}));
    grid->AddRootRow(MakeRecord("2", {"MMMM"}));
    grid->SetRowSelectedAndFocused(0);
    QTest::keyClick(grid.get(), Qt::Key_Right);
    QTest::keyClick(grid.get(), Qt::Key_Right); // focus on the empty column 2
    const QImage image = RenderViewport(*grid);
    const QRect selected = grid->GetRowBounds(0);
    const QRect plain = grid->GetRowBounds(1);
    EXPECT_LT(DarkestLightness(image, selected, 100, 200), 60);
    EXPECT_LT(DarkestLightness(image, plain, 100, 200), 60);
    EXPECT_EQ(Pixel(image, 198, selected.top() + 1), Highlight(*grid));
    EXPECT_EQ(Pixel(image, 198, plain.top() + 1), Base(*grid));
}

// Text keeps the record's colour where it reads well, and turns black or
// white where it would not: on the focus cell's red, on a dark highlight.
TEST(Painting, TextReadsOnTheFocusCellAndOnADarkHighlight)
{
    const QColor black(Qt::black), white(Qt::white), focus(kFocus), darkBlue(0x3A, 0x6E, 0xA5);
    struct Case {
        QColor text;
        QList<QColor> backgrounds;
        QColor readable;
    };
    const Case colours[] = {
        {black, {white}, black},
        {black, {darkBlue}, white},
        {white, {white}, black},
        {black, {focus, QColor(0x30, 0x8C, 0xC6)}, white},
        {QColor(0x20, 0x20, 0x20), {QColor(0x2B, 0x2B, 0x2B)}, white},
    };
    for (const auto& [text, backgrounds, readable] : colours)
        EXPECT_EQ(ReadableTextColor(text, backgrounds), readable) << text.name().toStdString();

    auto grid = MakePaintGrid();
    grid->AddRootRow(MakeRecord("1", {"MMMM", "MMMM"}));
    grid->SetRowSelectedAndFocused(0);
    QTest::keyClick(grid.get(), Qt::Key_Right); // the focus on column 1
    const QRect row = grid->GetRowBounds(0);
    const QRect focusCell(row.left() + 103, row.top() + 3, 94, row.height() - 6);
    const QRect otherCell(row.left() + 203, row.top() + 3, 94, row.height() - 6);
    QImage image = RenderViewport(*grid);
    EXPECT_GT(WhitePixels(image, focusCell), 4) << "light text on the red";
    EXPECT_LT(DarkestLightness(image, otherCell, otherCell.left(), otherCell.right()), 60)
        << "the record's black stays on the light highlight";

    QPalette dark = grid->palette();
    dark.setColor(QPalette::Highlight, darkBlue);
    grid->setPalette(dark);
    image = RenderViewport(*grid);
    EXPECT_GT(WhitePixels(image, otherCell), 4);
    EXPECT_GT(DarkestLightness(image, otherCell, otherCell.left(), otherCell.right()), 60);
}

TEST(Painting, RowAndCellColoursFillTheirAreas)
{
    auto grid = MakePaintGrid();
    CItemInfo* info = MakeRecord("", {"", ""});
    info->m_rowColor = 0x00FF00;
    info->m_cellColors[1] = 0xFF0000;
    info->m_cellColors[0] = COLORREF_NONE;
    grid->AddRootRow(info);
    const QImage image = RenderViewport(*grid);
    const QRect bounds = grid->GetRowBounds(0);
    EXPECT_EQ(Pixel(image, 60, bounds.center().y()), QColor(0, 255, 0));
    EXPECT_EQ(Pixel(image, 150, bounds.center().y()), Base(*grid));
    EXPECT_EQ(Pixel(image, 250, bounds.center().y()), QColor(0, 0, 255));
}

TEST(Painting, AlignmentAppliesOnlyToTextsThatFit)
{
    auto grid = std::make_unique<CTreeGridCtrl>();
    grid->InsertColumn(0, "c0", 60);
    grid->InsertColumn(1, "right", 120, Qt::AlignRight);
    grid->InsertColumn(2, "centre", 120, Qt::AlignHCenter);
    grid->setFont(TestFont());
    grid->resize(400, 200);
    grid->show();
    grid->AddRootRow(MakeRecord("", {"ab", "ab"}));
    grid->AddRootRow(MakeRecord("", {QString(40, 'W'), QString(40, 'W')}));
    const QImage image = RenderViewport(*grid);
    const QColor base = Base(*grid);

    const QList<int> rightInk = InkColumns(image, grid->GetRowBounds(0), 60, 180, base);
    ASSERT_FALSE(rightInk.isEmpty());
    EXPECT_GT(rightInk.first(), 140);
    EXPECT_LE(rightInk.last(), 180 - 6);
    const QList<int> centreInk = InkColumns(image, grid->GetRowBounds(0), 180, 300, base);
    ASSERT_FALSE(centreInk.isEmpty());
    EXPECT_NEAR((centreInk.first() + centreInk.last()) / 2, 240, 3);

    // Shortened texts start at the left inset whatever the column's format.
    for (const int cellLeft : {60, 180}) {
        const QList<int> ink = InkColumns(image, grid->GetRowBounds(1), cellLeft, cellLeft + 120, base);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_LE(ink.first(), cellLeft + 8);
        EXPECT_LE(ink.last(), cellLeft + 120 - 6);
    }
}

TEST(Painting, TreeLinesAndExpandBoxes)
{
    auto grid = MakePaintGrid(150);
    Node* root = grid->AddRootRow(MakeRecord(""));
    grid->AddChildRow(root, MakeRecord(""));
    grid->AddChildRow(root, MakeRecord(""));
    const QColor boxOutline = ColorFromColorRef(0xC6C6C6);
    const QColor line = ColorFromColorRef(0xC0C0C0);

    QImage image = RenderViewport(*grid);
    QRect bounds = grid->GetRowBounds(0);
    const QRect box(bounds.left() + 3, bounds.top() + ((bounds.height() - 15) >> 1) + 8 - 5, 11, 10);
    EXPECT_EQ(Pixel(image, box.left(), box.top() + 1), boxOutline);
    EXPECT_EQ(Pixel(image, box.left() + 10, box.top() + 1), boxOutline);
    const QPoint centre(bounds.left() + 8, box.top() + 5);
    EXPECT_EQ(Pixel(image, centre.x(), centre.y()), QColor(Qt::black));
    EXPECT_EQ(Pixel(image, centre.x(), centre.y() - 2), QColor(Qt::black)); // the plus
    EXPECT_EQ(Pixel(image, centre.x() + 1, centre.y() + 1), QColor(Qt::white));

    grid->ExpandNode(root, 0);
    image = RenderViewport(*grid);
    EXPECT_EQ(Pixel(image, centre.x(), centre.y() - 2), QColor(Qt::white)); // a minus now
    // The first child's connector runs through its row towards the second.
    const QRect child = grid->GetRowBounds(1);
    const int x = child.left() + 2 * 16 - 8;
    EXPECT_EQ(Pixel(image, x, child.top()), line);
    EXPECT_EQ(Pixel(image, x, child.top() + child.height() - 1), line);
    // The last child's connector stops at its middle.
    const QRect last = grid->GetRowBounds(2);
    EXPECT_EQ(Pixel(image, x, last.top()), line);
    EXPECT_EQ(Pixel(image, x, last.top() + last.height() - 1), Base(*grid));
}

TEST(Painting, GridLinesUnderTheStyle)
{
    auto grid = MakePaintGrid();
    grid->AddRootRow(MakeRecord(""));
    const QColor base = Base(*grid);
    EXPECT_EQ(Pixel(RenderViewport(*grid), 99, 100), base);
    grid->SetExtendedStyle(LVS_EX_GRIDLINES);
    const QImage image = RenderViewport(*grid);
    EXPECT_NE(Pixel(image, 99, 100), base);
    EXPECT_NE(Pixel(image, 50, grid->RowHeight() - 1), base);
}

TEST(Painting, ScreenshotOfAFilledGrid)
{
    auto grid = std::make_unique<CTreeGridCtrl>();
    grid->SetExtendedStyle(LVS_EX_GRIDLINES);
    grid->InsertColumn(0, QString::fromUtf8("编号"), 60);
    grid->InsertColumn(1, QString::fromUtf8("名称"), 120);
    grid->InsertColumn(2, QString::fromUtf8("注释"), 160);
    grid->InsertColumn(3, QString::fromUtf8("长度"), 80, Qt::AlignRight);
    grid->resize(480, 220);
    grid->show();
    const char* names[] = {"合页 A", "合页 B", "锁芯 标准型", "门 2100", "一个很长很长的名称，显示不下"};
    for (int i = 0; i < 5; ++i) {
        CItemInfo* info = MakeRecord(QString::number(i + 1),
                                     {QString::fromUtf8(names[i]), QString::fromUtf8("注释 %1").arg(i + 1),
                                      QString::number(2100.0 - 100 * i, 'f', 2)});
        if (i == 3)
            info->m_cellColors[1] = 0xC0FFFF;
        grid->AddRootRow(info);
    }
    Node* parent = grid->AddRootRow(MakeRecord("6", {QString::fromUtf8("组")}));
    grid->AddChildRow(parent, MakeRecord("6.1", {QString::fromUtf8("子项")}));
    grid->AddChildRow(parent, MakeRecord("6.2", {QString::fromUtf8("子项")}));
    grid->ExpandNode(parent, 5);
    grid->SetRowSelectedAndFocused(1);
    QTest::keyClick(grid.get(), Qt::Key_Right);
    Settle();

    const QString folder = QStringLiteral(VARNHOLT_BINARY_DIR) + "/screenshots";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QImage shot = grid->grab().toImage();
    EXPECT_TRUE(shot.save(folder + "/grid.png"));
    EXPECT_EQ(Pixel(RenderViewport(*grid), 120, grid->GetRowBounds(1).top() + 2), kFocus);
}
