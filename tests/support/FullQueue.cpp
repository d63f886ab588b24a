#include "support/FullQueue.h"

#include "base/UniqueHandle.h"
#include "driving/HangLimit.h"

#include <atomic>

namespace testsupport {

namespace {

using PostFn = BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
using ReleaseFn = BOOL(WINAPI*)(HANDLE);

// Plain functions stand in for the imports, so their state is the program's.
struct State {
    std::atomic<HWND> window{nullptr};
    std::atomic<UINT> watched{0};
    std::atomic<bool> refusing{false};
    std::atomic<DWORD> refusedThread{0};
    std::atomic<LPARAM> refusedParam{0};
    std::atomic<bool> stopAtRelease{false};
    ostrivan::UniqueHandle refused{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    ostrivan::UniqueHandle stopped{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    ostrivan::UniqueHandle resume{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    void* originalPost = nullptr;
    void* originalRelease = nullptr;
};

State& Shared() {
    static State state;
    return state;
}

BOOL WINAPI RefusingPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State& state = Shared();
    if (state.refusing && window == state.window) {
        DWORD none = 0;
        if (message == state.watched && state.refusedThread.compare_exchange_strong(none, ::GetCurrentThreadId())) {
            state.refusedParam = lParam;
            ::SetEvent(state.refused.get());
        }
        ::SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return FALSE;
    }
    return reinterpret_cast<PostFn>(state.originalPost)(window, message, wParam, lParam);
}

BOOL WINAPI StoppingRelease(HANDLE mutex) {
    State& state = Shared();
    if (state.refusedThread == ::GetCurrentThreadId() && state.stopAtRelease.exchange(false)) {
        ::SetEvent(state.stopped.get());
        // A thread left stopped goes on by itself.
        ::WaitForSingleObject(state.resume.get(), driving::kHangLimitMs);
    }
    return reinterpret_cast<ReleaseFn>(state.originalRelease)(mutex);
}

bool Arm(HWND window, UINT watched) {
    State& state = Shared();
    ::ResetEvent(state.refused.get());
    ::ResetEvent(state.stopped.get());
    ::ResetEvent(state.resume.get());
    state.window = window;
    state.watched = watched;
    state.refusedThread = 0;
    state.refusedParam = 0;
    state.stopAtRelease = true;
    state.refusing = true;
    return true;
}

}  // namespace

FullQueue::FullQueue(HWND window, UINT watched)
    : armed_(Arm(window, watched)),
      post_("user32.dll", "PostMessageA", reinterpret_cast<void*>(&RefusingPost), &Shared().originalPost),
      release_("kernel32.dll", "ReleaseMutex", reinterpret_cast<void*>(&StoppingRelease),
               &Shared().originalRelease) {}

FullQueue::~FullQueue() {
    State& state = Shared();
    state.refusing = false;
    state.stopAtRelease = false;
    Resume();
}

bool FullQueue::WaitForRefusal(DWORD ms, LPARAM* lParam) {
    if (::WaitForSingleObject(Shared().refused.get(), ms) != WAIT_OBJECT_0) return false;
    *lParam = Shared().refusedParam;
    return true;
}

bool FullQueue::WaitUntilStopped(DWORD ms) {
    return ::WaitForSingleObject(Shared().stopped.get(), ms) == WAIT_OBJECT_0;
}

void FullQueue::Resume() { ::SetEvent(Shared().resume.get()); }

}  // namespace testsupport
