// The end of a host's instance. A host may call DestroyInstance from inside
// a loop that the console runs on its thread (the advanced dialog, the skin
// failure message), or from another thread: the instance is dead at once,
// but its window, panel, resource library and record go only when nothing of
// them is on the stack any more, on the window's thread.
#include "entry/HostInstanceBlock.h"

#include "base/UniqueHandle.h"
#include "entry/WindowSeams.h"
#include "framework/MessageLoop.h"
#include "skin/ResourceLibrary.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace ostrivan {

namespace {

// How often a deferred end looks whether the loops have unwound.
constexpr UINT kFinishPollMs = 20;

// Deferred ends of this thread, by timer id; there only while one waits. A
// pointer, not the list itself: the static runtime frees a thread's
// thread_local storage before it runs their destructors.
using PendingEnds = std::vector<std::pair<UINT_PTR, HostInstanceBlock*>>;
thread_local PendingEnds* t_pending = nullptr;

void AddPending(UINT_PTR timer, HostInstanceBlock* block) {
    if (!t_pending) t_pending = new PendingEnds;
    t_pending->emplace_back(timer, block);
}

// The block waiting for this timer; null if none.
HostInstanceBlock* FindPending(UINT_PTR timer) {
    if (!t_pending) return nullptr;
    auto found = std::find_if(t_pending->begin(), t_pending->end(), [timer](const auto& p) { return p.first == timer; });
    return found == t_pending->end() ? nullptr : found->second;
}

void RemovePending(UINT_PTR timer) {
    if (!t_pending) return;
    t_pending->erase(std::remove_if(t_pending->begin(), t_pending->end(), [timer](const auto& p) { return p.first == timer; }),
                     t_pending->end());
    if (t_pending->empty()) delete std::exchange(t_pending, nullptr);
}

bool LoopsOnStack(const HostInstanceBlock* block) { return block->opening || MessageLoop::Depth() > 0; }

void Finish(HostInstanceBlock* block) {
    UniqueHostInstance owned(block);
    LaunchContext& context = block->instance.context;
    if (context.consoleWindowObject) {
        if (ConsoleWindows().destroyIntegratedConsole) ConsoleWindows().destroyIntegratedConsole(context.consoleWindowObject);
        context.consoleWindowObject = nullptr;
        context.consoleWindow = nullptr;
    }
    if (context.resourceLibrary) {
        FreeHeldResourceLibrary(UniqueModule(std::exchange(context.resourceLibrary, nullptr)));
    }
    if (context.integratedMutex) {
        UniqueHandle mutex(std::exchange(context.integratedMutex, nullptr));
        HeldMutex held(mutex.get());  // released before the handle is closed
    }
}

void CALLBACK FinishWhenUnwound(HWND, UINT, UINT_PTR timer, DWORD) {
    HostInstanceBlock* block = FindPending(timer);
    if (!block) {
        ::KillTimer(nullptr, timer);
        return;
    }
    if (LoopsOnStack(block)) return;
    RemovePending(timer);
    ::KillTimer(nullptr, timer);
    Finish(block);
}

void Defer(HostInstanceBlock* block) {
    LaunchContext& context = block->instance.context;
    if (context.consoleWindowObject && ConsoleWindows().closeIntegratedConsoleNested) {
        ConsoleWindows().closeIntegratedConsoleNested(context.consoleWindowObject);
    }
    // The host sees the console go now.
    if (context.consoleWindow) ::ShowWindow(context.consoleWindow, SW_HIDE);
    if (block->finishTimer) return;
    block->finishTimer = ::SetTimer(nullptr, 0, kFinishPollMs, FinishWhenUnwound);
    if (block->finishTimer) AddPending(block->finishTimer, block);
}

}  // namespace

void EndInstance(HostInstanceBlock* block) {
    block->instance.magic = 0;  // dead at once: a second call or a stale record is refused
    if (LoopsOnStack(block) || block->finishTimer) {
        Defer(block);
        return;
    }
    Finish(block);
}

void CarryOutHostRequest(LaunchContext* context) {
    if (!context) return;
    HostInstanceBlock* block = BlockOf(context);
    if (::InterlockedExchange(&block->destroyRequested, 0) == 0) return;
    // Called from the console's own window procedure, which is on the stack.
    Defer(block);
}

}  // namespace ostrivan
