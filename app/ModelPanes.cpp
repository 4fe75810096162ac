#include <app/ModelPanes.h>

#include <app/CommandIds.h>

#include <algorithm>

#include <grid/CTreeGridCtrl.h>
#include <dialogs/GbkQString.h>
#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>
#include <kernel/GU_List.h>
#include <library/NumberText.h>

#include <QContextMenuEvent>
#include <QMenu>

// The pane's click traces are for whoever looks into the pane's behaviour:
// off unless asked for (QT_LOGGING_RULES="varnholt.hingespane.debug=true").
Q_LOGGING_CATEGORY(lcHingesPane, "varnholt.hingespane", QtInfoMsg)

namespace {

constexpr int kNumberWidth = 60;
constexpr int kTextWidth = 120;
constexpr int kSizeWidth = 60;

constexpr int kNameColumn = 1;

// Numbers stand right-aligned, so that their digits line up.
const QList<CModelPane::Column>& partColumns()
{
    static const QList<CModelPane::Column> columns{
        {QStringLiteral("编号"), kNumberWidth, Qt::AlignRight},
        {QStringLiteral("名称"), kTextWidth},
        {QStringLiteral("说明"), kTextWidth},
    };
    return columns;
}

// Two decimals, as the files hold them; formatted without printf, which a
// fill of every door of the library would spend most of its time in.
QString sizeText(const double& v)
{
    return QString::fromStdString(FormatReal(v));
}

// A column's text made from a row's value, shared with the row before when
// the value is the same: comments and sizes repeat down a library, and a
// shared text is converted once and measured once when the column is fitted.
template <typename Value, QString (*make)(const Value&)>
class RepeatedText {
public:
    const QString& operator()(const Value& value)
    {
        if (!m_made || value != m_value) {
            m_value = value;
            m_text = make(value);
            m_made = true;
        }
        return m_text;
    }

private:
    Value m_value{};
    QString m_text;
    bool m_made = false;
};

using RepeatedGbk = RepeatedText<std::string, GbkToQString>;
using RepeatedSize = RepeatedText<double, sizeText>;

} // namespace

CModelPane::CModelPane(const QString& caption, const QString& objectName, int paneId, int gridId, QWidget* parent)
    : QDockWidget(caption, parent), m_grid(new CTreeGridCtrl(this)), m_paneId(paneId), m_gridId(gridId)
{
    setObjectName(objectName);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_grid->setObjectName(objectName + QStringLiteral("Grid"));
    m_grid->SetExtendedStyle(LVS_EX_GRIDLINES);
    setWidget(m_grid);
    connect(m_grid, &CTreeGridCtrl::leftButtonPressed, this, [this](void* data) { onLeftButtonPressed(data); });
    connect(m_grid, &CTreeGridCtrl::leftButtonDoubleClicked, this,
            [this](void* data) { onLeftButtonDoubleClicked(data); });
    connect(m_grid, &CTreeGridCtrl::returnPressed, this, [this](void* data) { activate(data); });
    m_grid->viewport()->installEventFilter(this);
}

bool CModelPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::ContextMenu) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        showRowMenu(menu->pos(), menu->globalPos(), menu->reason() == QContextMenuEvent::Keyboard);
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void CModelPane::showRowMenu(const QPoint& point, const QPoint& global, bool keyboard)
{
    // From the keyboard (the menu key) the menu is for the selected row.
    int row = keyboard ? m_grid->GetFirstSelectedRow() : -1;
    for (int r = m_grid->TopRow(); !keyboard && r >= 0 && r < m_grid->RowCount() && row < 0; ++r) {
        const QRect bounds = m_grid->GetRowBounds(r);
        if (bounds.top() > point.y())
            break;
        if (bounds.contains(bounds.left(), point.y()))
            row = r;
    }
    if (row < 0 || m_rowActions.isEmpty())
        return;
    m_grid->SetRowSelectedAndFocused(row);
    m_grid->setFocus(Qt::MouseFocusReason);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("rowMenu"));
    menu.addActions(m_rowActions);
    menu.exec(global);
}

