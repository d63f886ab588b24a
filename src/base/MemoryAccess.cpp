#include "base/MemoryAccess.h"

#include <windows.h>

#include <cstdint>

namespace ostrivan {

namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// Every page from address to address + size must be committed with one of
// the wanted protections and without a guard.
bool BlockHasAccess(const void* address, size_t size, DWORD wanted) {
    if (!address) return false;
    if (size == 0) return true;
    auto start = reinterpret_cast<uintptr_t>(address);
    if (start + size < start) return false;  // wraps around the address space
    uintptr_t end = start + size;
    uintptr_t cursor = start;
    while (cursor < end) {
        MEMORY_BASIC_INFORMATION info{};
        if (::VirtualQuery(reinterpret_cast<const void*>(cursor), &info, sizeof(info)) != sizeof(info)) return false;
        if (info.State != MEM_COMMIT) return false;
        if ((info.Protect & PAGE_GUARD) || (info.Protect & PAGE_NOACCESS)) return false;
        if ((info.Protect & wanted) == 0) return false;
        uintptr_t regionEnd = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
        if (regionEnd <= cursor) return false;
        cursor = regionEnd;
    }
    return true;
}

}  // namespace

bool IsReadableBlock(const void* address, size_t size) { return BlockHasAccess(address, size, kReadable); }

bool IsWritableBlock(void* address, size_t size) { return BlockHasAccess(address, size, kWritable); }

}  // namespace ostrivan
