#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// The entries of the tool dialogs' three lists; a list index is the value
// stored in the tool record.
QStringList ToolTypeNames();   // 0 "合页刀", 1 "垂直刀", 2 "锁孔侧刀"
QStringList SpindleNames();    // 0 "否", 1 "是"
QStringList EnableNames();     // 0 "禁用", 1 "启用"

// The type as the tool table shows it: its name, or "未知" for an unknown code.
QString ToolTypeText(int type);
QString SpindleText(int isMain);
QString EnableText(int enable);

// Fills a list with the entries and selects the first.
void FillToolList(QComboBox* list, const QStringList& entries);
// Selects index, or nothing when index lies outside the list.
void SelectToolListIndex(QComboBox* list, int index);
