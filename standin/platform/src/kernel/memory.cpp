// Global memory (fixed and moveable blocks with lock counts) and the process heap.
// Blocks are never freed behind the module's back: they survive ResetPlatform, and tests compare
// the live counts before and after.
#include "kernel_internal.h"

#include "standin/kernel_control.h"

#include <cstdlib>
#include <map>
#include <set>

namespace standin {
namespace kernel {
namespace {

struct GlobalBlock {
    void* data = nullptr;
    SIZE_T size = 0;
    bool moveable = false;
    int locks = 0;
};

// Keyed by handle: the data pointer for fixed blocks, a separate cell for moveable ones.
std::map<ULONG_PTR, GlobalBlock>& GlobalBlocks() {
    static std::map<ULONG_PTR, GlobalBlock> blocks;
    return blocks;
}

std::set<void*>& HeapBlocks() {
    static std::set<void*> blocks;
    return blocks;
}

GlobalBlock* FindBlock(HGLOBAL memory) {
    auto found = GlobalBlocks().find(reinterpret_cast<ULONG_PTR>(memory));
    return found == GlobalBlocks().end() ? nullptr : &found->second;
}

// Handle of a process heap: any stable non-null value.
HANDLE const kProcessHeap = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x00150000));

// Larger requests fail as they would in a 32-bit process's address space.
constexpr SIZE_T kLargestBlock = 0x7FFF0000;

} // namespace
} // namespace kernel

int LiveGlobalBlocks() {
    return static_cast<int>(kernel::GlobalBlocks().size());
}
int LiveHeapBlocks() {
    return static_cast<int>(kernel::HeapBlocks().size());
}

int GlobalLockCount(HGLOBAL memory) {
    kernel::GlobalBlock* block = kernel::FindBlock(memory);
    return block ? block->locks : -1;
}

} // namespace standin

using namespace standin::kernel;

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("GlobalAlloc", &code))
        return Fail(static_cast<DWORD>(code), HGLOBAL(nullptr));
    if (bytes > kLargestBlock)
        return Fail(ERROR_NOT_ENOUGH_MEMORY, HGLOBAL(nullptr));
    GlobalBlock block;
    block.size = bytes;
    block.moveable = (flags & GMEM_MOVEABLE) != 0;
    block.data = (flags & GMEM_ZEROINIT) ? std::calloc(bytes ? bytes : 1, 1)
                                         : std::malloc(bytes ? bytes : 1);
    if (!block.data)
        return Fail(ERROR_NOT_ENOUGH_MEMORY, HGLOBAL(nullptr));
    ULONG_PTR handle = reinterpret_cast<ULONG_PTR>(block.data);
    if (block.moveable) {
        void* cell = std::malloc(8); // a distinct address that never equals a data pointer
        handle = reinterpret_cast<ULONG_PTR>(cell) | 2;
    }
    GlobalBlocks()[handle] = block;
    return reinterpret_cast<HGLOBAL>(handle);
}

LPVOID WINAPI GlobalLock(HGLOBAL memory) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("GlobalLock", &code))
        return Fail(static_cast<DWORD>(code), LPVOID(nullptr));
    GlobalBlock* block = FindBlock(memory);
    if (!block)
        return Fail(ERROR_INVALID_HANDLE, LPVOID(nullptr));
    if (block->moveable)
        ++block->locks;
    return block->data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL memory) {
    EnsureRegistered();
    GlobalBlock* block = FindBlock(memory);
    if (!block)
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (!block->moveable)
        return TRUE;
    if (block->locks == 0)
        return Fail(ERROR_NOT_LOCKED, FALSE);
    --block->locks;
    if (block->locks == 0)
        return Fail(NO_ERROR, FALSE);
    return TRUE;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
    EnsureRegistered();
    auto found = GlobalBlocks().find(reinterpret_cast<ULONG_PTR>(memory));
    if (found == GlobalBlocks().end())
        return Fail(ERROR_INVALID_HANDLE, memory);
    std::free(found->second.data);
    if (found->second.moveable)
        std::free(reinterpret_cast<void*>(found->first & ~static_cast<ULONG_PTR>(2)));
    GlobalBlocks().erase(found);
    return nullptr;
}

SIZE_T WINAPI GlobalSize(HGLOBAL memory) {
    EnsureRegistered();
    GlobalBlock* block = FindBlock(memory);
    if (!block)
        return Fail(ERROR_INVALID_HANDLE, SIZE_T(0));
    return block->size;
}

HANDLE WINAPI GetProcessHeap() {
    return kProcessHeap;
}

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("HeapAlloc", &code))
        return Fail(static_cast<DWORD>(code), LPVOID(nullptr));
    if (heap != kProcessHeap || bytes > kLargestBlock)
        return Fail(ERROR_NOT_ENOUGH_MEMORY, LPVOID(nullptr));
    void* data = (flags & HEAP_ZERO_MEMORY) ? std::calloc(bytes ? bytes : 1, 1)
                                            : std::malloc(bytes ? bytes : 1);
    if (!data)
        return Fail(ERROR_NOT_ENOUGH_MEMORY, LPVOID(nullptr));
    HeapBlocks().insert(data);
    return data;
}

BOOL WINAPI HeapFree(HANDLE heap, DWORD, LPVOID memory) {
    EnsureRegistered();
    if (!memory)
        return TRUE;
    if (heap != kProcessHeap || !HeapBlocks().erase(memory))
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    std::free(memory);
    return TRUE;
}
