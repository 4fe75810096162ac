#include <dialogs/ToolTexts.h>

#include <QComboBox>

QStringList ToolTypeNames()
{
    return {QStringLiteral("合页刀"), QStringLiteral("垂直刀"), QStringLiteral("锁孔侧刀")};
}

QStringList SpindleNames()
{
    return {QStringLiteral("否"), QStringLiteral("是")};
}

QStringList EnableNames()
{
    return {QStringLiteral("禁用"), QStringLiteral("启用")};
}

QString ToolTypeText(int type)
{
    const QStringList names = ToolTypeNames();
    return type >= 0 && type < names.size() ? names[type] : QStringLiteral("未知");
}

QString SpindleText(int isMain)
{
    return SpindleNames()[isMain != 0 ? 1 : 0];
}

QString EnableText(int enable)
{
    return EnableNames()[enable != 0 ? 1 : 0];
}

void FillToolList(QComboBox* list, const QStringList& entries)
{
    list->addItems(entries);
    list->setCurrentIndex(0);
}

void SelectToolListIndex(QComboBox* list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}
