// Drawing of the grid's rows: image and indent, tree lines and expand boxes,
// row, cell, selection and focus colours, texts shortened to fit.
#include <grid/CTreeGridCtrl.h>

#include <grid/CTreeGridItem.h>
#include <grid/GridImageStrip.h>
#include <grid/GridHeaderModel.h>
#include <grid/ReadableColor.h>
#include <grid/ShortenText.h>

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVarLengthArray>

namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kLabelMargin = 4;        // room kept beside the text of column 0
constexpr int kLabelInset = 2;         // column 0 text inset on either side
constexpr int kCellMargin = 12;        // room kept beside the text of a cell
constexpr int kCellInset = 6;          // cell text inset on either side
constexpr int kTypicalColumns = 16;

// An axis-parallel line from (x1, y1) up to, but not including, (x2, y2).
void LineTo(QPainter& painter, int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y2 > y1)
        painter.drawLine(x1, y1, x2, y2 - 1);
    else if (y1 == y2 && x2 > x1)
        painter.drawLine(x1, y1, x2 - 1, y2);
}

} // namespace

struct CTreeGridCtrl::PaintContext {
    QFontMetrics metrics;
    QColor window;
    QColor highlight;
    QColor gridLine;
    QVarLengthArray<int, kTypicalColumns> widths;
};

namespace {

// Draws one shown text as a single vertically centred line, its background
// box filled with the row's background colour, clipped to the rectangle.
void DrawCellText(QPainter& painter, const QFontMetrics& metrics, const QRect& rect, const ShownText& shown,
                  Qt::Alignment align, const QColor& background, const QColor& color)
{
    if (rect.width() <= 0 || shown.text.isEmpty())
        return;
    const int advance = shown.advance;
    int x = rect.left();
    if (align & Qt::AlignRight)
        x = rect.left() + rect.width() - advance;
    else if (align & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - advance) / 2;
    const int y = rect.top() + (rect.height() - metrics.height()) / 2;
    painter.fillRect(QRect(x, y, advance, metrics.height()).intersected(rect), background);
    painter.setPen(color);
    const bool overflows = x < rect.left() || x + advance > rect.left() + rect.width();
    if (overflows)
        painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawText(QPoint(x, y + metrics.ascent()), shown.text);
    if (overflows)
        painter.setClipping(false);
}

} // namespace

void CTreeGridCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect clip = event->rect();
    PaintContext context{QFontMetrics(viewport()->font()), palette().color(QPalette::Active, QPalette::Base),
                         palette().color(QPalette::Active, QPalette::Highlight),
                         palette().color(QPalette::Active, QPalette::Button), {}};
    for (int column = 0; column < ColumnCount(); ++column)
        context.widths.append(m_header->sectionSize(column));
    if (context.widths.isEmpty() || m_rowHeight <= 0)
        return;

    const int top = TopRow();
    const int first = top + std::max(0, clip.top()) / m_rowHeight;
    const int last = std::min(RowCount() - 1, top + clip.bottom() / m_rowHeight);
    for (int row = first; row <= last; ++row)
        DrawItem(painter, row, clip, context);
    if (m_exStyle & LVS_EX_GRIDLINES)
        DrawGridLines(painter, context);
}

void CTreeGridCtrl::DrawItem(QPainter& painter, int row, const QRect& clip, const PaintContext& context)
{
    const CTreeItem* node = m_rows[row];
    const bool selected = node == m_selected;
    // The record's text colour, unless it cannot be read on the row's background.
    const QColor background = selected ? context.highlight : context.window;
    const RowColors colors{background,
                           ReadableTextColor(ColorFromColorRef(node->m_info->m_textColor), {background})};
    const QRect bounds = GetRowBounds(row);
    DrawRowLabel(painter, *node, bounds, colors, context);
    DrawRowCells(painter, *node->m_info, bounds, clip, colors, context, selected);
}

