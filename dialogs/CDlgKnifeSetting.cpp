#include <dialogs/CDlgKnifeSetting.h>

#include <dialogs/CDlgAddOneKnife.h>
#include <dialogs/GbkQString.h>
#include <dialogs/TabOrder.h>
#include <dialogs/ToolTexts.h>

#include <grid/CTreeGridCtrl.h>
#include <library/KnifeInfo.h>

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace {

// Where the grid lies, as large as the template's frame.
constexpr int kFrameWidth = 820;
constexpr int kFrameHeight = 263;
constexpr int kApplyRow = 2;
constexpr int kApplyColumn = 7;

struct Column {
    const char* heading;
    int width;
};
constexpr Column kColumns[] = {
    {"刀号", 60},     {"刀径", 60},     {"速度", 60},     {"安全距离", 60}, {"刀具类型", 80}, {"是否主轴", 60},
    {"是否启用", 60}, {"气缸打出", 60}, {"气缸回收", 60}, {"钻头启动", 60}, {"钻头停止", 60},
};

QString twoDecimals(double value)
{
    return QString::number(value, 'f', 2);
}

std::unique_ptr<CItemInfo> knifeRow(KnifeInfo* knife)
{
    auto info = std::make_unique<CItemInfo>();
    info->m_userData = knife;
    info->m_text = QString::number(knife->ID);
    info->m_subItemTexts << twoDecimals(knife->Diameter) << QString::number(knife->Vel)
                         << twoDecimals(knife->SafeDistance) << ToolTypeText(knife->Type)
                         << SpindleText(knife->IsMain) << EnableText(knife->Enable) << GbkToQString(knife->AirForward)
                         << GbkToQString(knife->AirBack) << GbkToQString(knife->DrillStart) << GbkToQString(knife->DrillStop);
    return info;
}

} // namespace

CDlgKnifeSetting::CDlgKnifeSetting(MessageBoxes& messages, GU_OwnedList<KnifeInfo>* knives, SaveTable saveTable)
    : ExchangeDialog(messages),
      m_knives(knives),
      m_saveTable(std::move(saveTable)),
      m_frame(new QFrame(this)),
      m_grid(new CTreeGridCtrl(m_frame))
{
    setWindowTitle(QStringLiteral("刀具信息设置"));

    m_frame->setObjectName(QStringLiteral("gridFrame"));
    m_frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_frame->setMinimumSize(kFrameWidth, kFrameHeight);
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(m_grid);
    m_grid->setObjectName(QStringLiteral("grid%1").arg(kGridId));
    m_grid->setFocusPolicy(Qt::StrongFocus);

    auto* group = new QGroupBox(QStringLiteral("刀具信息"), this);
    auto* formGrid = new QGridLayout;
    m_form.build(group, formGrid);
    QPushButton* apply = makeButton(QStringLiteral("应用"), "apply");
    formGrid->addWidget(apply, kApplyRow, kApplyColumn);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_frame, 1);
    groupLayout->addLayout(formGrid);

    QPushButton* addKnife = makeButton(QStringLiteral("添加刀具"), "addKnife");
    QPushButton* ok = makeOkButton();
    QPushButton* cancel = makeCancelButton();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(addKnife);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addStretch(3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);

    connect(apply, &QPushButton::clicked, this, &CDlgKnifeSetting::OnApply);
    connect(addKnife, &QPushButton::clicked, this, &CDlgKnifeSetting::OnAddKnife);
    connect(m_grid, &CTreeGridCtrl::leftButtonPressed, this, [this](void*) { ShowSelectedKnife(); });
    connect(m_grid, &CTreeGridCtrl::itemChanged, this, [this](void*) { ShowSelectedKnife(); });

    SetTabChain({{m_grid, ok, cancel}, m_form.numbersAndLists(), {apply, addKnife}, m_form.textFields()});
}

void CDlgKnifeSetting::DoDataExchange(DataExchange& dx)
{
    m_form.exchange(dx);
}

void CDlgKnifeSetting::OnInitDialog()
{
    ExchangeDialog::OnInitDialog();
    m_form.fillLists();
    m_grid->SetExtendedStyle(LVS_EX_GRIDLINES);
    InitKnifeColumns();
    FillKnifeGrid();
    if (m_grid->NodeCount() >= 1)
        selectRow(0);
    ShowSelectedKnife();
}

void CDlgKnifeSetting::InitKnifeColumns()
{
    int index = 0;
    for (const Column& column : kColumns)
        m_grid->InsertColumn(index++, QString::fromUtf8(column.heading), column.width, Qt::AlignLeft);
}

void CDlgKnifeSetting::FillKnifeGrid()
{
    const int selected = m_grid->GetFirstSelectedRow();
    m_grid->RemoveAllRows();
    m_shownKnife = nullptr;
    if (m_knives) {
        for (KnifeInfo* knife : *m_knives)
            m_grid->AddRootRow(knifeRow(knife).release());
    }
    if (selected >= 0 && selected < m_grid->NodeCount())
        selectRow(selected);
    ShowSelectedKnife();
}

void CDlgKnifeSetting::selectRow(int row)
{
    m_grid->SetRowSelectedAndFocused(row);
}

KnifeInfo* CDlgKnifeSetting::selectedKnife() const
{
    const int row = m_grid->GetFirstSelectedRow();
    if (row < 0)
        return nullptr;
    const CItemInfo* info = m_grid->GetRowInfo(row);
    return info ? static_cast<KnifeInfo*>(info->m_userData) : nullptr;
}

void CDlgKnifeSetting::ShowSelectedKnife()
{
    KnifeInfo* knife = selectedKnife();
    if (!knife)
        return;
    m_shownKnife = knife;
    m_form.load(*knife);
    UpdateData(false);
}

void CDlgKnifeSetting::OnApply()
{
    // All fields must be readable before anything is written: a tool never
    // holds a mix of new and stale values.
    if (!UpdateData(true))
        return;
    if (!m_shownKnife)
        return;
    m_form.store(*m_shownKnife);
    m_saveTable();
    FillKnifeGrid();
}

void CDlgKnifeSetting::OnAddKnife()
{
    if (!m_knives)
        return;
    CDlgAddOneKnife add(messages());
    if (add.DoModal() != IDOK)
        return;
    auto knife = std::make_unique<KnifeInfo>();
    add.m_form.store(*knife);
    m_knives->add_tail(std::move(knife));
    m_saveTable();
    FillKnifeGrid();
}
