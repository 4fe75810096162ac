// Mouse and keyboard handling of the grid and its overridable hooks.
#include <grid/CTreeGridCtrl.h>

#include <grid/CTreeGridItem.h>
#include <grid/GridImageStrip.h>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QScrollBar>

COLORREF CTreeGridCtrl::FocusCellColor() const
{
    constexpr COLORREF darkRed = 0x0000C0;
    return darkRed;
}

bool CTreeGridCtrl::MayExpand(CTreeItem*, int)
{
    return true;
}

void CTreeGridCtrl::AfterExpand(CTreeItem*, int)
{
}

bool CTreeGridCtrl::MayCollapse(CTreeItem*)
{
    return true;
}

void CTreeGridCtrl::AfterCollapse(CTreeItem*)
{
}

bool CTreeGridCtrl::MayExpandAllKey(CTreeItem*, int)
{
    return true;
}

bool CTreeGridCtrl::MayCollapseKey(CTreeItem*, int)
{
    return true;
}

bool CTreeGridCtrl::MayExpandKey(CTreeItem*, int)
{
    return true;
}

bool CTreeGridCtrl::MayHandleClick(const HitInfo&)
{
    return true;
}

bool CTreeGridCtrl::MayToggleCheck(CTreeItem*)
{
    return true;
}

void CTreeGridCtrl::AfterPlainClick()
{
}

CTreeGridCtrl::HitInfo CTreeGridCtrl::HitTest(const QPoint& point) const
{
    HitInfo hit;
    hit.point = point;
    if (point.y() < 0 || m_rowHeight <= 0)
        return hit;
    const int row = TopRow() + point.y() / m_rowHeight;
    const int x = point.x() + horizontalScrollBar()->value();
    if (row >= RowCount() || x < 0)
        return hit;
    const int column = m_header->logicalIndexAt(x - m_header->offset());
    if (column < 0)
        return hit;
    hit.row = row;
    hit.subItem = column;
    return hit;
}

QRect CTreeGridCtrl::ExpandBox(const QRect& bounds, int indent) const
{
    const int half = m_imageWidth >> 1;
    const int width = half + 3;
    const int height = (m_imageHeight >> 1) + 3;
    const int centreX = bounds.left() + indent * m_imageWidth - half;
    const int centreY = bounds.top() + ((bounds.height() - m_imageHeight) >> 1) + half;
    return QRect(centreX - (width >> 1), centreY - (height >> 1), width, height);
}

bool CTreeGridCtrl::HandleRowClick(HitInfo& hit, const QPoint& point)
{
    hit = HitTest(point);
    if (hit.row == -1) {
        AfterPlainClick();
        return true;
    }
    CTreeItem* node = m_rows[hit.row];
    const QRect bounds = GetRowBounds(hit.row);
    if (m_exStyle & LVS_EX_CHECKBOXES) {
        // The check box sits between the node's image and its label.
        const int iconLeft = bounds.left() + node->m_indent * m_imageWidth;
        const int labelLeft = bounds.left() + (node->m_indent + 1) * m_imageWidth + kCheckBoxImageWidth;
        if (iconLeft < point.x() && point.x() < labelLeft && MayToggleCheck(node)) {
            node->m_info->m_checked = !node->m_info->m_checked;
            SetRowCheck(node, node->m_info->m_checked);
        }
    }
    if (node->HasChildren() && ExpandBox(bounds, node->m_indent).contains(point)) {
        const int row = hit.row;
        bool done = false;
        int last = row;
        if (node->m_collapsed) {
            if (MayExpand(node, row)) {
                last = ExpandNode(node, row);
                AfterExpand(node, row);
                done = true;
            }
        } else if (MayCollapse(node)) {
            CollapseNode(node);
            AfterCollapse(node);
            done = true;
        }
        if (done) {
            RepaintRow(row);
            EnsureRowVisible(last);
            return false;
        }
    }
    AfterPlainClick();
    return true;
}

void CTreeGridCtrl::HandleLeftButton(const QPoint& point, int code)
{
    FlushGeometry();
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    HitInfo hit = HitTest(point);
    if (MayHandleClick(hit) && HandleRowClick(hit, point) && hit.row != -1) {
        m_focusColumn = ColumnPosition(hit.subItem);
        ScrollColumnIntoView(m_header->logicalIndex(m_focusColumn));
        SelectNode(m_rows[hit.row]);
        EnsureRowVisible(hit.row);
        RepaintRow(hit.row);
    }
    Notify(code);
}

void CTreeGridCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        // As in the platform's lists, a right click first selects the row
        // under the cursor, so a context menu acts on what the user pointed at.
        FlushGeometry();
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
        const HitInfo hit = HitTest(event->position().toPoint());
        if (hit.row != -1)
            SelectNode(m_rows[hit.row]);
    }
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    HandleLeftButton(event->position().toPoint(), TGN_LBUTTONDOWN);
    event->accept();
}

void CTreeGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    HandleLeftButton(event->position().toPoint(), TGN_LBUTTONDBLCLK);
    event->accept();
}

void CTreeGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

