#include "console/IntegratedConsoleWnd.h"

#include "ResourceIds.h"
#include "skin/SkinImages.h"
#include "skin/SkinMessages.h"

#include <algorithm>

namespace ostrivan {

namespace {

bool IsToolTipRequest(const NMHDR* header) { return header && IsToolTipTextRequest(*header); }

}  // namespace

IntegratedConsoleWnd::IntegratedConsoleWnd(IntegratedConsole::Owner* owner)
    : Dialog(IDD_INTEGRATED_CONSOLE, EnterEscape::Swallow), panels_(*this), owner_(owner) {}

IntegratedConsoleWnd::~IntegratedConsoleWnd() {
    // The owner asked for this end itself.
    owner_ = nullptr;
    // The window goes first, while the whole object (and the panel inside it)
    // still takes its messages.
    DestroyWindow();
}

LRESULT IntegratedConsoleWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: if (OnCommand(CommandOf(wParam, lParam))) return 0; break;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), SizeOf(lParam)); break;
    case WM_PAINT: if (::IsIconic(hwnd())) return panels_.PaintMinimised(); break;
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(panels_.icon());
    case WM_CLOSE: return OnClose();
    case WM_NOTIFY: if (IsToolTipRequest(NotifyOf(lParam))) return OnToolTipText(*NotifyOf(lParam)); break;
    case WM_DESTROY: OnDestroy(); break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT IntegratedConsoleWnd::OnInitDialog() {
    (void)DefaultHandling();
    panels_.SetWindowIcons();
    (void)tips_.Enable(hwnd());
    panels_.Skin(WindowSkin(kIntegratedBackgroundImage,
                            {{IDC_TAB_VIEW, kTabButtonImage}, {IDC_TAB_HIDE, kTabButtonImage}}));
    if (HWND viewTab = ::GetDlgItem(hwnd(), IDC_TAB_VIEW)) SetButtonImage(viewTab, kViewTabImage);
    CreateInfoPanel();
    return TRUE;
}

void IntegratedConsoleWnd::CreateInfoPanel() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    RECT tab{};
    if (HWND viewTab = ::GetDlgItem(hwnd(), IDC_TAB_VIEW)) {
        ::GetWindowRect(viewTab, &tab);
        ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&tab), 2);
    }
    panelTop_ = tab.bottom;
    RECT panel{client.left, tab.bottom, client.right, std::max(client.bottom, tab.bottom)};
    if (!panels_.CreatePanel(panel, context_)) return;
    ShowPanel(true);
    if (HWND hideTab = ::GetDlgItem(hwnd(), IDC_TAB_HIDE)) ::ShowWindow(hideTab, SW_HIDE);
}

void IntegratedConsoleWnd::ShowPanel(bool show) {
    ::SendDlgItemMessageA(hwnd(), IDC_TAB_VIEW, BM_SETCHECK, show ? BST_CHECKED : BST_UNCHECKED, 0);
    panels_.ShowPanel(show);
}

bool IntegratedConsoleWnd::OnCommand(Command command) {
    switch (command.id) {
    case IDC_TAB_VIEW: ShowPanel(true); return true;
    case IDC_TAB_HIDE: ShowPanel(false); return true;
    // Only the host ends this window: neither an accelerator's nor a posted
    // OK or Cancel may.
    case IDOK:
    case IDCANCEL: return true;
    }
    return false;
}

void IntegratedConsoleWnd::OnSize(UINT, SIZE size) {
    InfoPanelWnd& panel = panels_.infoPanel();
    if (!panel.IsWindow()) return;
    // A window lower than the tab row leaves the panel empty, never negative.
    int height = std::max(0, static_cast<int>(size.cy) - panelTop_);
    ::SetWindowPos(panel.hwnd(), nullptr, 0, 0, size.cx, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT IntegratedConsoleWnd::OnClose() {
    panels_.CloseAdvanced();
    // The dialog manager's own close would go through Cancel, which this
    // window ignores.
    EndDialog(IDCANCEL);
    return 0;
}

void IntegratedConsoleWnd::OnDestroy() {
    if (owner_) owner_->ConsoleWindowGone();
}

LRESULT IntegratedConsoleWnd::OnToolTipText(NMHDR& request) {
    // The tabs have no tip texts of their own.
    if (!ToolTipRequestByWindow(request)) return FALSE;
    AnswerToolTipRequest(request, "");
    return TRUE;
}

void IntegratedConsoleWnd::CloseNested() {
    panels_.CloseAdvanced();
    panels_.EndSkinFailureMessage();
}

}  // namespace ostrivan
