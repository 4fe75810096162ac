#include <dialogs/CDlgKnifeSetting.h>

#include <dialogs/CDlgAddOneKnife.h>
#include <dialogs/MessageBoxes.h>
#include <dialogs/TabOrder.h>
#include <dialogs/ToolTexts.h>

#include <grid/CTreeGridCtrl.h>
#include <library/KnifeFields.h>

#include <QContextMenuEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include <memory>

namespace {

// Where the grid lies, as large as the template's frame.
constexpr int kFrameWidth = 820;
constexpr int kFrameHeight = 263;
constexpr int kMaxScreenShare = 90; // percent of the screen's width the grid may take
constexpr int kApplyRow = 2;
constexpr int kApplyColumn = 7;

// The widths are the least a column takes; each grows to its content. The
// numbers stand right-aligned, so that their digits line up; a list of codes
// takes a wider column than the rest.
constexpr int kColumnWidth = 60;
constexpr int kCodeColumnWidth = 80;

bool isNumber(const KnifeField& field)
{
    return field.entries.empty() && !std::holds_alternative<std::string KnifeInfo::*>(field.member);
}

// The fields in the order of the grid's columns.
std::vector<const KnifeField*> columnFields()
{
    std::vector<const KnifeField*> columns;
    for (const KnifeField& field : KnifeFields())
        columns.push_back(&field);
    std::sort(columns.begin(), columns.end(),
              [](const KnifeField* a, const KnifeField* b) { return a->column < b->column; });
    return columns;
}

std::unique_ptr<CItemInfo> knifeRow(KnifeInfo* knife)
{
    auto info = std::make_unique<CItemInfo>();
    info->m_userData = knife;
    const std::vector<const KnifeField*> columns = columnFields();
    info->m_text = ToolCellText(*columns.front(), *knife);
    for (std::size_t i = 1; i < columns.size(); ++i)
        info->m_subItemTexts << ToolCellText(*columns[i], *knife);
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
    connect(m_grid, &CTreeGridCtrl::returnPressed, this, [this](void*) { OnEditKnife(); });
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);

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
    // Widths kept from a table of other columns would fit the wrong ones.
    if (m_userColumnWidths.size() == m_grid->ColumnCount())
        m_grid->SetUserColumnWidths(m_userColumnWidths);
    FillKnifeGrid();
    growFrameToColumns();
    if (m_grid->NodeCount() >= 1)
        selectRow(0);
    ShowSelectedKnife();
}

void CDlgKnifeSetting::InitKnifeColumns()
{
    int index = 0;
    for (const KnifeField* field : columnFields())
        m_grid->InsertColumn(index++, QString::fromUtf8(field->heading),
                             field->entries.empty() || field->flag ? kColumnWidth : kCodeColumnWidth,
                             isNumber(*field) ? Qt::AlignRight : Qt::AlignLeft);
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
    m_grid->FitColumnsToContents();
    if (selected >= 0 && selected < m_grid->NodeCount())
        selectRow(selected);
    ShowSelectedKnife();
}

// The grid's frame grows from its template size to show every column, as
// far as the screen allows.
void CDlgKnifeSetting::growFrameToColumns()
{
    const int columns = m_grid->TotalColumnWidth() + m_grid->verticalScrollBar()->sizeHint().width()
                        + 2 * (m_grid->frameWidth() + m_frame->frameWidth());
    const int screenWidth = screen()->availableGeometry().width() * kMaxScreenShare / 100;
    m_frame->setMinimumWidth(std::clamp(columns, kFrameWidth, std::max(kFrameWidth, screenWidth)));
}

void CDlgKnifeSetting::SetUserColumnWidths(const QList<int>& widths)
{
    m_userColumnWidths = widths;
    if (m_grid->ColumnCount() > 0)
        m_grid->SetUserColumnWidths(widths);
}

QList<int> CDlgKnifeSetting::UserColumnWidths() const
{
    return m_grid->ColumnCount() > 0 ? m_grid->UserColumnWidths() : m_userColumnWidths;
}

