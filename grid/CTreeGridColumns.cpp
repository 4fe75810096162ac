// Column widths: the owner's minimum, the width the content needs in the
// current font, and the width the user dragged a column to.
#include <grid/CTreeGridCtrl.h>

#include <grid/CTreeGridItem.h>
#include <grid/GridImageStrip.h>
#include <grid/TextWidthBound.h>

#include <QHeaderView>

#include <algorithm>

namespace {

// The room a text needs beside it to be drawn unshortened (see the painting:
// a text is cut unless its width plus the margin stays below the space).
constexpr int kLabelRoom = 4 + 1;
constexpr int kCellRoom = 12 + 1;

} // namespace

void CTreeGridCtrl::ApplyColumnWidth(int column, int width)
{
    m_resizingColumns = true;
    m_header->resizeSection(column, std::max(0, width));
    m_resizingColumns = false;
}

void CTreeGridCtrl::OnSectionResized(int column, int newWidth)
{
    if (!m_resizingColumns && column >= 0 && column < int(m_userWidths.size())) {
        m_userWidths[column] = std::max(1, newWidth);
        emit columnWidthsChangedByUser();
    }
    UpdateGeometries();
    viewport()->update();
}

// A double click on a column's edge gives the column back to the grid.
void CTreeGridCtrl::OnSectionHandleDoubleClicked(int column)
{
    if (column < 0 || column >= int(m_userWidths.size()))
        return;
    m_userWidths[column] = 0;
    if (m_fitsContents)
        ApplyColumnWidth(column, FittedWidth(column));
    else
        ApplyColumnWidth(column, m_minimumWidths[column]);
    emit columnWidthsChangedByUser();
}

int CTreeGridCtrl::ContentWidth(int column) const
{
    TextWidthBound textWidth{QFontMetrics(viewport()->font())};
    int widest = m_header->sectionSizeHint(column);
    const bool checkBoxes = m_exStyle & LVS_EX_CHECKBOXES;
    // A text sharing the buffer of the one measured before it is the same
    // text (rows often share their comments and sizes): measured once.
    const QChar* measured = nullptr;
    for (const CTreeItem* node : m_rows) {
        const CItemInfo& info = *node->m_info;
        if (column == 0) {
            const int label = m_imageWidth * (node->m_indent + 1) + (checkBoxes ? kCheckBoxImageWidth : 0);
            widest = std::max(widest, label + textWidth(info.m_text) + kLabelRoom);
        } else if (column - 1 < info.m_subItemTexts.size()) {
            const QString& text = info.m_subItemTexts.at(column - 1);
            if (!text.isEmpty() && text.constData() != measured) {
                widest = std::max(widest, textWidth(text) + kCellRoom);
                measured = text.constData();
            }
        }
    }
    return widest;
}

int CTreeGridCtrl::FittedWidth(int column) const
{
    const int content = ContentWidth(column);
    return m_widthsFromTexts ? content : std::max(m_minimumWidths[column], content);
}

void CTreeGridCtrl::FitColumnsToContents()
{
    m_fitsContents = true;
    for (int column = 0; column < ColumnCount(); ++column) {
        if (m_userWidths[column] == 0)
            ApplyColumnWidth(column, FittedWidth(column));
    }
    UpdateGeometries();
    viewport()->update();
}

void CTreeGridCtrl::FitColumnsToTexts()
{
    m_widthsFromTexts = true;
    FitColumnsToContents();
}

QList<int> CTreeGridCtrl::UserColumnWidths() const
{
    return QList<int>(m_userWidths.begin(), m_userWidths.end());
}

void CTreeGridCtrl::SetUserColumnWidths(const QList<int>& widths)
{
    for (int column = 0; column < ColumnCount(); ++column) {
        const int width = column < widths.size() ? std::max(0, widths[column]) : 0;
        const bool released = width == 0 && m_userWidths[column] > 0;
        m_userWidths[column] = width;
        if (width > 0)
            ApplyColumnWidth(column, width);
        else if (released && m_fitsContents)
            // Only a column given back to its texts is measured again: the
            // others already stand at their fitted widths.
            ApplyColumnWidth(column, FittedWidth(column));
    }
    UpdateGeometries();
    viewport()->update();
}
