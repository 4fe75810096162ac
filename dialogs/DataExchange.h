#pragma once

#include <QString>

#include <climits>
#include <string>

class MessageBoxes;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Moves a dialog's members into its fields or its fields back into the
// members, one field after the other in the order the dialog calls them.
// Reading stops at the first field that cannot be read: the user is told why,
// the focus goes into that field with its text selected, and every later call
// of the same exchange does nothing. Members of fields before it have been
// taken; the failing member and those after it keep their values.
class DataExchange {
public:
    enum class Direction { ToFields, FromFields };

    DataExchange(Direction direction, MessageBoxes& messages);

    bool reading() const { return m_direction == Direction::FromFields; }
    bool failed() const { return m_failed; }

    // Texts are GBK byte strings; a text with a character GBK cannot encode
    // is refused rather than stored with a substitute.
    void text(QLineEdit* field, std::string& value);
    // An unreadable number is refused naming the field by its label.
    void number(QLineEdit* field, double& value);
    void number(QLineEdit* field, int& value);
    // Refuses a minus sign and values above max.
    void number(QLineEdit* field, unsigned& value, unsigned max = UINT_MAX);
    // A whole number from 0 that may be left out: 0 shows as an empty field
    // and an empty field (blanks only) gives 0.
    void optionalNumber(QLineEdit* field, int& value);

    // A text of several lines; refused as a line field's text is.
    void text(QPlainTextEdit* field, std::string& value);
    // A check box: 1 checked, 0 not; any other value shows checked.
    void flag(QCheckBox* box, int& value);
    // The chosen entry of a drop-down list, from 0; a value outside the list
    // shows no entry chosen.
    void choice(QComboBox* list, int& value);

    // While reading: refuses the field with the message when valid is false.
    void check(QLineEdit* field, bool valid, const QString& message);

private:
    bool active() const { return !m_failed; }
    // A line field or a field of several lines.
    template <typename Field>
    void fail(Field* field, const QString& message);

    Direction m_direction;
    MessageBoxes& m_messages;
    bool m_failed = false;
};

// The texts with which the exchange refuses a field.
namespace ExchangeMessages {
QString notANumber();
QString notAWholeNumber();
QString notInRange(unsigned max);
QString notEncodable();
// A refusal named by the label of its field: "“厚度（毫米）”：请输入一个数。";
// the message alone for a field without a label.
QString forField(const QString& label, const QString& message);
} // namespace ExchangeMessages
