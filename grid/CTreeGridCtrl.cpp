#include <grid/CTreeGridCtrl.h>

#include <grid/CTreeGridItem.h>
#include <grid/GridHeaderModel.h>
#include <grid/GridImageStrip.h>

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr COLORREF kLineColor = 0xC0C0C0;
constexpr COLORREF kBoxColor = 0xC6C6C6;
constexpr int kRowPadding = 4;       // added to the font's line height
constexpr int kHorizontalStep = 16;  // pixels per click on the horizontal arrows

} // namespace

CTreeGridCtrl::CTreeGridCtrl(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_images(MakeGridImageStrip())
    , m_imageWidth(kGridImageWidth)
    , m_imageHeight(kGridImageHeight)
    , m_linePen(ColorFromColorRef(kLineColor), 0)
    , m_boxPen(ColorFromColorRef(kBoxColor), 0)
    , m_signPen(Qt::black, 0)
    , m_boxBrush(Qt::white)
{
    m_header = new QHeaderView(Qt::Horizontal, this);
    m_headerModel = new GridHeaderModel(m_header);
    m_header->setModel(m_headerModel);
    m_header->setSectionsClickable(false);
    m_header->setSectionsMovable(false);
    m_header->setHighlightSections(false);
    m_header->setStretchLastSection(false);
    m_header->setMinimumSectionSize(0); // columns take any width their owner gives
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_header->setFocusPolicy(Qt::NoFocus);
    connect(m_header, &QHeaderView::sectionResized, this,
            [this](int column, int, int newWidth) { OnSectionResized(column, newWidth); });
    connect(m_header, &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int column) { OnSectionHandleDoubleClicked(column); });

    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    horizontalScrollBar()->setSingleStep(kHorizontalStep);
    // Scrolling with the bars takes the focus, as a click on the list would.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        connect(bar, &QScrollBar::actionTriggered, this, [this] {
            if (!hasFocus())
                setFocus(Qt::OtherFocusReason);
        });
    }
    UpdateRowHeight();
    UpdateGeometries();
}

CTreeGridCtrl::~CTreeGridCtrl() = default;

void CTreeGridCtrl::SetExtendedStyle(unsigned exStyle)
{
    m_exStyle = exStyle;
    UpdateGeometries();
    viewport()->update();
}

int CTreeGridCtrl::InsertColumn(int index, const QString& heading, int width, Qt::Alignment align)
{
    const int column = m_headerModel->insertColumn(index, heading, align);
    m_minimumWidths.insert(m_minimumWidths.begin() + column, std::max(0, width));
    m_userWidths.insert(m_userWidths.begin() + column, 0);
    ApplyColumnWidth(column, width);
    UpdateGeometries();
    viewport()->update();
    return column;
}

int CTreeGridCtrl::ColumnCount() const
{
    return m_header->count();
}

int CTreeGridCtrl::ColumnWidth(int column) const
{
    return (column >= 0 && column < ColumnCount()) ? m_header->sectionSize(column) : 0;
}

void CTreeGridCtrl::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < ColumnCount())
        ApplyColumnWidth(column, width);
}

QWidget* CTreeGridCtrl::eventTarget() const
{
    return viewport();
}

int CTreeGridCtrl::TopRow() const
{
    return verticalScrollBar()->value();
}

QRect CTreeGridCtrl::GetRowBounds(int row) const
{
    if (row < 0 || row >= RowCount())
        return {};
    return QRect(-horizontalScrollBar()->value(), (row - TopRow()) * m_rowHeight, TotalColumnWidth(), m_rowHeight);
}

int CTreeGridCtrl::TotalColumnWidth() const
{
    return m_header->length();
}

int CTreeGridCtrl::VisibleRowCount() const
{
    return m_rowHeight > 0 ? viewport()->height() / m_rowHeight : 0;
}

int CTreeGridCtrl::ColumnPosition(int column) const
{
    return (column >= 0 && column < ColumnCount()) ? m_header->visualIndex(column) : -1;
}

void CTreeGridCtrl::ScrollColumnIntoView(int column)
{
    if (column < 0 || column >= ColumnCount() || m_rows.empty())
        return;
    const int x = GetRowBounds(0).left() + m_header->sectionPosition(column);
    const int width = m_header->sectionSize(column);
    if (x < 0 || x + width > viewport()->width()) {
        FlushGeometry();
        QScrollBar* bar = horizontalScrollBar();
        bar->setValue(bar->value() + x);
        viewport()->update();
    }
}

