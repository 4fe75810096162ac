#pragma once

#include <grid/CTreeGridCtrl.h>

// One node of the grid's tree. Owns its record and its children.
class CTreeGridCtrl::CTreeItem {
public:
    std::vector<std::unique_ptr<CTreeItem>> m_children; // in display order
    CTreeItem* m_parent = nullptr;                      // null for a root
    std::unique_ptr<CItemInfo> m_info;
    bool m_collapsed = false; // true while the children's rows are not shown
    int m_row = -1;           // row index while shown
    int m_indent = -1;        // a root has indent 1
    bool m_rowChecked = false; // the check box as the row shows it

    bool HasChildren() const { return !m_children.empty(); }
};
