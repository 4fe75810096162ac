#include <app/ModelPanes.h>

#include <app/CommandIds.h>

#include <grid/CTreeGridCtrl.h>
#include <dialogs/GbkQString.h>
#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>
#include <kernel/GU_List.h>

Q_LOGGING_CATEGORY(lcHingesPane, "varnholt.hingespane")

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

QString size2(double v)
{
    return QString::asprintf("%.2f", v);
}

// Rebuilds the grid from a list of named parts (hinges or lock cores).
template <typename Part>
void fillParts(CTreeGridCtrl& grid, const GU_OwnedList<Part>& models)
{
    grid.RemoveAllRows();
    int number = 1;
    for (Part* model : models) {
        auto* info = new CItemInfo;
        info->m_userData = model;
        info->m_text = QString::asprintf("%d", number);
        info->m_subItemTexts << GbkToQString(model->GetName()) << GbkToQString(model->GetComments());
        grid.AddRootRow(info);
        ++number;
    }
}

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
}

void CModelPane::insertColumns(const QList<Column>& columns)
{
    int index = 0;
    for (const Column& column : columns)
        m_grid->InsertColumn(index++, column.heading, column.width, column.align);
    m_grid->SetSearchColumn(kNameColumn);
}

void CModelPane::fitColumns()
{
    m_grid->FitColumnsToContents();
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

void CHingesPane::fill(const GU_OwnedList<GK_Hinges>& models)
{
    fillParts(grid(), models);
    fitColumns();
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

void CLockHolePane::fill(const GU_OwnedList<GK_LockCore>& models)
{
    fillParts(grid(), models);
    fitColumns();
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

void CDoorListPane::fill(const GU_OwnedList<GK_DoorWithHinges>& models)
{
    CTreeGridCtrl& g = grid();
    g.RemoveAllRows();
    int number = 1;
    for (GK_DoorWithHinges* door : models) {
        double length = 0.0;
        double width = 0.0;
        double thickness = 0.0;
        door->GetDoorSize(length, width, thickness);
        auto* info = new CItemInfo;
        info->m_userData = door;
        info->m_text = QString::asprintf("%d", number);
        info->m_subItemTexts << GbkToQString(door->GetName()) << size2(length) << size2(width) << size2(thickness)
                             << GbkToQString(door->GetComments());
        g.AddRootRow(info);
        ++number;
    }
    fitColumns();
}

void CDoorListPane::activate(void* userData)
{
    if (userData)
        emit doorActivated(static_cast<const GK_DoorWithHinges*>(userData));
}
