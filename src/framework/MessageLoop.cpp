#include "framework/MessageLoop.h"

#include "framework/Dialog.h"

#include <algorithm>
#include <type_traits>
#include <utility>
#include <vector>

namespace ostrivan {

namespace {

// Kept trivially destructible: the static runtime frees a thread's
// thread_local storage before it runs their destructors, so a destructor at
// the thread's end would free memory already freed (a host's heap). What the
// state owns goes as soon as it is empty.
struct ThreadLoopState {
    int depth = 0;                          // framework loops running on this thread
    std::vector<HWND>* modeless = nullptr;  // while a modeless dialog is registered
    HHOOK hook = nullptr;
};
static_assert(std::is_trivially_destructible_v<ThreadLoopState>);
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

bool MessageLoop::FrameworkOnStack() { return t_loop.depth > 0 || Window::HandlerDepth() > 0; }

void MessageLoop::AddModeless(HWND window) {
    if (!window) return;
    if (!t_loop.modeless) t_loop.modeless = new std::vector<HWND>;
    std::vector<HWND>& modeless = *t_loop.modeless;
    if (std::find(modeless.begin(), modeless.end(), window) != modeless.end()) return;
    modeless.push_back(window);
    if (!t_loop.hook) t_loop.hook = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, ::GetCurrentThreadId());
}

void MessageLoop::RemoveModeless(HWND window) {
    if (!t_loop.modeless) return;
    std::vector<HWND>& modeless = *t_loop.modeless;
    auto found = std::find(modeless.begin(), modeless.end(), window);
    if (found == modeless.end()) return;
    modeless.erase(found);
    if (!modeless.empty()) return;
    delete std::exchange(t_loop.modeless, nullptr);
    if (t_loop.hook) ::UnhookWindowsHookEx(std::exchange(t_loop.hook, nullptr));
}

}  // namespace ostrivan
