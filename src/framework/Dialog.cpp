#include "framework/Dialog.h"

#include "base/NoThrow.h"
#include "base/ResourceSource.h"
#include "framework/MessageLoop.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

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
// The template with WS_VISIBLE taken out of its style.
bool CopyTemplateHidden(HMODULE source, UINT templateId, std::vector<BYTE>* copy) {
    HRSRC found = ::FindResourceA(source, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = found ? ::LoadResource(source, found) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = found ? ::SizeofResource(source, found) : 0;
    if (!bytes || size < sizeof(DLGTEMPLATE)) return false;
    if (!TryAllocating([&] { copy->assign(bytes, bytes + size); })) return false;
    // An extended template starts with version 1 and signature 0xFFFF; its style lies at byte 12.
    WORD signature = 0;
    std::memcpy(&signature, copy->data() + 2, sizeof(signature));
    size_t styleOffset = signature == 0xFFFF ? 12 : 0;
    if (size < styleOffset + sizeof(DWORD)) return false;
    DWORD style = 0;
    std::memcpy(&style, copy->data() + styleOffset, sizeof(style));
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(copy->data() + styleOffset, &style, sizeof(style));
    return true;
}

}  // namespace

bool Dialog::CreateFromTemplate(HWND parent, bool hidden) {
    HMODULE source = ResourceSource();
    if (!source || hwnd()) return false;
    RegisterCommonControls();
    ended_ = false;
    result_ = 0;
    HWND window = nullptr;
    if (!hidden) {
        window = ::CreateDialogParamA(source, MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                                      reinterpret_cast<LPARAM>(this));
    } else {
        // A copy without WS_VISIBLE: the run shows the dialog once it is set up,
        // and a dialog that ended while it was set up is never seen.
        std::vector<BYTE> copy;
        if (!CopyTemplateHidden(source, templateId_, &copy)) return false;
        window = ::CreateDialogIndirectParamA(source, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), parent,
                                              DialogProc, reinterpret_cast<LPARAM>(this));
    }
    // A dialog whose WM_INITDIALOG handler destroyed it is gone already.
    return window && hwnd() == window;
}

bool Dialog::Create(HWND parent) {
    if (!CreateFromTemplate(parent, false)) return false;
    MessageLoop::AddModeless(hwnd());
    return true;
}

INT_PTR Dialog::DoModal(HWND owner) {
    // Running from the start, so that an end asked for while the dialog sets
    // itself up is kept rather than destroying the window under its creation.
    modal_ = true;
    if (!CreateFromTemplate(owner, true)) {
        modal_ = false;
        return -1;
    }
    // Like the system's own modal dialogs: the owner's whole top-level window
    // takes no input meanwhile, also when the owner given is one of its children.
    HWND top = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    bool ownerDisabled = top && ::IsWindowEnabled(top) && !::EnableWindow(top, FALSE);
    if (!ended_) {
        ::ShowWindow(hwnd(), SW_SHOW);
        MessageLoop::Run([this] { return ended_ || !hwnd(); });
    }
    modal_ = false;
    if (!ended_) result_ = -1;  // destroyed without EndDialog, or WM_QUIT
    // Enable the owner before the dialog goes, so that activation returns to it.
    if (ownerDisabled) ::EnableWindow(top, TRUE);
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
    return self->Dispatch(WM_INITDIALOG, wParam, lParam);
}

}  // namespace ostrivan
