#include "framework/Window.h"

#include "base/ModuleState.h"
#include "framework/Dialog.h"
#include "framework/Menu.h"
#include "framework/MessageLoop.h"

#include <commctrl.h>

namespace ostrivan {

namespace {
// One framework subclass per window; its reference data is the object.
constexpr UINT_PTR kSubclassId = 0x4F53;

// Handlers of the framework's windows running on this thread now.
thread_local int t_handlerDepth = 0;

HINSTANCE ClassInstance() {
    HINSTANCE module = ModuleInstance();
    return module ? module : ::GetModuleHandleA(nullptr);
}
}  // namespace

Window::~Window() {
    HWND window = hwnd_;
    bool owned = owned_;
    Unlink();
    if (owned && ::IsWindow(window)) ::DestroyWindow(window);
}

Window* Window::FromHandle(HWND window) {
    DWORD_PTR object = 0;
    if (!window || !::GetWindowSubclass(window, SubclassProc, kSubclassId, &object)) return nullptr;
    return reinterpret_cast<Window*>(object);
}

int Window::HandlerDepth() { return t_handlerDepth; }

bool Window::RegisterWindowClass(const char* className, UINT classStyle, HCURSOR cursor, HBRUSH background) {
    WNDCLASSA existing{};
    if (::GetClassInfoA(ClassInstance(), className, &existing)) return true;
    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = CreationProc;
    wc.hInstance = ClassInstance();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    // Another thread may have registered it since the look above.
    return ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                      HWND parent, UINT id) {
    if (hwnd_) return false;
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND window = ::CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                                    rect.bottom - rect.top, parent, menuOrId, ClassInstance(), this);
    if (!window) return false;
    // Windows of system classes never saw CreationProc: link them now.
    if (hwnd_ != window && !Link(window, true)) {
        ::DestroyWindow(window);
        return false;
    }
    return true;
}

bool Window::Subclass(HWND window) { return window && ::IsWindow(window) && !hwnd_ && Link(window, false); }

void Window::DestroyWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool Window::PreTranslateMessage(MSG&) { return false; }

bool Window::Link(HWND window, bool owned) {
    if (hwnd_ || FromHandle(window)) return false;
    if (!::SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
    hwnd_ = window;
    owned_ = owned;
    return true;
}

void Window::Unlink() {
    if (!hwnd_) return;
    MessageLoop::RemoveModeless(hwnd_);
    ::RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
    hwnd_ = nullptr;
    owned_ = false;
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR object) {
    Window* self = reinterpret_cast<Window*>(object);
    if (message == WM_NCDESTROY) {
        self->Unlink();
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    ++t_handlerDepth;
    const Message current{message, wParam, lParam};
    const Message* outer = current_;
    current_ = &current;
    LRESULT result = WindowProc(message, wParam, lParam);
    // The object outlives its link, so it is still here (see the header).
    current_ = outer;
    --t_handlerDepth;
    return result;
}

LRESULT CALLBACK Window::CreationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        if (self && !self->Link(window, true)) return FALSE;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item && item->CtlType == ODT_MENU) {
            if (Menu* menu = Menu::FindByCommand(item->itemID)) {
                menu->MeasureItem(*item);
                return TRUE;
            }
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType == ODT_MENU) {
            if (Menu* menu = Menu::FromHandle(reinterpret_cast<HMENU>(item->hwndItem))) {
                menu->DrawItem(*item);
                return TRUE;
            }
        }
        break;
    }
    case WM_INITDIALOG:
        // The system sets the focus to the first control.
        if (AsDialog()) return TRUE;
        break;
    case WM_COMMAND:
        if (Dialog* dialog = AsDialog()) {
            WORD id = LOWORD(wParam);
            if (HIWORD(wParam) == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
                dialog->EndDialog(id);
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return ::DefSubclassProc(hwnd_, message, wParam, lParam);
}

}  // namespace ostrivan