bool CTreeGridCtrl::HandleFocusColumnKey(int key)
{
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    if (key == Qt::Key_Left) {
        if (--m_focusColumn < 0) {
            m_focusColumn = 0;
            return true;
        }
    } else {
        const int lastColumn = std::max(0, ColumnCount() - 1);
        if (++m_focusColumn > lastColumn) {
            m_focusColumn = lastColumn;
            return true;
        }
    }
    ScrollColumnIntoView(m_header->logicalIndex(m_focusColumn));
    RepaintRow(GetFirstSelectedRow());
    return true;
}

void CTreeGridCtrl::HandleTreeKey(int key)
{
    const int row = GetFirstSelectedRow();
    if (row < 0)
        return;
    CTreeItem* node = m_rows[row];
    switch (key) {
    case Qt::Key_Space:
        if (m_exStyle & LVS_EX_CHECKBOXES)
            node->m_info->m_checked = !node->m_info->m_checked;
        break;
    case Qt::Key_Asterisk: {
        int last = row;
        if (MayExpandAllKey(node, row))
            ExpandSubtree(node, last);
        viewport()->update();
        EnsureRowVisible(last);
        break;
    }
    case Qt::Key_Plus: {
        int last = row;
        if (MayExpandKey(node, row))
            last = ExpandNode(node, row);
        RepaintRow(row);
        EnsureRowVisible(last);
        break;
    }
    case Qt::Key_Minus:
        if (MayCollapseKey(node, row))
            CollapseNode(node);
        RepaintRow(GetFirstSelectedRow());
        break;
    default:
        break;
    }
}

bool CTreeGridCtrl::HandleNavigationKey(int key)
{
    const int count = RowCount();
    const int current = GetFirstSelectedRow();
    const int page = std::max(1, VisibleRowCount() - 1);
    int target = -1;
    switch (key) {
    case Qt::Key_Up:
        target = current < 0 ? 0 : current - 1;
        break;
    case Qt::Key_Down:
        target = current < 0 ? 0 : current + 1;
        break;
    case Qt::Key_PageUp:
        target = current < 0 ? 0 : current - page;
        break;
    case Qt::Key_PageDown:
        target = current < 0 ? 0 : current + page;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = count - 1;
        break;
    case Qt::Key_Space:
        // The list flips the check box of the selected row itself.
        if ((m_exStyle & LVS_EX_CHECKBOXES) && current >= 0)
            SetRowCheck(m_rows[current], !m_rows[current]->m_rowChecked);
        return true;
    default:
        return false;
    }
    if (count == 0)
        return true;
    target = std::clamp(target, 0, count - 1);
    SelectNode(m_rows[target]);
    EnsureRowVisible(target);
    return true;
}

void CTreeGridCtrl::keyPressEvent(QKeyEvent* event)
{
    FlushGeometry();
    const int key = event->key();
    // The arrows to the sides move the focus column and never reach the list.
    if (HandleFocusColumnKey(key)) {
        event->accept();
        return;
    }
    if (HandleReturnKey(key)) {
        event->accept();
        return;
    }
    HandleTreeKey(key);
    const bool treeKey = key == Qt::Key_Plus || key == Qt::Key_Minus || key == Qt::Key_Asterisk;
    if (HandleNavigationKey(key) || treeKey) {
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!command && !typed.isEmpty() && typed.at(0).isPrint()) {
        SearchTypedText(typed);
        event->accept();
        return;
    }
    event->ignore();
}

bool CTreeGridCtrl::HandleReturnKey(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (!isSignalConnected(QMetaMethod::fromSignal(&CTreeGridCtrl::returnPressed)))
        return false;
    const int row = GetFirstSelectedRow();
    const CItemInfo* info = row < 0 ? nullptr : m_rows[row]->m_info.get();
    if (!info || !info->m_userData)
        return false;
    emit returnPressed(info->m_userData);
    return true;
}

QString CTreeGridCtrl::RowText(int row, int column) const
{
    const CItemInfo& info = *m_rows[row]->m_info;
    if (column <= 0)
        return info.m_text;
    return column - 1 < info.m_subItemTexts.size() ? info.m_subItemTexts.at(column - 1) : QString();
}

void CTreeGridCtrl::SearchTypedText(const QString& typed)
{
    // Letters typed within the platform's input interval make one prefix;
    // after a pause the search starts anew. The same letter typed again
    // steps on to the next row that starts with it.
    if (!m_lastTyped.isValid() || m_lastTyped.elapsed() > QApplication::keyboardInputInterval())
        m_searchText.clear();
    m_lastTyped.start();
    const bool repeated = m_searchText.size() == 1 && typed.compare(m_searchText, Qt::CaseInsensitive) == 0;
    if (!repeated)
        m_searchText += typed;
    const int count = RowCount();
    if (count == 0)
        return;
    // A growing prefix may still match the row it found; a new one looks
    // from the row after the selection on, wrapping around.
    const int current = GetFirstSelectedRow();
    const int start = (m_searchText.size() > 1 && current >= 0) ? current : current + 1;
    for (int i = 0; i < count; ++i) {
        const int row = (start + i) % count;
        if (RowText(row, m_searchColumn).startsWith(m_searchText, Qt::CaseInsensitive)) {
            SelectNode(m_rows[row]);
            EnsureRowVisible(row);
            return;
        }
    }
}
