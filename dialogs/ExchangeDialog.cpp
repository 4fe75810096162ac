#include <dialogs/ExchangeDialog.h>

#include <dialogs/DataExchange.h>
#include <dialogs/InputConfinement.h>

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

ExchangeDialog::ExchangeDialog(MessageBoxes& messages)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_messages(messages)
{
    setModal(true);
}

int ExchangeDialog::DoModal()
{
    if (!parentWidget() && QApplication::activeWindow() && QApplication::activeWindow() != this)
        setParent(QApplication::activeWindow(), windowFlags());
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

int ExchangeDialog::DoModalBeside(QWidget* beside)
{
    if (!beside)
        return DoModal();
    if (!parentWidget())
        setParent(beside->window(), windowFlags());
    setModal(false);
    const InputConfinement confinement({this, beside});
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    setResult(QDialog::Rejected);
    show();
    // Beside the widget's top right corner, so that the middle stays in sight.
    const QPoint corner = beside->mapToGlobal(QPoint(beside->width(), 0));
    move(std::max(0, corner.x() - frameGeometry().width()), corner.y());
    emit frameChanged(frameGeometry());
    raise();
    activateWindow();
    loop.exec(QEventLoop::DialogExec);
    return result() == QDialog::Accepted ? IDOK : IDCANCEL;
}

bool ExchangeDialog::UpdateData(bool saveAndValidate)
{
    DataExchange dx(saveAndValidate ? DataExchange::Direction::FromFields : DataExchange::Direction::ToFields,
                    m_messages);
    DoDataExchange(dx);
    return !dx.failed();
}

void ExchangeDialog::OnInitDialog()
{
    UpdateData(false);
}

void ExchangeDialog::OnOK()
{
    if (UpdateData(true))
        accept();
}

void ExchangeDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void ExchangeDialog::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    if (isVisible())
        emit frameChanged(frameGeometry());
}

void ExchangeDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (isVisible())
        emit frameChanged(frameGeometry());
}

QLineEdit* ExchangeDialog::makeEdit(const char* objectName)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(objectName));
    return edit;
}

QComboBox* ExchangeDialog::makeDropDown(const char* objectName)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QLatin1String(objectName));
    list->setEditable(false);
    return list;
}

QPushButton* ExchangeDialog::makeButton(const QString& text, const char* objectName)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(objectName));
    button->setAutoDefault(false);
    return button;
}

QPushButton* ExchangeDialog::makeOkButton()
{
    QPushButton* ok = makeButton(QStringLiteral("确定"), "ok");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    return ok;
}

QPushButton* ExchangeDialog::makeCancelButton()
{
    QPushButton* cancel = makeButton(QStringLiteral("取消"), "cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    return cancel;
}
