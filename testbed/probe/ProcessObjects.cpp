#include "probe/ProcessObjects.h"

#include <windows.h>

#include <cstdint>

namespace testbed {
namespace {

// Kernel handle values are multiples of 4 and the table hands out the lowest
// free slot, so the values in use lie packed at the bottom: every value up
// to kHandlesAlwaysRead is read, and further ones until a long run of free
// slots (a process holding tens of thousands of handles is counted whole).
constexpr uintptr_t kHandlesAlwaysRead = 0x10000;
constexpr int kFreeSlotsToStop = 4096;
constexpr uintptr_t kHandleLimit = 0x4000000;
// GDI handles carry their table index in the lower word.
constexpr uintptr_t kGdiEntries = 0x10000;
// USER handles: index i is the value 0x20 + 2 i in the lower word.
constexpr uintptr_t kFirstUserHandle = 0x20;
constexpr uintptr_t kUserEntries = 0x7fe8;

int CountHandles() {
    int count = 0;
    int freeRun = 0;
    for (uintptr_t value = 4; value < kHandleLimit; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            freeRun = 0;
        } else if (++freeRun >= kFreeSlotsToStop && value >= kHandlesAlwaysRead) {
            break;
        }
    }
    return count;
}

void CountGdi(ProcessObjects* counts) {
    for (uintptr_t index = 1; index < kGdiEntries; ++index) {
        DWORD type = ::GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        if (type == 0) continue;
        ++counts->gdi;
        if (type < ProcessObjects::kGdiTypes) ++counts->gdiOfType[type];
    }
}

bool IsIcon(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return false;
    // GetIconInfo hands out copies of the icon's bitmaps.
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return true;
}

int CountMenusAndIcons() {
    int count = 0;
    for (uintptr_t index = 0; index < kUserEntries; ++index) {
        uintptr_t value = kFirstUserHandle + 2 * index;
        if (::IsMenu(reinterpret_cast<HMENU>(value)) || IsIcon(reinterpret_cast<HICON>(value))) ++count;
    }
    return count;
}

struct WindowCount {
    DWORD process;
    int count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM parameter) {
    auto* windows = reinterpret_cast<WindowCount*>(parameter);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == windows->process) ++windows->count;
    return TRUE;
}

// A top-level window and all its descendants (EnumChildWindows goes down
// the whole tree).
BOOL CALLBACK CountTree(HWND window, LPARAM parameter) {
    CountChild(window, parameter);
    ::EnumChildWindows(window, CountChild, parameter);
    return TRUE;
}

int CountWindows() {
    WindowCount windows{::GetCurrentProcessId(), 0};
    ::EnumWindows(CountTree, reinterpret_cast<LPARAM>(&windows));
    for (HWND window = ::FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = ::FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountTree(window, reinterpret_cast<LPARAM>(&windows));
    }
    return windows.count;
}

size_t PrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (::VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

size_t HeapBytes() {
    HANDLE heaps[64];
    DWORD count = ::GetProcessHeaps(64, heaps);
    if (count > 64) count = 64;
    size_t total = 0;
    for (DWORD i = 0; i < count; ++i) {
        if (!::HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        }
        ::HeapUnlock(heaps[i]);
    }
    return total;
}

}  // namespace

ProcessObjects CountProcessObjects() {
    ProcessObjects counts;
    counts.handles = CountHandles();
    CountGdi(&counts);
    counts.user = CountWindows() + CountMenusAndIcons();
    counts.privateBytes = PrivateBytes();
    counts.heapBytes = HeapBytes();
    return counts;
}

}  // namespace testbed
