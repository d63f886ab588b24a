#include "framework/Window.h"

#include "base/BoundedText.h"
#include "base/ModuleState.h"
#include "base/NoThrow.h"
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

Window::HandlerScope::HandlerScope() { ++t_handlerDepth; }
Window::HandlerScope::~HandlerScope() { --t_handlerDepth; }
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
    if (::IsWindow(toolTips_)) ::DestroyWindow(toolTips_);
    toolTips_ = nullptr;
    toolTipsEnabled_ = false;
    if (toolTipsPending_) ::KillTimer(hwnd_, kToolTipsTimer);
    toolTipsPending_ = false;
    pendingTools_.clear();
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
    HandlerScope scope;
    return self->WindowProc(message, wParam, lParam);
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
    case WM_TIMER:
        if (wParam == kToolTipsTimer) {
            OnToolTipsTimer();
            return 0;
        }
        break;
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

bool Window::EnableToolTips() {
    if (!hwnd_) return false;
    if (toolTipsPending_) {
        KillTimer(kToolTipsTimer);
        toolTipsPending_ = false;
        pendingTools_.clear();
    }
    toolTipsEnabled_ = true;
    for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!AddToolTip(child)) return false;
    }
    return true;
}

bool Window::EnableToolTipsAfterShow() {
    if (!hwnd_ || toolTipsEnabled_ || toolTipsPending_) return false;
    std::vector<HWND> children;
    bool listed = TryAllocating([&] {
        for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            children.push_back(child);
        }
    });
    if (!listed || !SetTimerAfterShow(kToolTipsTimer)) return false;
    pendingTools_.swap(children);
    toolTipsPending_ = true;
    return true;
}

void Window::OnToolTipsTimer() {
    KillTimer(kToolTipsTimer);
    if (!toolTipsPending_) return;
    toolTipsPending_ = false;
    std::vector<HWND> children;
    children.swap(pendingTools_);
    toolTipsEnabled_ = true;
    // A child that went meanwhile gets no tool.
    for (HWND child : children) {
        if (::IsWindow(child) && ::GetParent(child) == hwnd_ && !AddToolTip(child)) return;
    }
}

bool Window::AddToolTip(HWND child) {
    if (!toolTipsEnabled_ || !child || ::GetParent(child) != hwnd_) return false;
    // Made with the first tool, so a window without children has none.
    if (!toolTips_) {
        toolTips_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, ClassInstance(),
                                      nullptr);
        if (!toolTips_) return false;
    }
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;  // TTN_NEEDTEXT goes here
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    return ::SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

bool IsToolTipTextRequest(const NMHDR& header) {
    return header.code == TTN_NEEDTEXTA || header.code == TTN_NEEDTEXTW;
}

bool ToolTipRequestByWindow(const NMHDR& header) {
    // The two forms differ in the size of their text buffer, so uFlags lies elsewhere.
    const UINT flags = header.code == TTN_NEEDTEXTW ? reinterpret_cast<const NMTTDISPINFOW&>(header).uFlags
                                                    : reinterpret_cast<const NMTTDISPINFOA&>(header).uFlags;
    return (flags & TTF_IDISHWND) != 0;
}

int ToolTipRequestControlId(const NMHDR& header) {
    if (ToolTipRequestByWindow(header)) return ::GetDlgCtrlID(reinterpret_cast<HWND>(header.idFrom));
    return static_cast<int>(header.idFrom);
}

void AnswerToolTipRequest(NMHDR& header, const char* text) {
    if (!text) text = "";
    if (header.code == TTN_NEEDTEXTW) {
        auto& request = reinterpret_cast<NMTTDISPINFOW&>(header);
        const int length = static_cast<int>(sizeof(request.szText) / sizeof(request.szText[0]));
        if (::MultiByteToWideChar(CP_ACP, 0, text, -1, request.szText, length) == 0) request.szText[length - 1] = L'\0';
        request.lpszText = request.szText;
        request.hinst = nullptr;
    } else {
        auto& request = reinterpret_cast<NMTTDISPINFOA&>(header);
        CopyText(request.szText, text);
        request.lpszText = request.szText;
        request.hinst = nullptr;
    }
}

}  // namespace ostrivan