std::vector<int> CDlgKnifeSetting::numbersBut(const KnifeInfo* knife) const
{
    std::vector<int> numbers;
    if (m_knives)
        for (const KnifeInfo* other : *m_knives)
            if (other && other != knife)
                numbers.push_back(other->ID);
    return numbers;
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
    m_form.takenNumbers = numbersBut(knife);
    UpdateData(false);
}

void CDlgKnifeSetting::OnApply()
{
    // All fields must be readable before anything is written: a tool never
    // holds a mix of new and stale values. With no tool shown there is
    // nothing to write, nor to check.
    if (!m_shownKnife || !UpdateData(true))
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
    add.m_form.takenNumbers = numbersBut(nullptr);
    if (add.DoModal() != IDOK)
        return;
    auto knife = std::make_unique<KnifeInfo>();
    add.m_form.store(*knife);
    m_knives->add_tail(std::move(knife));
    m_saveTable();
    FillKnifeGrid();
}

bool CDlgKnifeSetting::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::ContextMenu) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        showRowMenu(menu->pos(), menu->globalPos(), menu->reason() == QContextMenuEvent::Keyboard);
        return true;
    }
    if (watched == m_grid && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnDeleteKnife();
        return true;
    }
    return ExchangeDialog::eventFilter(watched, event);
}

void CDlgKnifeSetting::showRowMenu(const QPoint& point, const QPoint& global, bool keyboard)
{
    // From the keyboard (the menu key) the menu is for the selected row.
    int row = keyboard ? m_grid->GetFirstSelectedRow() : -1;
    for (int r = m_grid->TopRow(); !keyboard && row < 0 && r >= 0 && r < m_grid->RowCount(); ++r) {
        const QRect bounds = m_grid->GetRowBounds(r);
        if (point.y() >= bounds.top() && point.y() <= bounds.bottom())
            row = r;
    }
    if (row < 0)
        return;
    selectRow(row);
    ShowSelectedKnife();
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("rowMenu"));
    menu.addAction(QStringLiteral("编辑..."), this, &CDlgKnifeSetting::OnEditKnife);
    menu.addAction(QStringLiteral("复制为..."), this, &CDlgKnifeSetting::OnDuplicateKnife);
    menu.addAction(QStringLiteral("删除\tDel"), this, &CDlgKnifeSetting::OnDeleteKnife);
    menu.exec(global);
}

void CDlgKnifeSetting::OnEditKnife()
{
    if (!selectedKnife())
        return;
    ShowSelectedKnife();
    m_form.numbersAndLists().front()->setFocus(Qt::OtherFocusReason);
}

// The copy takes the next number after the highest, so that it never
// clashes with a tool of the table, and is selected for editing.
void CDlgKnifeSetting::OnDuplicateKnife()
{
    const KnifeInfo* knife = selectedKnife();
    if (!knife)
        return;
    auto copy = std::make_unique<KnifeInfo>(*knife);
    const std::vector<int> numbers = numbersBut(nullptr);
    copy->ID = *std::max_element(numbers.begin(), numbers.end()) + 1;
    m_knives->add_tail(std::move(copy));
    m_saveTable();
    FillKnifeGrid();
    selectRow(m_grid->NodeCount() - 1);
    OnEditKnife();
}

// The table is written at once, so the user confirms first.
void CDlgKnifeSetting::OnDeleteKnife()
{
    const KnifeInfo* knife = selectedKnife();
    if (!knife || !messages().question(QStringLiteral("删除%1号刀具吗？").arg(knife->ID)))
        return;
    GU_OwnedList<KnifeInfo> kept;
    for (const KnifeInfo* other : *m_knives)
        if (other && other != knife)
            kept.add_tail(std::make_unique<KnifeInfo>(*other));
    *m_knives = std::move(kept);
    m_saveTable();
    const int row = m_grid->GetFirstSelectedRow();
    FillKnifeGrid();
    if (m_grid->NodeCount() > 0)
        selectRow(std::min(row, m_grid->NodeCount() - 1));
    ShowSelectedKnife();
}