void CTreeGridCtrl::DrawRowLabel(QPainter& painter, const CTreeItem& node, const QRect& bounds, const RowColors& colors,
                                 const PaintContext& context)
{
    const CItemInfo& info = *node.m_info;
    const int left = bounds.left();
    const int top = bounds.top();
    const int bottom = top + m_rowHeight;
    const int right = left + bounds.width();
    const int cx = m_imageWidth;
    const int cy = m_imageHeight;
    const int column0Right = left + context.widths[0];
    const int indentWidth = cx * (node.m_indent + 1);

    // The node's image at its indent, cut off at the end of column 0.
    const int imageX = left + node.m_indent * cx;
    const int imageY = bottom - (bottom - cy - top) / 2 - cy;
    const int imageRoom = column0Right - imageX;
    if (imageRoom >= 0) {
        if (imageRoom > 0)
            painter.drawPixmap(imageX, imageY, m_images, RowImage(&node) * cx, 0, std::min(cx, imageRoom), cy);
        DrawTreeLines(painter, &node, bounds, column0Right);
    }

    // Opaque background from the end of the indent to the row's end.
    const int fillLeft = std::min(left + indentWidth + 2, column0Right);
    painter.fillRect(QRect(fillLeft, top, right - fillLeft, m_rowHeight), colors.background);
    const QRect labelArea(fillLeft, top, column0Right - fillLeft, m_rowHeight);
    if (info.m_rowColor != COLORREF_NONE)
        painter.fillRect(labelArea, ColorFromColorRef(info.m_rowColor));
    QColor textColor = colors.text;
    if (&node == m_selected && m_focusColumn == 0) {
        const QColor focus = ColorFromColorRef(FocusCellColor());
        painter.fillRect(labelArea, focus);
        DrawFocusRect(painter, labelArea, focus);
        textColor = FocusTextColor(colors);
    }

    const bool checkBoxes = m_exStyle & LVS_EX_CHECKBOXES;
    if (checkBoxes && indentWidth + kCheckBoxImageWidth + left < column0Right)
        DrawCheckBox(painter, imageX + kCheckBoxImageWidth, imageY, node.m_rowChecked);

    const int labelLeft = left + indentWidth + (checkBoxes ? kCheckBoxImageWidth : 0);
    const QRect label(labelLeft, top, column0Right - labelLeft, m_rowHeight);
    if (label.width() > 0) {
        // Like the other cells, a text that fits stands as its column says.
        const ShownText shown = TextToShow(context.metrics, info.m_text, label.width(), kLabelMargin);
        DrawCellText(painter, context.metrics, label.adjusted(kLabelInset, 0, -kLabelInset, 0), shown,
                     shown.whole ? m_headerModel->alignment(0) : Qt::AlignLeft, colors.background, textColor);
    }
}

void CTreeGridCtrl::DrawRowCells(QPainter& painter, const CItemInfo& info, const QRect& bounds, const QRect& clip,
                                 const RowColors& colors, const PaintContext& context, bool selected)
{
    const int top = bounds.top();
    int cellLeft = bounds.left() + context.widths[0];
    const int clipRight = clip.left() + clip.width();
    for (int column = 1; column < int(context.widths.size()); ++column) {
        const QRect cell(cellLeft, top, context.widths[column], m_rowHeight);
        cellLeft += cell.width();
        if (!(cell.left() < clipRight && cell.left() + cell.width() > clip.left() && cell.width() > 0))
            continue;
        const int subItem = column - 1;
        const auto cellColor = info.m_cellColors.find(subItem);
        if (cellColor != info.m_cellColors.end() && cellColor->second != COLORREF_NONE)
            painter.fillRect(cell, ColorFromColorRef(cellColor->second));
        const QString text = subItem < info.m_subItemTexts.size() ? info.m_subItemTexts.at(subItem) : QString();
        const ShownText shown = TextToShow(context.metrics, text, cell.width(), kCellMargin);
        const Qt::Alignment align = shown.whole ? m_headerModel->alignment(column) : Qt::AlignLeft;
        const bool focused = selected && PaintFocusCell(painter, column, cell);
        DrawCellText(painter, context.metrics, cell.adjusted(kCellInset, 0, -kCellInset, 0), shown, align,
                     colors.background, focused ? FocusTextColor(colors) : colors.text);
    }
}

