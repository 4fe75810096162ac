#include <dialogs/CDlgModelName.h>

#include <dialogs/TabOrder.h>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kFieldWidth = 256;
}

CDlgModelName::CDlgModelName(MessageBoxes& messages, const QString& title)
    : NamedModelDialog(messages), m_nameEdit(makeEdit("name"))
{
    setWindowTitle(title);
    m_nameEdit->setMinimumWidth(kFieldWidth);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("名称"), m_nameEdit);
    QPushButton* ok = makeOkButton();
    QPushButton* cancel = makeCancelButton();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    SetTabChain({{m_nameEdit, ok, cancel}});
}

void CDlgModelName::DoDataExchange(DataExchange& dx)
{
    ExchangeModelName(dx, m_nameEdit, m_name);
}

void CDlgModelName::OnInitDialog()
{
    NamedModelDialog::OnInitDialog();
    m_nameEdit->setFocus(Qt::OtherFocusReason);
    m_nameEdit->selectAll();
}

void CDlgModelName::OnOK()
{
    acceptNamed(m_nameEdit);
}
