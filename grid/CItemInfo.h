#pragma once

#include <kernel/ColorRef.h>

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

// The record of one grid row. The owner fills it and hands it to the grid,
// which owns it from then on; the owner may still read it and change
// m_userData.
class CItemInfo {
public:
    // Editor kinds a column may carry; kept with the row, never read by the grid.
    enum CONTROLTYPE { Edit, DropDown, DropDownList };

    std::map<int, CONTROLTYPE> m_editorKinds;
    // Background of one cell, keyed by sub-item index (0 = column 1).
    std::map<int, COLORREF> m_cellColors;
    std::map<int, std::unique_ptr<QStringList>> m_optionLists;
    QString m_text;                   // column 0
    QStringList m_subItemTexts;       // element i is column i+1
    bool m_checked = false;
    COLORREF m_textColor = 0;         // black
    int m_image = -1;                 // -1: the grid chooses
    COLORREF m_rowColor = COLORREF_NONE;
    void* m_userData = nullptr;       // the owner's object, never touched by the grid

    // Copy of sub-item text i; throws std::out_of_range outside the array.
    QString SubItemText(int i) const;
    // Sets sub-item text i, growing the array with empty texts as needed.
    void SetSubItemText(int i, const QString& text);
};
