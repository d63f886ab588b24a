#include "framework/Dialog.h"

#include "base/ResourceSource.h"
#include "framework/MessageLoop.h"

#include <commctrl.h>

namespace ostrivan {

namespace {
// Templates may hold sliders and other common controls.
void RegisterCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return ::InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}
}  // namespace

bool Dialog::CreateFromTemplate(HWND parent) {
    HMODULE source = ResourceSource();
    if (!source || hwnd()) return false;
    RegisterCommonControls();
    ended_ = false;
    result_ = 0;
    HWND window = ::CreateDialogParamA(source, MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                                       reinterpret_cast<LPARAM>(this));
    // A dialog whose WM_INITDIALOG handler destroyed it is gone already.
    return window && hwnd() == window;
}

bool Dialog::Create(HWND parent) {
    if (!CreateFromTemplate(parent)) return false;
    MessageLoop::AddModeless(hwnd());
    return true;
}

INT_PTR Dialog::DoModal(HWND owner) {
    if (!CreateFromTemplate(owner)) return -1;
    // Like the system's own modal dialogs: the owner takes no input meanwhile.
    bool ownerDisabled = owner && ::IsWindowEnabled(owner) && !::EnableWindow(owner, FALSE);
    modal_ = true;
    if (!ended_) {
        ::ShowWindow(hwnd(), SW_SHOW);
        MessageLoop::Run([this] { return ended_ || !hwnd(); });
    }
    modal_ = false;
    if (!ended_) result_ = -1;  // destroyed without EndDialog, or WM_QUIT
    // Enable the owner before the dialog goes, so that activation returns to it.
    if (ownerDisabled) ::EnableWindow(owner, TRUE);
    DestroyWindow();
    return result_;
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (modal_) {
        // Wakes the loop when the request came in a message sent from another thread.
        if (hwnd()) ::PostMessageA(hwnd(), WM_NULL, 0, 0);
    } else {
        DestroyWindow();
    }
}

bool Dialog::PreTranslateMessage(MSG& message) {
    return keys_ == EnterEscape::Swallow && message.message == WM_KEYDOWN &&
           (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only the first WM_INITDIALOG is ours to take: it links the object, whose
    // window subclass receives every later message. Everything else is left to
    // the dialog manager's default processing.
    if (message != WM_INITDIALOG || Window::FromHandle(window)) return FALSE;
    auto* self = reinterpret_cast<Dialog*>(lParam);
    if (!self || !self->Link(window, true)) return FALSE;
    return self->WindowProc(WM_INITDIALOG, wParam, lParam);
}

}  // namespace ostrivan
