#include <dialogs/DataExchange.h>

#include <dialogs/GbkQString.h>
#include <dialogs/MessageBoxes.h>
#include <dialogs/FieldNumbers.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace ExchangeMessages {
QString notANumber()
{
    return QStringLiteral("请输入一个数。");
}
QString notAWholeNumber()
{
    return QStringLiteral("请输入一个整数。");
}
QString notInRange(unsigned max)
{
    return QStringLiteral("请输入 0 到 %1 之间的整数。").arg(max);
}
QString notEncodable()
{
    return QStringLiteral("文字中有无法保存的字符（GBK 编码中没有），请改用其他字符。");
}
} // namespace ExchangeMessages

DataExchange::DataExchange(Direction direction, MessageBoxes& messages)
    : m_direction(direction), m_messages(messages)
{
}

namespace {

// The label the dialog shows for the field: a label whose buddy it is, else
// the label before it in its grid row; without access key and colon.
QString fieldLabel(const QWidget* field)
{
    const QWidget* dialog = field->window();
    const QLabel* label = nullptr;
    for (const QLabel* candidate : dialog->findChildren<QLabel*>())
        if (candidate->buddy() == field)
            label = candidate;
    for (const QGridLayout* grid : dialog->findChildren<QGridLayout*>()) {
        const int index = grid->indexOf(const_cast<QWidget*>(field));
        int row = 0, column = 0, rows = 0, columns = 0;
        if (label || index < 0)
            continue;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        if (const QLayoutItem* before = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr)
            label = qobject_cast<const QLabel*>(before->widget());
    }
    if (!label)
        return {};
    QString text = label->text().remove(QLatin1Char('&')).trimmed();
    while (text.endsWith(QStringLiteral("：")) || text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

} // namespace

QString ExchangeMessages::forField(const QString& label, const QString& message)
{
    return label.isEmpty() ? message : QStringLiteral("“%1”：%2").arg(label, message);
}

template <typename Field>
void DataExchange::fail(Field* field, const QString& message)
{
    m_failed = true;
    m_messages.warning(message);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

void DataExchange::text(QPlainTextEdit* field, std::string& value)
{
    if (!active())
        return;
    if (!reading()) {
        field->setPlainText(GbkToQString(value));
        return;
    }
    const auto bytes = QStringToGbk(field->toPlainText());
    if (!bytes) {
        fail(field, ExchangeMessages::notEncodable());
        return;
    }
    value = *bytes;
}

void DataExchange::flag(QCheckBox* box, int& value)
{
    if (!active())
        return;
    if (reading())
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void DataExchange::choice(QComboBox* list, int& value)
{
    if (!active())
        return;
    if (reading())
        value = list->currentIndex();
    else
        list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
}

void DataExchange::check(QLineEdit* field, bool valid, const QString& message)
{
    if (active() && reading() && !valid)
        fail(field, message);
}

void DataExchange::text(QLineEdit* field, std::string& value)
{
    if (!active())
        return;
    if (!reading()) {
        field->setText(GbkToQString(value));
        return;
    }
    const auto bytes = QStringToGbk(field->text());
    if (!bytes) {
        fail(field, ExchangeMessages::notEncodable());
        return;
    }
    value = *bytes;
}

void DataExchange::number(QLineEdit* field, double& value)
{
    if (!active())
        return;
    if (!reading()) {
        field->setText(ShowFieldDouble(value));
        return;
    }
    const auto parsed = ReadFieldDouble(field->text());
    if (!parsed) {
        fail(field, ExchangeMessages::forField(fieldLabel(field), ExchangeMessages::notANumber()));
        return;
    }
    value = *parsed;
}

void DataExchange::number(QLineEdit* field, int& value)
{
    if (!active())
        return;
    if (!reading()) {
        field->setText(QString::number(value));
        return;
    }
    const auto parsed = ReadFieldInt(field->text());
    if (!parsed) {
        fail(field, ExchangeMessages::forField(fieldLabel(field), ExchangeMessages::notAWholeNumber()));
        return;
    }
    value = *parsed;
}

void DataExchange::number(QLineEdit* field, unsigned& value, unsigned max)
{
    if (!active())
        return;
    if (!reading()) {
        field->setText(QString::number(value));
        return;
    }
    const auto parsed = ReadFieldUnsigned(field->text());
    if (!parsed || *parsed > max) {
        fail(field, ExchangeMessages::forField(fieldLabel(field), ExchangeMessages::notInRange(max)));
        return;
    }
    value = *parsed;
}

void DataExchange::optionalNumber(QLineEdit* field, int& value)
{
    if (!active())
        return;
    if (!reading()) {
        field->setText(value == 0 ? QString() : QString::number(value));
        return;
    }
    if (field->text().trimmed().isEmpty()) {
        value = 0;
        return;
    }
    unsigned parsed = 0;
    number(field, parsed, INT_MAX);
    if (active())
        value = static_cast<int>(parsed);
}
