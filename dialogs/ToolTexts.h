#pragma once

#include <QString>

class QComboBox;
struct KnifeField;
struct KnifeInfo;

// How the tool dialogs show a tool's values (KnifeFields).

// The value of a list field as a list index: a flag's entry, a code's own
// index, or -1 for a code outside the list.
int ToolListIndex(const KnifeField& field, const KnifeInfo& knife);
// The tool table's text of the value: a list's entry ("未知" for a code
// outside it), a real with two decimals, a whole number, a text as stored;
// empty for a value that may be left out and is.
QString ToolCellText(const KnifeField& field, const KnifeInfo& knife);

// Fills a list field's control with its entries and selects the first.
void FillToolList(QComboBox* list, const KnifeField& field);
// Selects index, or nothing when index lies outside the list.
void SelectToolListIndex(QComboBox* list, int index);
