// The counts the memory benchmark trusts: each kind finds a deliberate leak
// of exactly the objects leaked, and the count goes back when they go.
#include "probe/ProcessObjects.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

namespace {

using testbed::CountProcessObjects;
using testbed::ProcessObjects;

constexpr int kLeaked = 25;

struct Kind {
    const char* what;
    std::function<void*()> make;
    std::function<void(void*)> free;
    int ProcessObjects::*count;
};

LRESULT CALLBACK PlainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

const char* PlainClass() {
    static const char* name = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = PlainWindow;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ProcessObjectsTestWindow";
        ::RegisterClassA(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

HICON MakeIcon() {
    BYTE andMask[32 * 4] = {}, xorMask[32 * 4] = {};
    return ::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
}

std::vector<Kind> Kinds() {
    return {
        {"event", [] { return static_cast<void*>(::CreateEventA(nullptr, FALSE, FALSE, nullptr)); },
         [](void* h) { ::CloseHandle(h); }, &ProcessObjects::handles},
        {"brush", [] { return static_cast<void*>(::CreateSolidBrush(RGB(1, 2, 3))); },
         [](void* h) { ::DeleteObject(h); }, &ProcessObjects::gdi},
        {"memory DC", [] { return static_cast<void*>(::CreateCompatibleDC(nullptr)); },
         [](void* h) { ::DeleteDC(static_cast<HDC>(h)); }, &ProcessObjects::gdi},
        {"menu", [] { return static_cast<void*>(::CreatePopupMenu()); },
         [](void* h) { ::DestroyMenu(static_cast<HMENU>(h)); }, &ProcessObjects::user},
        {"icon", [] { return static_cast<void*>(MakeIcon()); },
         [](void* h) { ::DestroyIcon(static_cast<HICON>(h)); }, &ProcessObjects::user},
        {"hidden window",
         [] {
             return static_cast<void*>(::CreateWindowExA(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                                         nullptr, ::GetModuleHandleA(nullptr), nullptr));
         },
         [](void* h) { ::DestroyWindow(static_cast<HWND>(h)); }, &ProcessObjects::user},
        {"message-only window",
         [] {
             return static_cast<void*>(::CreateWindowExA(0, PlainClass(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                         ::GetModuleHandleA(nullptr), nullptr));
         },
         [](void* h) { ::DestroyWindow(static_cast<HWND>(h)); }, &ProcessObjects::user},
    };
}

TEST(ProcessObjectCounts, FindADeliberateLeakOfEachKindExactly) {
    // The first count starts what the window and graphics functions need.
    (void)CountProcessObjects();
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.what);
        // One made first and kept: what the platform sets up for the first
        // of a kind (a thread's input window beside its first top-level
        // window) stays while it lives.
        void* first = kind.make();
        ProcessObjects before = CountProcessObjects();
        std::vector<void*> leaked;
        for (int i = 0; i < kLeaked; ++i) {
            leaked.push_back(kind.make());
            ASSERT_NE(nullptr, leaked.back());
        }
        ProcessObjects during = CountProcessObjects();
        EXPECT_EQ(before.*kind.count + kLeaked, during.*kind.count);
        for (void* object : leaked) kind.free(object);
        EXPECT_EQ(before.*kind.count, CountProcessObjects().*kind.count);
        kind.free(first);
    }
}

TEST(ProcessObjectCounts, StayTheSameWhenNothingChanges) {
    ProcessObjects first = CountProcessObjects();
    ProcessObjects second = CountProcessObjects();
    EXPECT_GT(first.handles, 0);
    EXPECT_GT(first.gdi, 0);  // the stock objects
    EXPECT_EQ(first.handles, second.handles);
    EXPECT_EQ(first.gdi, second.gdi);
    EXPECT_EQ(first.user, second.user);
    EXPECT_EQ(first.privateBytes, second.privateBytes);
    EXPECT_EQ(first.heapBytes, second.heapBytes);
}

TEST(ProcessObjectCounts, FindLeakedMemory) {
    constexpr size_t kBlock = 64 * 1024;  // the allocation granularity
    ProcessObjects before = CountProcessObjects();
    std::vector<void*> regions, blocks;
    for (int i = 0; i < kLeaked; ++i) {
        regions.push_back(::VirtualAlloc(nullptr, kBlock, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        blocks.push_back(::HeapAlloc(::GetProcessHeap(), 0, 1000));
    }
    ProcessObjects during = CountProcessObjects();
    // The heap's blocks may commit a page or two more.
    EXPECT_GE(during.privateBytes - before.privateBytes, kLeaked * kBlock);
    EXPECT_LT(during.privateBytes - before.privateBytes, kLeaked * kBlock + 4 * kBlock);
    EXPECT_GE(during.heapBytes - before.heapBytes, kLeaked * 1000u);
    EXPECT_LT(during.heapBytes - before.heapBytes, kLeaked * 1100u);
    for (void* region : regions) ::VirtualFree(region, 0, MEM_RELEASE);
    for (void* block : blocks) ::HeapFree(::GetProcessHeap(), 0, block);
    // Freed blocks no longer count (the heap keeps the pages it committed).
    EXPECT_LE(CountProcessObjects().heapBytes + kLeaked * 1000u, during.heapBytes);
}

}  // namespace
