#include "platform/core/GlobalMemory.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

struct FreeDeleter {
    void operator()(char* memory) const { std::free(memory); }
};

struct Block {
    std::unique_ptr<char, FreeDeleter> memory;
    // A moveable block's handle is the address of this tag, so it never equals a live pointer.
    std::unique_ptr<char> tag;
    SIZE_T size = 0;
    SIZE_T capacity = 0;
    UINT flags = 0;
    UINT lockCount = 0;

    bool Moveable() const { return (flags & GMEM_MOVEABLE) != 0; }
};

struct Heap {
    std::mutex lock;
    std::unordered_map<HGLOBAL, Block> blocks;

    Block* Find(HGLOBAL handle)
    {
        auto found = blocks.find(handle);
        return found == blocks.end() ? nullptr : &found->second;
    }
};

Heap& GlobalHeap()
{
    static Heap heap;
    return heap;
}

// Zero-size blocks still get one byte so a lock always yields a valid pointer.
char* AllocateBytes(SIZE_T bytes, bool zero)
{
    SIZE_T count = bytes == 0 ? 1 : bytes;
    return static_cast<char*>(zero ? std::calloc(count, 1) : std::malloc(count));
}

HGLOBAL HandleOf(const Block& block)
{
    return block.Moveable() ? static_cast<HGLOBAL>(block.tag.get()) : static_cast<HGLOBAL>(block.memory.get());
}

HGLOBAL Resize(Heap& heap, HGLOBAL handle, Block& block, SIZE_T bytes, UINT flags)
{
    if (bytes <= block.capacity) {
        if ((flags & GMEM_ZEROINIT) && bytes > block.size)
            std::memset(block.memory.get() + block.size, 0, bytes - block.size);
        block.size = bytes;
        return handle;
    }
    bool mayMove = block.Moveable() ? block.lockCount == 0 : (flags & GMEM_MOVEABLE) != 0;
    if (!mayMove)
        return nullptr;
    char* moved = AllocateBytes(bytes, (flags & GMEM_ZEROINIT) != 0);
    if (moved == nullptr)
        return nullptr;
    std::memcpy(moved, block.memory.get(), block.size);
    block.memory.reset(moved);
    block.size = block.capacity = bytes;
    if (block.Moveable())
        return handle;
    Block rekeyed = std::move(block);
    heap.blocks.erase(handle);
    HGLOBAL fresh = HandleOf(rekeyed);
    heap.blocks.emplace(fresh, std::move(rekeyed));
    return fresh;
}

// Runs `action` on the live block of `handle` under the heap lock, or returns `fallback`.
template <typename Result, typename Action>
Result WithBlock(HGLOBAL handle, Result fallback, Action action)
{
    Heap& heap = GlobalHeap();
    std::lock_guard guard(heap.lock);
    Block* block = heap.Find(handle);
    return block ? action(*block) : fallback;
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes)
{
    if (bytes > kGlobalMaxBlock)
        return nullptr;
    Block block;
    block.memory.reset(AllocateBytes(bytes, (flags & GMEM_ZEROINIT) != 0));
    if (!block.memory)
        return nullptr;
    if (flags & GMEM_MOVEABLE)
        block.tag = std::make_unique<char>();
    block.size = block.capacity = bytes;
    block.flags = flags;
    HGLOBAL handle = HandleOf(block);
    Heap& heap = GlobalHeap();
    std::lock_guard guard(heap.lock);
    heap.blocks.emplace(handle, std::move(block));
    return handle;
}

HGLOBAL GlobalReAlloc(HGLOBAL handle, SIZE_T bytes, UINT flags)
{
    Heap& heap = GlobalHeap();
    std::lock_guard guard(heap.lock);
    Block* block = heap.Find(handle);
    if (block == nullptr)
        return nullptr;
    if (flags & GMEM_MODIFY)
        return handle;
    if (bytes > kGlobalMaxBlock)
        return nullptr;
    return Resize(heap, handle, *block, bytes, flags);
}

LPVOID GlobalLock(HGLOBAL handle)
{
    return WithBlock(handle, LPVOID(nullptr), [](Block& block) -> LPVOID {
        if (block.Moveable() && block.lockCount < GMEM_LOCKCOUNT)
            ++block.lockCount;
        return block.memory.get();
    });
}

BOOL GlobalUnlock(HGLOBAL handle)
{
    return WithBlock(handle, FALSE, [](Block& block) -> BOOL {
        if (block.lockCount == 0)
            return FALSE;
        return --block.lockCount > 0;
    });
}

SIZE_T GlobalSize(HGLOBAL handle)
{
    return WithBlock(handle, SIZE_T(0), [](Block& block) { return block.size; });
}

UINT GlobalFlags(HGLOBAL handle)
{
    return WithBlock(handle, GMEM_INVALID_HANDLE, [](Block& block) {
        return block.lockCount | (block.flags & (GMEM_DISCARDABLE | GMEM_DDESHARE));
    });
}

HGLOBAL GlobalHandle(LPCVOID memory)
{
    Heap& heap = GlobalHeap();
    std::lock_guard guard(heap.lock);
    for (const auto& [handle, block] : heap.blocks)
        if (memory != nullptr && block.memory.get() == memory)
            return handle;
    return nullptr;
}

HGLOBAL GlobalFree(HGLOBAL handle)
{
    Heap& heap = GlobalHeap();
    std::lock_guard guard(heap.lock);
    return heap.blocks.erase(handle) == 1 ? nullptr : handle;
}

HGLOBAL GlobalFromBytes(const std::vector<BYTE>& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes.size());
    if (!block)
        return nullptr;
    if (!bytes.empty())
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

bool BytesFromGlobal(HGLOBAL block, std::vector<BYTE>& bytes)
{
    auto* data = static_cast<const BYTE*>(GlobalLock(block));
    if (!data)
        return false;
    bytes.assign(data, data + GlobalSize(block));
    GlobalUnlock(block);
    return true;
}
