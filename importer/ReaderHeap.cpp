// The reader process's operator new and delete. dxflib allocates and frees a
// line buffer of 1 KiB for every line it reads and a string or a stream for
// most values, and glibc's allocator takes blocks of that size through its
// slower bins: a tenth of the parse went to malloc and free. Here blocks up
// to 2 KiB come from free lists kept by size, carved from large slabs that
// are never given back; larger blocks go to malloc. Each thread keeps lists
// of its own. When memory runs out the new handler is called, as the
// standard asks, so the reader still ends with its out-of-memory code.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kAlign = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
// Each block starts with its size class (0: from malloc), one alignment unit
// so that what follows stays aligned.
constexpr std::size_t kHeader = kAlign;
constexpr std::size_t kClasses = 2048 / kAlign + 1;
constexpr std::size_t kSlabBytes = 1 << 20;

struct FreeBlock {
    FreeBlock* next;
};

struct Lists {
    FreeBlock* free[kClasses] = {};
    char* slab = nullptr;
    char* slabEnd = nullptr;
};

thread_local Lists t_lists;

std::size_t& classOf(char* block)
{
    return *reinterpret_cast<std::size_t*>(block);
}

void* tryAllocate(std::size_t bytes)
{
    const std::size_t size = bytes == 0 ? 1 : (bytes + kAlign - 1) / kAlign;
    if (size >= kClasses) {
        if (bytes > SIZE_MAX - kHeader)
            return nullptr;
        auto* block = static_cast<char*>(std::malloc(bytes + kHeader));
        if (!block)
            return nullptr;
        classOf(block) = 0;
        return block + kHeader;
    }
    Lists& lists = t_lists;
    if (FreeBlock* reused = lists.free[size]) {
        lists.free[size] = reused->next;
        return reused;
    }
    const std::size_t whole = kHeader + size * kAlign;
    if (static_cast<std::size_t>(lists.slabEnd - lists.slab) < whole) {
        // The rest of the old slab (less than one block) is left unused.
        auto* slab = static_cast<char*>(std::malloc(kSlabBytes));
        if (!slab)
            return nullptr;
        lists.slab = slab;
        lists.slabEnd = slab + kSlabBytes;
    }
    char* block = lists.slab;
    lists.slab += whole;
    classOf(block) = size;
    return block + kHeader;
}

void* allocate(std::size_t bytes)
{
    while (true) {
        if (void* p = tryAllocate(bytes))
            return p;
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void release(void* p) noexcept
{
    if (!p)
        return;
    char* block = static_cast<char*>(p) - kHeader;
    const std::size_t size = classOf(block);
    if (size == 0) {
        std::free(block);
        return;
    }
    auto* freed = static_cast<FreeBlock*>(p);
    Lists& lists = t_lists;
    freed->next = lists.free[size];
    lists.free[size] = freed;
}

} // namespace

void* operator new(std::size_t bytes)
{
    return allocate(bytes);
}

void* operator new[](std::size_t bytes)
{
    return allocate(bytes);
}

void operator delete(void* p) noexcept
{
    release(p);
}

void operator delete[](void* p) noexcept
{
    release(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    release(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    release(p);
}
