#include <dialogs/CDlgKnifeSetting.h>

#include <dialogs/CDlgAddOneKnife.h>
#include <dialogs/GbkQString.h>
#include <dialogs/MessageBoxes.h>
#include <dialogs/TabOrder.h>
#include <dialogs/ToolTexts.h>

#include <grid/CTreeGridCtrl.h>
#include <library/KnifeFile.h>
#include <library/ModelLibrary.h>

#include <QComboBox>
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

CDlgKnifeSetting::CDlgKnifeSetting(MessageBoxes& messages)
    : ExchangeDialog(messages), m_frame(new QFrame(this)), m_grid(new CTreeGridCtrl(m_frame))
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
    if (const ModelLibrary* library = CurrentLibrary()) {
        for (KnifeInfo* knife : library->knives)
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
    const KnifeInfo* knife = selectedKnife();
    if (!knife)
        return;
    m_form.toolNumber = static_cast<unsigned>(knife->ID);
    m_form.speed = knife->Vel;
    m_form.diameter = knife->Diameter;
    m_form.safeDistance = knife->SafeDistance;
    m_form.texts = {knife->AirForward, knife->AirBack, knife->DrillStart, knife->DrillStop};
    SelectToolListIndex(m_form.spindleList, knife->IsMain != 0 ? 1 : 0);
    SelectToolListIndex(m_form.enableList, knife->Enable != 0 ? 1 : 0);
    SelectToolListIndex(m_form.typeList, knife->Type);
    UpdateData(false);
}

void CDlgKnifeSetting::OnApply()
{
    // All fields must be readable before anything is written: a tool never
    // holds a mix of new and stale values.
    if (!UpdateData(true))
        return;
    KnifeInfo* knife = selectedKnife();
    if (!knife)
        return;
    knife->ID = static_cast<int>(m_form.toolNumber);
    knife->Vel = m_form.speed;
    knife->Diameter = m_form.diameter;
    knife->SafeDistance = m_form.safeDistance;
    knife->AirForward = m_form.texts[0];
    knife->AirBack = m_form.texts[1];
    knife->DrillStart = m_form.texts[2];
    knife->DrillStop = m_form.texts[3];
    knife->Enable = m_form.enableList->currentIndex() != 0 ? 1 : 0;
    knife->IsMain = m_form.spindleList->currentIndex() != 0 ? 1 : 0;
    knife->Type = m_form.typeList->currentIndex();
    FillKnifeGrid();
    saveTable();
}

void CDlgKnifeSetting::OnAddKnife()
{
    ModelLibrary* library = CurrentLibrary();
    if (!library)
        return;
    CDlgAddOneKnife add(messages());
    if (add.DoModal() != IDOK)
        return;
    auto knife = std::make_unique<KnifeInfo>();
    knife->ID = static_cast<int>(add.m_form.toolNumber);
    knife->Diameter = add.m_form.diameter;
    knife->Vel = add.m_form.speed;
    knife->SafeDistance = add.m_form.safeDistance;
    knife->AirForward = add.m_form.texts[0];
    knife->AirBack = add.m_form.texts[1];
    knife->DrillStart = add.m_form.texts[2];
    knife->DrillStop = add.m_form.texts[3];
    knife->Type = add.m_typeIndex;
    knife->IsMain = add.m_spindleIndex;
    knife->Enable = add.m_enableIndex;
    library->knives.add_tail(std::move(knife));
    FillKnifeGrid();
    saveTable();
}

void CDlgKnifeSetting::saveTable()
{
    const SaveResult saved = SaveKnifeFile();
    if (saved)
        return;
    messages().warning(QStringLiteral("刀具表没有保存到文件“%1”：%2。\n修改仍保留在程序中，但下次启动时将不再存在。")
                           .arg(QString::fromUtf8(saved.path), QString::fromUtf8(saved.reason)));
}
