#include <dialogs/ToolTexts.h>

#include <dialogs/GbkQString.h>

#include <library/KnifeFields.h>

#include <QComboBox>

namespace {
int asIndex(int value)
{
    return value;
}
int asIndex(KnifeKind kind)
{
    return static_cast<int>(kind);
}
int asIndex(double)
{
    return -1;
}
int asIndex(const std::string&)
{
    return -1;
}

QString cellText(int value)
{
    return QString::number(value);
}
QString cellText(double value)
{
    return QString::number(value, 'f', 2);
}
QString cellText(const std::string& value)
{
    return GbkToQString(value);
}
QString cellText(KnifeKind)
{
    return {};
}
} // namespace

int ToolListIndex(const KnifeField& field, const KnifeInfo& knife)
{
    const int value = std::visit([&](auto member) { return asIndex(knife.*member); }, field.member);
    if (field.flag)
        return value != 0 ? 1 : 0;
    return value >= 0 && static_cast<std::size_t>(value) < field.entries.size() ? value : -1;
}

QString ToolCellText(const KnifeField& field, const KnifeInfo& knife)
{
    static const KnifeInfo fresh;
    if (field.entries.empty())
        return std::visit(
            [&](auto member) {
                return field.onlyWhenSet && knife.*member == fresh.*member ? QString() : cellText(knife.*member);
            },
            field.member);
    const int index = ToolListIndex(field, knife);
    return index >= 0 ? QString::fromUtf8(field.entries[static_cast<std::size_t>(index)]) : QStringLiteral("未知");
}

void FillToolList(QComboBox* list, const KnifeField& field)
{
    for (const char* entry : field.entries)
        list->addItem(QString::fromUtf8(entry));
    list->setCurrentIndex(0);
}

void SelectToolListIndex(QComboBox* list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}