bool CTreeGridCtrl::PaintFocusCell(QPainter& painter, int column, const QRect& cell)
{
    if (ColumnPosition(column) != m_focusColumn)
        return false;
    const QColor focus = ColorFromColorRef(FocusCellColor());
    painter.fillRect(cell, focus);
    DrawFocusRect(painter, cell, focus);
    return true;
}

// The focus cell's text stands on the row's background, framed by the focus
// colour: it has to read on both.
QColor CTreeGridCtrl::FocusTextColor(const RowColors& colors) const
{
    return ReadableTextColor(colors.text, {colors.background, ColorFromColorRef(FocusCellColor())});
}

void CTreeGridCtrl::DrawFocusRect(QPainter& painter, const QRect& rect, const QColor& fill) const
{
    if (rect.width() < 2 || rect.height() < 2)
        return;
    // A dotted frame in the inverse of the fill, as an inverting focus frame
    // would show on it.
    QPen pen(QColor(255 - fill.red(), 255 - fill.green(), 255 - fill.blue()), 0);
    pen.setDashPattern({1, 1});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void CTreeGridCtrl::DrawCheckBox(QPainter& painter, int x, int y, bool checked) const
{
    const int inset = (kCheckBoxImageWidth - kCheckBoxSize) / 2;
    const QRect box(x + inset, y + (m_imageHeight - kCheckBoxSize) / 2, kCheckBoxSize, kCheckBoxSize);
    painter.fillRect(box, Qt::white);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (!checked)
        return;
    const QPoint tick[] = {box.topLeft() + QPoint(3, 6), box.topLeft() + QPoint(5, 8), box.topLeft() + QPoint(9, 4)};
    painter.drawPolyline(tick, 3);
}

void CTreeGridCtrl::DrawTreeLines(QPainter& painter, const CTreeItem* node, const QRect& bounds, int column0Right)
{
    const int cx = m_imageWidth;
    const int cy = m_imageHeight;
    const int half = cx >> 1;
    const int top = bounds.top();
    const int bottom = top + bounds.height();
    const int middle = top + ((bottom - top - cy) >> 1) + half;
    const auto columnX = [&](int level) { return bounds.left() + level * cx - half; };
    const int k = node->m_indent;

    painter.setPen(m_linePen);
    if (const CTreeItem* parent = node->m_parent) {
        // The connector to this node, running on when a later sibling follows.
        const bool laterSibling = parent->m_children.back().get() != node;
        LineTo(painter, columnX(k), top, columnX(k), laterSibling ? bottom : middle);
        LineTo(painter, columnX(k), middle, std::min(columnX(k) + half, column0Right), middle);
        // Lines passing by for every ancestor that has a later sibling.
        for (const CTreeItem* up = parent; up->m_parent; up = up->m_parent) {
            if (up->m_parent->m_children.back().get() != up)
                LineTo(painter, columnX(up->m_indent), top, columnX(up->m_indent), bottom);
        }
    }
    if (!node->HasChildren())
        return;

    const QRect box = ExpandBox(bounds, k);
    const int bx = columnX(k);
    const int by = box.top() + (box.height() >> 1);
    painter.setPen(m_boxPen);
    painter.setBrush(m_boxBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(m_signPen);
    LineTo(painter, bx - 2, by, bx + 3, by);
    if (node->m_collapsed) {
        LineTo(painter, bx, by - 2, bx, by + 3);
    } else {
        // Down towards the first child.
        painter.setPen(m_linePen);
        LineTo(painter, bx + cx, top + (bottom - top - cy) / 2 + cy, bx + cx, bottom);
    }
}

void CTreeGridCtrl::DrawGridLines(QPainter& painter, const PaintContext& context) const
{
    const QRect area = viewport()->rect();
    painter.setPen(QPen(context.gridLine, 0));
    int x = -horizontalScrollBar()->value();
    for (const int width : context.widths) {
        x += width;
        if (x > 0 && x <= area.right() + 1)
            painter.drawLine(x - 1, 0, x - 1, area.bottom());
    }
    for (int y = m_rowHeight - 1; y <= area.bottom(); y += m_rowHeight)
        painter.drawLine(0, y, area.right(), y);
}
