#include <grid/CTreeGridItem.h>

#include <cstdlib>
#include <new>

namespace {

using Node = CTreeGridCtrl::CTreeItem;

// Sanitized builds leave every node to the general allocator.
#ifndef VARNHOLT_SANITIZED
constexpr std::size_t kNodesPerSlab = 4096;

union Block {
    Block* next;
    alignas(Node) unsigned char bytes[sizeof(Node)];
};

// Blocks freed on a thread go back to that thread's list; slabs are kept for
// the life of the program, as nodes may be freed as late as its end.
struct FreeList {
    Block* first = nullptr;
};

thread_local FreeList t_free;

Block* newSlab()
{
    auto* slab = static_cast<Block*>(std::malloc(kNodesPerSlab * sizeof(Block)));
    if (!slab)
        return nullptr;
    for (std::size_t i = 1; i + 1 < kNodesPerSlab; ++i)
        slab[i].next = &slab[i + 1];
    slab[kNodesPerSlab - 1].next = nullptr;
    t_free.first = &slab[1];
    return slab;
}
#endif

} // namespace

void* Node::operator new([[maybe_unused]] std::size_t bytes)
{
#ifndef VARNHOLT_SANITIZED
    if (bytes == sizeof(Node)) {
        if (Block* block = t_free.first) {
            t_free.first = block->next;
            return block;
        }
        if (Block* block = newSlab())
            return block;
        throw std::bad_alloc();
    }
#endif
    return ::operator new(bytes);
}

void Node::operator delete(void* node, [[maybe_unused]] std::size_t bytes) noexcept
{
#ifndef VARNHOLT_SANITIZED
    if (node && bytes == sizeof(Node)) {
        auto* block = static_cast<Block*>(node);
        block->next = t_free.first;
        t_free.first = block;
        return;
    }
#endif
    ::operator delete(node);
}
