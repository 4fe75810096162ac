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

    // Nodes come from free lists of their own (CTreeGridNodes.cpp): a fill of
    // a hundred thousand rows and its clear otherwise leave as many small
    // blocks in the allocator's fast bins, which it then sorts one by one.
    static void* operator new(std::size_t bytes);
    static void operator delete(void* node, std::size_t bytes) noexcept;
};
