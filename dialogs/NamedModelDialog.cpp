#include <dialogs/NamedModelDialog.h>

#include <QLineEdit>

NamedModelDialog::NamedModelDialog(MessageBoxes& messages) : ExchangeDialog(messages) {}

void NamedModelDialog::acceptNamed(QLineEdit* nameEdit)
{
    if (!UpdateData(true) || !valuesAccepted())
        return;
    if (m_acceptName && !m_acceptName(m_name)) {
        nameEdit->setFocus(Qt::OtherFocusReason);
        nameEdit->selectAll();
        return;
    }
    accept();
}
