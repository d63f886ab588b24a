#include "framework/MessageLoop.h"

#include "framework/Dialog.h"

#include <algorithm>
#include <vector>

namespace ostrivan {

namespace {

struct ThreadLoopState {
    int depth = 0;  // framework loops running on this thread
    std::vector<HWND> modeless;
    HHOOK hook = nullptr;
};
thread_local ThreadLoopState t_loop;

struct DepthScope {
    DepthScope() { ++t_loop.depth; }
    ~DepthScope() { --t_loop.depth; }
};

// Pre-translates for a loop that is not the framework's (a host's).
LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION && removal == PM_REMOVE && t_loop.depth == 0) {
        MSG* message = reinterpret_cast<MSG*>(lParam);
        if (MessageLoop::PreTranslate(*message)) {
            message->message = WM_NULL;
            message->wParam = 0;
            message->lParam = 0;
        }
    }
    return ::CallNextHookEx(nullptr, code, removal, lParam);
}

bool HandleOne(MSG& message) {
    if (!MessageLoop::PreTranslate(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return true;
}

}  // namespace

bool MessageLoop::PreTranslate(MSG& message) {
    if (!message.hwnd) return false;
    HWND window = message.hwnd;
    HWND topLevel = nullptr;
    while (window) {
        if (Window* object = Window::FromHandle(window)) {
            if (object->PreTranslateMessage(message)) return true;
        }
        topLevel = window;
        window = (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? ::GetParent(window) : nullptr;
    }
    Window* top = Window::FromHandle(topLevel);
    return top && top->AsDialog() && ::IsDialogMessageA(topLevel, &message);
}

bool MessageLoop::Run(const std::function<bool()>& done) {
    DepthScope scope;
    MSG message{};
    while (!done()) {
        BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) return false;
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        HandleOne(message);
    }
    return true;
}

bool MessageLoop::PumpPending() {
    DepthScope scope;
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        HandleOne(message);
    }
    return true;
}

int MessageLoop::Depth() { return t_loop.depth; }

void MessageLoop::AddModeless(HWND window) {
    if (!window || std::find(t_loop.modeless.begin(), t_loop.modeless.end(), window) != t_loop.modeless.end()) return;
    t_loop.modeless.push_back(window);
    if (!t_loop.hook) t_loop.hook = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, ::GetCurrentThreadId());
}

void MessageLoop::RemoveModeless(HWND window) {
    auto found = std::find(t_loop.modeless.begin(), t_loop.modeless.end(), window);
    if (found == t_loop.modeless.end()) return;
    t_loop.modeless.erase(found);
    if (t_loop.modeless.empty() && t_loop.hook) {
        ::UnhookWindowsHookEx(t_loop.hook);
        t_loop.hook = nullptr;
    }
}

}  // namespace ostrivan
