// The tree of nodes behind the grid's rows: adding, removing, expanding and
// collapsing nodes, and keeping the shown rows in step with the tree.
#include <grid/CTreeGridCtrl.h>

#include <grid/CTreeGridItem.h>
#include <grid/GridImageStrip.h>

#include <QScrollBar>

#include <algorithm>

namespace {

using Node = CTreeGridCtrl::CTreeItem;

int SubtreeSize(const Node* node)
{
    int size = 1;
    for (const auto& child : node->m_children)
        size += SubtreeSize(child.get());
    return size;
}

// Marks the shown descendants of an expanded node as no longer shown, setting
// the collapsed flag of every expanded node on the way; returns their number.
int HideDescendants(Node* node, bool hide)
{
    if (node->m_collapsed || !node->HasChildren())
        return 0;
    node->m_collapsed = hide;
    int hidden = 0;
    for (const auto& child : node->m_children) {
        hidden += 1 + HideDescendants(child.get(), hide);
        child->m_row = -1;
    }
    return hidden;
}

std::unique_ptr<Node> MakeNode(CItemInfo* info, Node* parent)
{
    auto node = std::make_unique<Node>();
    node->m_info.reset(info ? info : new CItemInfo);
    node->m_parent = parent;
    node->m_indent = parent ? parent->m_indent + 1 : 1;
    return node;
}

} // namespace

CTreeGridCtrl::CTreeItem* CTreeGridCtrl::AddRootRow(CItemInfo* info)
{
    auto node = MakeNode(info, nullptr);
    CTreeItem* added = node.get();
    added->m_row = RowCount();
    m_roots.push_back(std::move(node));
    m_rows.push_back(added);
    ++m_nodeCount;
    ScheduleGeometry();
    return added;
}

CTreeGridCtrl::CTreeItem* CTreeGridCtrl::AddChildRow(CTreeItem* parent, CItemInfo* info)
{
    if (!parent) {
        const std::unique_ptr<CItemInfo> refused(info); // handed over, so freed here
        return nullptr;
    }
    auto node = MakeNode(info, parent);
    CTreeItem* added = node.get();
    const bool firstChild = !parent->HasChildren();
    const bool shown = !firstChild && !parent->m_collapsed && OwnsShownNode(parent);
    int row = -1;
    if (shown) {
        // The new row follows the last shown row of the parent's subtree.
        const CTreeItem* last = parent;
        while (last->HasChildren() && !last->m_collapsed)
            last = last->m_children.back().get();
        row = last->m_row + 1;
    }
    parent->m_children.push_back(std::move(node));
    if (firstChild)
        parent->m_collapsed = true;
    ++m_nodeCount;
    if (shown) {
        m_rows.insert(m_rows.begin() + row, added);
        RenumberRows(row);
        ScheduleGeometry();
    } else {
        RepaintRow(parent->m_row);
    }
    return added;
}

void CTreeGridCtrl::RemoveAllRows()
{
    // The grid lets go of every node before one is freed, so nothing that
    // runs meanwhile can reach a record being freed; and the nodes are
    // walked once, which with many rows is most of the cost.
    {
        std::vector<std::unique_ptr<CTreeItem>> removed;
        removed.swap(m_roots);
        m_selected = nullptr;
        m_rows.clear();
        m_nodeCount = 0;
        // Newest first: the allocator takes each block straight back
        // instead of sorting it into its free lists.
        while (!removed.empty())
            removed.pop_back();
    }
    verticalScrollBar()->setValue(0);
    UpdateGeometries();
    viewport()->update();
}

void CTreeGridCtrl::RemoveNode(CTreeItem* node)
{
    if (!node)
        return;
    const CTreeItem* root = node;
    while (root->m_parent)
        root = root->m_parent;
    if (!OwnsShownNode(root))
        return;
    const int row = RowOfNode(node);
    if (row >= 0) {
        RemoveChildRows(node, true, row + 1);
        if (m_selected == node)
            m_selected = nullptr;
        m_rows.erase(m_rows.begin() + row);
    }
    m_nodeCount -= SubtreeSize(node);
    CTreeItem* parent = node->m_parent;
    const bool removed = parent ? RemoveFromTree(node) : DetachRoot(node);
    // A node whose last child went has no children to hide any more.
    if (removed && parent && !parent->HasChildren())
        parent->m_collapsed = false;
    RenumberRows(std::max(0, row));
    UpdateGeometries();
    viewport()->update();
}