std::optional<std::size_t> CModelPane::selectedRow() const
{
    const int row = m_grid->GetFirstSelectedRow();
    if (row < 0 || row >= static_cast<int>(m_shown.size()))
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

void CModelPane::insertColumns(const QList<Column>& columns)
{
    int index = 0;
    for (const Column& column : columns)
        m_grid->InsertColumn(index++, column.heading, column.width, column.align);
    m_grid->SetSearchColumn(kNameColumn);
}

// Each column as wide as its texts, so that the panes beside the drawing
// show all their columns in as little room as they can.
void CModelPane::fitColumns()
{
    m_grid->FitColumnsToTexts();
    int row = m_names.indexOf(m_keptName);
    if (row < 0 && m_keptRow >= 0)
        row = std::min(m_keptRow, static_cast<int>(m_names.size()) - 1);
    if (row >= 0)
        m_grid->SetRowSelectedAndFocused(row);
}

void CModelPane::clearRows()
{
    const std::optional<std::size_t> selected = selectedRow();
    m_keptRow = selected ? static_cast<int>(*selected) : -1;
    m_keptName = selected ? m_names.value(m_keptRow) : QString();
    m_grid->RemoveAllRows();
    m_shown.clear();
    m_names.clear();
}

void CModelPane::addRow(std::shared_ptr<const void> model, const QStringList& texts)
{
    auto* info = new CItemInfo;
    info->m_userData = const_cast<void*>(model.get());
    info->m_text = QString::number(m_shown.size() + 1);
    info->m_subItemTexts = texts;
    m_shown.push_back(std::move(model));
    m_names.append(texts.value(0));
    m_grid->AddRootRow(info);
}

void CModelPane::addNumberedRow(std::shared_ptr<const void> model, const QString& number, const QStringList& texts)
{
    addRow(std::move(model), texts);
    m_grid->GetRowInfo(m_grid->RowCount() - 1)->m_text = number;
    m_names.back() = number;
}

void CModelPane::onLeftButtonPressed(void*) {}

void CModelPane::onLeftButtonDoubleClicked(void* userData)
{
    activate(userData);
}

CHingesPane::CHingesPane(QWidget* parent)
    : CModelPane(QStringLiteral("合页列表"), QStringLiteral("HingesPane"), ID_HINGES_PANE, ID_HINGES_GRID, parent)
{
    insertColumns(partColumns());
}

namespace {
// Rebuilds the rows from a list of named parts (hinges or lock cores).
template <typename Part>
void fillParts(CModelPane& pane, const GU_SharedList<Part>& models)
{
    pane.clearRows();
    RepeatedGbk comment;
    for (std::size_t i = 0; i < models.count(); ++i) {
        const Part* model = models[i];
        pane.addRow(models.share(i), {GbkToQString(model->GetName()), comment(model->GetComments())});
    }
    pane.fitColumns();
}
} // namespace

void CHingesPane::fill(const GU_SharedList<GK_Hinges>& models)
{
    fillParts(*this, models);
}

void CHingesPane::onLeftButtonPressed(void*)
{
    qCDebug(lcHingesPane).noquote() << "lbutton click!";
}

void CHingesPane::onLeftButtonDoubleClicked(void* userData)
{
    activate(userData);
    qCDebug(lcHingesPane).noquote() << "lbutton double click!";
}

void CHingesPane::activate(void* userData)
{
    if (userData)
        emit hingesActivated(static_cast<const GK_Hinges*>(userData));
}

CLockHolePane::CLockHolePane(QWidget* parent)
    : CModelPane(QStringLiteral("锁芯列表"), QStringLiteral("LockCorePane"), ID_LOCKCORE_PANE, ID_LOCKCORE_GRID,
                 parent)
{
    insertColumns(partColumns());
}

void CLockHolePane::fill(const GU_SharedList<GK_LockCore>& models)
{
    fillParts(*this, models);
}

void CLockHolePane::activate(void* userData)
{
    if (userData)
        emit lockCoreActivated(static_cast<const GK_LockCore*>(userData));
}

CDoorListPane::CDoorListPane(QWidget* parent)
    : CModelPane(QStringLiteral("门型列表"), QStringLiteral("DoorPane"), ID_DOOR_PANE, ID_DOOR_GRID, parent)
{
    InitDoorColumns();
}

void CDoorListPane::InitDoorColumns()
{
    insertColumns({
        {QStringLiteral("编号"), kNumberWidth, Qt::AlignRight},
        {QStringLiteral("名称"), kTextWidth},
        {QStringLiteral("长度"), kSizeWidth, Qt::AlignRight},
        {QStringLiteral("宽度"), kSizeWidth, Qt::AlignRight},
        {QStringLiteral("厚度"), kSizeWidth, Qt::AlignRight},
        {QStringLiteral("说明"), kTextWidth},
    });
}

void CDoorListPane::fill(const GU_SharedList<GK_DoorWithHinges>& models)
{
    clearRows();
    RepeatedSize lengthText, widthText, thicknessText;
    RepeatedGbk comment;
    for (std::size_t i = 0; i < models.count(); ++i) {
        const GK_DoorWithHinges* door = models[i];
        double length = 0.0;
        double width = 0.0;
        double thickness = 0.0;
        door->GetDoorSize(length, width, thickness);
        addRow(models.share(i), {GbkToQString(door->GetName()), lengthText(length), widthText(width),
                                 thicknessText(thickness), comment(door->GetComments())});
    }
    fitColumns();
}

void CDoorListPane::activate(void* userData)
{
    if (userData)
        emit doorActivated(static_cast<const GK_DoorWithHinges*>(userData));
}
