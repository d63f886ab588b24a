#include "launch/ConsoleWatcher.h"

#include "ResourceIds.h"
#include "base/ExclusiveLock.h"
#include "base/Threads.h"
#include "launch/LaunchContextOwner.h"

namespace ostrivan {

namespace {

// Guards the event fields of every context between a watcher and its entry point.
SRWLOCK g_handleLock = SRWLOCK_INIT;

// Posted: the window's thread may be busy or may already have stopped
// pumping, and the entry thread may be waiting for this one.
void BringToFront(HWND window) {
    if (::IsWindow(window)) ::PostMessageA(window, kMsgBringToFront, 0, 0);
}

// The events are closed here only, once: by the watcher when it ends, or by
// StopConsoleWatcher when no watcher ran.
void CloseWatchedEvents(LaunchContext* context) {
    ExclusiveLock lock(g_handleLock);
    CloseAndClear(&context->quitEvent);
    CloseAndClear(&context->restoreEvent);
    CloseAndClear(&context->closeEvent);
}

}  // namespace

unsigned __stdcall ConsoleWatcher(void* parameter) {
    auto* context = static_cast<LaunchContext*>(parameter);
    if (!context || !context->quitEvent) return 0;

    HANDLE events[3] = {context->quitEvent, context->restoreEvent, context->closeEvent};
    DWORD count = context->closeEvent ? 3 : 2;
    for (;;) {
        DWORD result = ::WaitForMultipleObjects(count, events, FALSE, INFINITE);
        if (result != WAIT_OBJECT_0 + 1) break;
        BringToFront(context->consoleWindow);
    }

    CloseWatchedEvents(context);
    // Posted: the entry thread waits for this thread without pumping messages.
    if (::IsWindow(context->consoleWindow)) ::PostMessageA(context->consoleWindow, WM_CLOSE, 0, 0);
    return 0;
}

bool StartConsoleWatcher(LaunchContext* context) {
    if (!context || context->watcherThread) return false;
    context->watcherThread = StartThread(ConsoleWatcher, context).release();
    return context->watcherThread != nullptr;
}

void StopConsoleWatcher(LaunchContext* context) {
    if (!context) return;
    {
        ExclusiveLock lock(g_handleLock);
        if (context->quitEvent) ::SetEvent(context->quitEvent);
    }
    if (context->watcherThread) {
        ::WaitForSingleObject(context->watcherThread, INFINITE);
        CloseAndClear(&context->watcherThread);
    }
    CloseWatchedEvents(context);
}

}  // namespace ostrivan

