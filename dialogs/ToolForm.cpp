#include <dialogs/ToolForm.h>

#include <dialogs/DataExchange.h>
#include <dialogs/LibraryMessages.h>
#include <dialogs/ToolTexts.h>

#include <library/KnifeFields.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kFieldWidth = 84;

// Reads a number that must be above 0; the member keeps its value when the
// field is refused. kept: the member holds the loaded tool's value, which
// passes unchanged.
template <typename Number>
void exchangePositive(DataExchange& dx, QLineEdit* field, Number& member, bool kept, const char* name)
{
    Number value = member;
    dx.number(field, value);
    dx.check(field, value > 0 || (kept && value == member), ToolValueNotPositiveMessage(QString::fromUtf8(name)));
    if (!dx.failed())
        member = value;
}

bool isText(const KnifeField& field)
{
    return std::holds_alternative<std::string KnifeInfo::*>(field.member);
}

bool isToolNumber(const KnifeField& field)
{
    const auto* member = std::get_if<int KnifeInfo::*>(&field.member);
    return member && *member == &KnifeInfo::ID;
}

// The values a tool cannot do without, each above 0, by the name its
// refusal gives; none for the others.
const char* positiveName(const KnifeField& field)
{
    if (const auto* whole = std::get_if<int KnifeInfo::*>(&field.member)) {
        if (*whole == &KnifeInfo::ID)
            return "刀号";
        if (*whole == &KnifeInfo::Vel)
            return "加工速度";
    }
    const auto* real = std::get_if<double KnifeInfo::*>(&field.member);
    return real && *real == &KnifeInfo::Diameter ? "刀径" : nullptr;
}

void exchangeValue(DataExchange& dx, const KnifeField& field, QLineEdit* edit, int& value)
{
    if (field.onlyWhenSet)
        dx.optionalNumber(edit, value);
    else
        dx.number(edit, value);
}
void exchangeValue(DataExchange& dx, const KnifeField&, QLineEdit* edit, double& value)
{
    dx.number(edit, value);
}
void exchangeValue(DataExchange& dx, const KnifeField&, QLineEdit* edit, std::string& value)
{
    dx.text(edit, value);
}
// Kinds are chosen from a list, never typed.
void exchangeValue(DataExchange&, const KnifeField&, QLineEdit*, KnifeKind&) {}

void storeIndex(int& value, const KnifeField& field, int index)
{
    if (field.flag)
        value = index != 0 ? 1 : 0;
    else if (index >= 0)
        value = index;
}
void storeIndex(KnifeKind& value, const KnifeField&, int index)
{
    if (index >= 0)
        value = static_cast<KnifeKind>(index);
}
void storeIndex(double&, const KnifeField&, int) {}
void storeIndex(std::string&, const KnifeField&, int) {}

} // namespace

void ToolForm::build(QWidget* owner, QGridLayout* grid)
{
    controls.clear();
    for (const KnifeField& field : KnifeFields()) {
        QWidget* control = nullptr;
        if (field.entries.empty()) {
            control = new QLineEdit(owner);
        } else {
            auto* list = new QComboBox(owner);
            list->setEditable(false);
            control = list;
        }
        control->setObjectName(QLatin1String(field.name));
        control->setMinimumWidth(kFieldWidth);
        grid->addWidget(new QLabel(QString::fromUtf8(field.label), owner), field.row, field.slot * 2);
        grid->addWidget(control, field.row, field.slot * 2 + 1);
        controls.push_back(control);
    }
}

void ToolForm::fillLists()
{
    const std::span<const KnifeField> fields = KnifeFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (auto* list = qobject_cast<QComboBox*>(controls[i]))
            FillToolList(list, fields[i]);
}

void ToolForm::exchange(DataExchange& dx)
{
    const bool loaded = loadedToolNumber.has_value();
    const std::span<const KnifeField> fields = KnifeFields();
    for (const bool texts : {false, true}) {
        for (const std::size_t i : inFormOrder(texts)) {
            auto* edit = qobject_cast<QLineEdit*>(controls[i]);
            if (!edit)
                continue;
            const char* name = positiveName(fields[i]);
            if (!name) {
                std::visit([&](auto member) { exchangeValue(dx, fields[i], edit, values.*member); }, fields[i].member);
            } else if (isToolNumber(fields[i])) {
                const int before = values.ID;
                exchangePositive(dx, edit, values.ID, loaded, name);
                const bool taken = std::find(takenNumbers.begin(), takenNumbers.end(), values.ID) != takenNumbers.end();
                dx.check(edit, !taken || (loaded && values.ID == *loadedToolNumber), ToolNumberTakenMessage(values.ID));
                if (dx.failed())
                    values.ID = before;
            } else if (const auto* whole = std::get_if<int KnifeInfo::*>(&fields[i].member)) {
                exchangePositive(dx, edit, values.**whole, loaded, name);
            } else {
                exchangePositive(dx, edit, values.*std::get<double KnifeInfo::*>(fields[i].member), loaded, name);
            }
        }
    }
}

void ToolForm::load(const KnifeInfo& knife)
{
    values = knife;
    loadedToolNumber = knife.ID;
    const std::span<const KnifeField> fields = KnifeFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (auto* list = qobject_cast<QComboBox*>(controls[i]))
            SelectToolListIndex(list, ToolListIndex(fields[i], knife));
}

void ToolForm::store(KnifeInfo& knife) const
{
    const std::span<const KnifeField> fields = KnifeFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto* list = qobject_cast<const QComboBox*>(controls[i]);
        std::visit(
            [&](auto member) {
                if (list)
                    storeIndex(knife.*member, fields[i], list->currentIndex());
                else
                    knife.*member = values.*member;
            },
            fields[i].member);
    }
}

std::vector<std::size_t> ToolForm::inFormOrder(bool texts) const
{
    const std::span<const KnifeField> fields = KnifeFields();
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (isText(fields[i]) == texts)
            order.push_back(i);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::pair(fields[a].row, fields[a].slot) < std::pair(fields[b].row, fields[b].slot);
    });
    return order;
}

std::vector<QWidget*> ToolForm::numbersAndLists() const
{
    std::vector<QWidget*> widgets;
    for (const std::size_t i : inFormOrder(false))
        widgets.push_back(controls[i]);
    return widgets;
}

std::vector<QWidget*> ToolForm::textFields() const
{
    std::vector<QWidget*> widgets;
    for (const std::size_t i : inFormOrder(true))
        widgets.push_back(controls[i]);
    return widgets;
}
