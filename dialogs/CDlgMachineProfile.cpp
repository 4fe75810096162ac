#include <dialogs/CDlgMachineProfile.h>

#include <dialogs/DataExchange.h>
#include <dialogs/MachiningMessages.h>
#include <dialogs/TabOrder.h>

#include <library/ProfileFields.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace {
constexpr int kLetterWidth = 40;
constexpr int kTextLines = 3;

struct Group {
    ProfileGroup group;
    const char* title;
};
constexpr Group kGroups[] = {
    {ProfileGroup::Frame, "坐标系"}, {ProfileGroup::Cutting, "加工参数"}, {ProfileGroup::Text, "程序格式"}};

// The entry of a choice that stands for the value; -1 when none does.
int choiceIndex(const ProfileField& field, int value)
{
    for (std::size_t i = 0; i < field.choices.size(); ++i)
        if (field.choices[i].value == value)
            return static_cast<int>(i);
    return -1;
}

void exchangeValue(DataExchange& dx, const ProfileField& field, QWidget* widget, int& value)
{
    if (field.control == ProfileControl::Flag) {
        dx.flag(static_cast<QCheckBox*>(widget), value);
    } else if (field.control == ProfileControl::Choice) {
        int index = choiceIndex(field, value);
        dx.choice(static_cast<QComboBox*>(widget), index);
        if (dx.reading() && !dx.failed() && index >= 0)
            value = field.choices[static_cast<std::size_t>(index)].value;
    } else {
        dx.number(static_cast<QLineEdit*>(widget), value);
    }
}

void exchangeValue(DataExchange& dx, const ProfileField&, QWidget* widget, double& value)
{
    dx.number(static_cast<QLineEdit*>(widget), value);
}

void exchangeValue(DataExchange& dx, const ProfileField& field, QWidget* widget, std::string& value)
{
    if (field.control == ProfileControl::Lines)
        dx.text(static_cast<QPlainTextEdit*>(widget), value);
    else
        dx.text(static_cast<QLineEdit*>(widget), value);
}

// Puts the field into the form; the side-head letters go into one row.
void addRow(QFormLayout* form, const ProfileField& field, QWidget* widget, QHBoxLayout*& letters)
{
    const QString label = QString::fromUtf8(field.label);
    if (field.control == ProfileControl::Flag) {
        form->addRow(widget);
    } else if (field.control != ProfileControl::Letter) {
        form->addRow(label, widget);
    } else {
        if (!letters) {
            letters = new QHBoxLayout;
            letters->addStretch();
            form->addRow(label, letters);
        }
        letters->insertWidget(letters->count() - 1, widget);
    }
}
} // namespace

CDlgMachineProfile::CDlgMachineProfile(MessageBoxes& messages, const MachineProfile& profile)
    : ExchangeDialog(messages), m_profile(profile)
{
    setWindowTitle(QStringLiteral("机床设置"));
    const std::span<const ProfileField> fields = ProfileFields();
    for (const ProfileField& field : fields)
        m_fields.push_back(makeField(field));

    // Each group lists its values in the order of the file, texts of several
    // lines last; the tab order follows.
    std::vector<QWidget*> chain;
    std::array<QGroupBox*, std::size(kGroups)> boxes{};
    for (std::size_t g = 0; g < std::size(kGroups); ++g) {
        boxes[g] = new QGroupBox(QString::fromUtf8(kGroups[g].title), this);
        auto* form = new QFormLayout(boxes[g]);
        QHBoxLayout* letters = nullptr;
        for (const bool lines : {false, true}) {
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (fields[i].group != kGroups[g].group || (fields[i].control == ProfileControl::Lines) != lines)
                    continue;
                addRow(form, fields[i], m_fields[i], letters);
                chain.push_back(m_fields[i]);
            }
        }
    }

    QPushButton* ok = makeOkButton();
    QPushButton* cancel = makeCancelButton();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(boxes[0]);
    left->addWidget(boxes[1]);
    left->addStretch();
    columns->addLayout(left);
    columns->addWidget(boxes[2]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SetTabChain({chain, {ok, cancel}});
}

QWidget* CDlgMachineProfile::makeField(const ProfileField& field)
{
    switch (field.control) {
    case ProfileControl::Choice: {
        QComboBox* list = makeDropDown(field.name);
        for (const ProfileChoice& choice : field.choices)
            list->addItem(QString::fromUtf8(choice.label));
        return list;
    }
    case ProfileControl::Flag: {
        auto* box = new QCheckBox(QString::fromUtf8(field.label), this);
        box->setObjectName(QLatin1String(field.name));
        return box;
    }
    case ProfileControl::Lines: {
        auto* text = new QPlainTextEdit(this);
        text->setObjectName(QLatin1String(field.name));
        text->setFixedHeight(text->fontMetrics().lineSpacing() * (kTextLines + 1));
        return text;
    }
    case ProfileControl::Letter: {
        QLineEdit* letter = makeEdit(field.name);
        letter->setMaximumWidth(kLetterWidth);
        return letter;
    }
    case ProfileControl::Number:
    case ProfileControl::Line:
        break;
    }
    return makeEdit(field.name);
}

void CDlgMachineProfile::DoDataExchange(DataExchange& dx)
{
    const std::span<const ProfileField> fields = ProfileFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        std::visit([&](auto member) { exchangeValue(dx, fields[i], m_fields[i], m_profile.*member); },
                   fields[i].member);
    if (!dx.reading() || dx.failed())
        return;
    // Letters are taken as capitals, the way controllers read them.
    for (std::string* letter : {&m_profile.SideAxisX, &m_profile.SideAxisY, &m_profile.SideAxisZ})
        for (char& c : *letter)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    // Checked as the file will keep it: a value that rounds out of range is
    // refused here rather than lost on saving.
    m_profile = AsStored(m_profile);
    const ProfileProblem problem = CheckMachineProfile(m_profile);
    if (QLineEdit* field = fieldOf(problem))
        dx.check(field, false, ProfileProblemText(problem));
}

// The lists offer only values the program can work with, so a problem is
// always one of a line field.
QLineEdit* CDlgMachineProfile::fieldOf(ProfileProblem problem) const
{
    const std::span<const ProfileField> fields = ProfileFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (problem != ProfileProblem::None && fields[i].problem == problem)
            return qobject_cast<QLineEdit*>(m_fields[i]);
    return nullptr;
}