bool CTreeGridCtrl::DetachRoot(CTreeItem* node)
{
    const auto found = std::find_if(m_roots.begin(), m_roots.end(), [node](const auto& root) { return root.get() == node; });
    if (found == m_roots.end())
        return false;
    m_roots.erase(found);
    return true;
}

bool CTreeGridCtrl::RemoveFromTree(CTreeItem* node)
{
    if (!node || !node->m_parent)
        return false;
    auto& siblings = node->m_parent->m_children;
    const auto found = std::find_if(siblings.begin(), siblings.end(), [node](const auto& child) { return child.get() == node; });
    if (found == siblings.end())
        return false;
    siblings.erase(found);
    return true;
}

void CTreeGridCtrl::RenumberRows(int fromRow)
{
    for (int row = std::max(0, fromRow); row < RowCount(); ++row)
        m_rows[row]->m_row = row;
}

CTreeGridCtrl::CTreeItem* CTreeGridCtrl::GetRowNode(int row) const
{
    return (row >= 0 && row < RowCount()) ? m_rows[row] : nullptr;
}

CItemInfo* CTreeGridCtrl::GetRowInfo(int row) const
{
    const CTreeItem* node = GetRowNode(row);
    return node ? node->m_info.get() : nullptr;
}

bool CTreeGridCtrl::OwnsShownNode(const CTreeItem* node) const
{
    return node && node->m_row >= 0 && node->m_row < RowCount() && m_rows[node->m_row] == node;
}

int CTreeGridCtrl::RowOfNode(const CTreeItem* node) const
{
    // A node is shown when all its ancestors are expanded; its row is then
    // kept current in m_row. Hidden nodes and foreign nodes have no row.
    if (!node)
        return -1;
    for (const CTreeItem* up = node->m_parent; up; up = up->m_parent) {
        if (up->m_collapsed)
            return -1;
    }
    return OwnsShownNode(node) ? node->m_row : -1;
}

int CTreeGridCtrl::ExpandNode(CTreeItem* node, int row)
{
    int last = row;
    // The row must be the node's own: inserting children below another row
    // would tear the tree and the rows apart.
    if (node && node->HasChildren() && node->m_collapsed && row >= 0 && row < RowCount() && m_rows[row] == node) {
        node->m_collapsed = false;
        std::vector<CTreeItem*> children;
        children.reserve(node->m_children.size());
        for (const auto& child : node->m_children) {
            child->m_rowChecked = child->m_info->m_checked;
            children.push_back(child.get());
        }
        m_rows.insert(m_rows.begin() + row + 1, children.begin(), children.end());
        last = row + int(children.size());
        UpdateGeometries();
        viewport()->update();
    }
    RenumberRows(std::max(0, row));
    return last;
}

void CTreeGridCtrl::RemoveChildRows(CTreeItem* node, bool hide, int firstRow)
{
    if (!node || node->m_collapsed || !node->HasChildren())
        return;
    if (firstRow < 0 || firstRow >= RowCount() || m_rows[firstRow] != node->m_children.front().get())
        return;
    const int count = HideDescendants(node, hide);
    const auto begin = m_rows.begin() + firstRow;
    if (m_selected && m_selected->m_row == -1)
        m_selected = nullptr; // the selected row went with the hidden rows
    m_rows.erase(begin, begin + count);
}

void CTreeGridCtrl::CollapseNode(CTreeItem* node)
{
    if (!node || !node->HasChildren())
        return;
    const int row = RowOfNode(node);
    if (row < 0)
        return; // a hidden node has no child rows to remove
    RemoveChildRows(node, true, row + 1);
    RenumberRows(row + 1);
    UpdateGeometries();
    viewport()->update();
}

void CTreeGridCtrl::ExpandSubtree(CTreeItem* node, int& lastRow)
{
    if (!node || !node->HasChildren())
        return;
    lastRow = ExpandNode(node, RowOfNode(node));
    for (const auto& child : node->m_children)
        ExpandSubtree(child.get(), lastRow);
}

int CTreeGridCtrl::RowImage(const CTreeItem* node) const
{
    if (!node)
        return 0;
    if (node->m_info->m_image != -1)
        return node->m_info->m_image;
    if (!node->HasChildren())
        return LeafImage;
    return node->m_collapsed ? CollapsedNodeImage : ExpandedNodeImage;
}

void CTreeGridCtrl::StoreEditedText(CTreeItem* node, const EditedItem& item)
{
    if (!node || item.subItem < 0)
        return;
    if (item.subItem == 0)
        node->m_info->m_text = item.text;
    else
        node->m_info->SetSubItemText(item.subItem - 1, item.text);
    RepaintRow(node->m_row);
}