void CTreeGridCtrl::EnsureRowVisible(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    FlushGeometry();
    const int top = TopRow();
    const int visible = std::max(1, VisibleRowCount());
    if (row < top)
        verticalScrollBar()->setValue(row);
    else if (row >= top + visible)
        verticalScrollBar()->setValue(row - visible + 1);
}

void CTreeGridCtrl::RepaintRow(int row)
{
    const QRect bounds = GetRowBounds(row);
    if (bounds.isValid())
        viewport()->update(bounds.united(QRect(0, bounds.top(), viewport()->width(), bounds.height())));
}

void CTreeGridCtrl::ScheduleGeometry()
{
    if (m_geometryPending)
        return;
    // Bulk fills add many rows in a row: the scroll ranges follow once, after
    // the fill, instead of once per row.
    m_geometryPending = true;
    QMetaObject::invokeMethod(this, [this] { FlushGeometry(); }, Qt::QueuedConnection);
    viewport()->update();
}

void CTreeGridCtrl::FlushGeometry()
{
    if (m_geometryPending)
        UpdateGeometries();
}

void CTreeGridCtrl::UpdateGeometries()
{
    m_geometryPending = false;
    const int headerHeight = m_header->sizeHint().height();
    if (viewportMargins().top() != headerHeight)
        setViewportMargins(0, headerHeight, 0, 0);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - headerHeight, area.width(), headerHeight);

    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setPageStep(std::max(1, area.width()));
    horizontal->setRange(0, std::max(0, TotalColumnWidth() - area.width()));

    const int visible = VisibleRowCount();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setPageStep(std::max(1, visible));
    vertical->setRange(0, std::max(0, RowCount() - visible));
    m_header->setOffset(horizontal->value());
}

void CTreeGridCtrl::UpdateRowHeight()
{
    const QFontMetrics metrics(font());
    m_rowHeight = metrics.height() + metrics.leading() + kRowPadding;
}

void CTreeGridCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateGeometries();
}

void CTreeGridCtrl::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    UpdateGeometries();
}

void CTreeGridCtrl::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateRowHeight();
        if (m_fitsContents)
            FitColumnsToContents();
        UpdateGeometries();
        viewport()->update();
    }
}

void CTreeGridCtrl::scrollContentsBy(int, int)
{
    m_header->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

int CTreeGridCtrl::GetFirstSelectedRow() const
{
    return m_selected ? m_selected->m_row : -1;
}

void CTreeGridCtrl::SetRowSelectedAndFocused(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    SelectNode(m_rows[row]);
    const QRect bounds = GetRowBounds(row);
    if (bounds.intersects(viewport()->rect()))
        viewport()->repaint(bounds);
}

void CTreeGridCtrl::SelectNode(CTreeItem* node)
{
    if (node == m_selected)
        return;
    // The row losing the selection changes while no row is selected, so only
    // the change of the row gaining it reaches the owner.
    if (m_selected)
        RepaintRow(m_selected->m_row);
    m_selected = node;
    if (node) {
        RepaintRow(node->m_row);
        Notify(TGN_ITEMCHANGED);
    }
}

void CTreeGridCtrl::SetRowCheck(CTreeItem* node, bool checked)
{
    if (!node || node->m_rowChecked == checked)
        return;
    node->m_rowChecked = checked;
    RepaintRow(node->m_row);
    Notify(TGN_ITEMCHANGED);
}

bool CTreeGridCtrl::GetRowCheck(int row) const
{
    const CTreeItem* node = GetRowNode(row);
    return node && node->m_rowChecked;
}

void CTreeGridCtrl::Notify(int code)
{
    const int row = GetFirstSelectedRow();
    if (row < 0)
        return;
    const CItemInfo* info = m_rows[row]->m_info.get();
    if (!info || !info->m_userData)
        return;
    switch (code) {
    case TGN_LBUTTONDOWN:
        emit leftButtonPressed(info->m_userData);
        break;
    case TGN_LBUTTONDBLCLK:
        emit leftButtonDoubleClicked(info->m_userData);
        break;
    case TGN_ITEMCHANGED:
        emit itemChanged(info->m_userData);
        break;
    default:
        break;
    }
}
