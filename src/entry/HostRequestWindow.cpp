#include "entry/HostRequestWindow.h"

#include "base/ModuleHold.h"

namespace ostrivan {

namespace {

constexpr UINT kMsgRequest = WM_APP + 1;
constexpr UINT_PTR kLookTimer = 1;

}  // namespace

HostRequestWindow::~HostRequestWindow() {
    if (window_) ::DestroyWindow(window_);
}

bool HostRequestWindow::Create(Delegate* delegate, UINT periodMs) {
    if (window_ || !delegate) return false;
    HWND window = ::CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!window) return false;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    systemProcedure_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostRequestWindow::Procedure)));
    if (!systemProcedure_ || !::SetTimer(window, kLookTimer, periodMs, nullptr)) {
        ::DestroyWindow(window);
        return false;
    }
    window_ = window;
    delegate_ = delegate;
    return true;
}

bool HostRequestWindow::Post(HWND window) { return window && ::PostMessageA(window, kMsgRequest, 0, 0); }

void HostRequestWindow::SetPeriod(UINT periodMs) {
    if (window_) ::SetTimer(window_, kLookTimer, periodMs, nullptr);
}

bool HostRequestWindow::HandOver() {
    HWND window = window_;
    if (!window) return true;
    ::KillTimer(window, kLookTimer);
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProcedure_));
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    window_ = nullptr;
    delegate_ = nullptr;
    if (StartModuleThread(CloseWhenTaken, window)) return true;
    ::DestroyWindow(window);
    return false;
}

unsigned __stdcall HostRequestWindow::CloseWhenTaken(void* window) {
    // Answered only once the window's thread takes messages again; fails at
    // once when that thread has ended (its windows went with it).
    ::SendMessageA(static_cast<HWND>(window), WM_CLOSE, 0, 0);
    return 0;
}

LRESULT CALLBACK HostRequestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostRequestWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && ((message == WM_TIMER && wParam == kLookTimer) || message == kMsgRequest)) {
        // Nothing of this object is touched after the call: it may be gone.
        self->delegate_->OnRequest();
        return 0;
    }
    if (message == WM_NCDESTROY && self) {
        // Destroyed by somebody else (the thread ending): nothing to hand over.
        self->window_ = nullptr;
        self->delegate_ = nullptr;
    }
    WNDPROC system = self ? self->systemProcedure_ : nullptr;
    return system ? ::CallWindowProcA(system, window, message, wParam, lParam)
                  : ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace ostrivan
