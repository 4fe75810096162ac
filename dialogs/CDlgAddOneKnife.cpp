#include <dialogs/CDlgAddOneKnife.h>

#include <dialogs/TabOrder.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kButtonRow = 2;
constexpr int kButtonColumn = 7;
} // namespace

CDlgAddOneKnife::CDlgAddOneKnife(MessageBoxes& messages) : ExchangeDialog(messages)
{
    setWindowTitle(QStringLiteral("添加刀具"));

    QPushButton* ok = makeOkButton();
    auto* group = new QGroupBox(QStringLiteral("刀具信息"), this);
    auto* grid = new QGridLayout(group);
    m_form.build(group, grid);
    grid->addWidget(ok, kButtonRow, kButtonColumn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SetTabChain({{ok}, m_form.numbersAndLists(), m_form.textFields()});
}

void CDlgAddOneKnife::DoDataExchange(DataExchange& dx)
{
    m_form.exchange(dx);
}

void CDlgAddOneKnife::OnInitDialog()
{
    ExchangeDialog::OnInitDialog();
    m_form.fillLists();
    m_form.numbersAndLists().front()->setFocus(Qt::OtherFocusReason);
}
