#include "console/IntegratedConsoleWnd.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ResourceSource.h"
#include "skin/SkinImages.h"
#include "skin/SkinMessages.h"
#include "skin/SkinPaths.h"
#include "skin/WindowSkin.h"

#include <algorithm>

namespace ostrivan {

namespace {

constexpr const char* kIntegratedBackgroundImage = "InfoPanelWnd.png";

// Ends the message boxes that a window owns on this thread.
BOOL CALLBACK EndOwnedMessageBox(HWND window, LPARAM owner) {
    char className[16] = {};
    if (::GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner) &&
        ::GetClassNameA(window, className, sizeof(className)) && lstrcmpA(className, "#32770") == 0) {
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

}  // namespace

IntegratedConsoleWnd::IntegratedConsoleWnd(IntegratedConsole::Owner* owner)
    : Dialog(IDD_INTEGRATED_CONSOLE, EnterEscape::Swallow), owner_(owner) {
    HMODULE source = ResourceSource();
    icon_ = source ? ::LoadIconA(source, MAKEINTRESOURCEA(IDI_CONSOLE)) : nullptr;
}

IntegratedConsoleWnd::~IntegratedConsoleWnd() {
    // The owner asked for this end itself.
    owner_ = nullptr;
    // The window goes first, while the whole object (and the panel inside it)
    // still takes its messages.
    DestroyWindow();
}

void IntegratedConsoleWnd::Attach(const std::vector<std::string>& /*deviceList*/, LaunchContext* context) {
    context_ = context;
    CopyText(currentDevice_, context && context->selectedDevice ? context->selectedDevice : "");
}

LRESULT IntegratedConsoleWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_PAINT: return OnPaint(wParam, lParam);
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(icon_);
    case WM_CLOSE: return OnClose();
    case WM_NOTIFY: return OnNotify(wParam, lParam);
    case WM_DESTROY: OnDestroy(); break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT IntegratedConsoleWnd::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    Dialog::WindowProc(WM_INITDIALOG, wParam, lParam);
    ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    (void)tips_.Enable(hwnd());
    SkinWindow();
    if (HWND viewTab = ::GetDlgItem(hwnd(), IDC_TAB_VIEW)) SetButtonImage(viewTab, kViewTabImage);
    CreateInfoPanel();
    infoPanel_.SetStatePersistence(&settings_, true, infoPanel_.GetSectionCount());
    return TRUE;
}

void IntegratedConsoleWnd::SkinWindow() {
    char folder[MAX_PATH] = {};
    (void)BuildSkinLibraryFolder(folder);
    const WindowSkin look(kIntegratedBackgroundImage,
                          {{IDC_TAB_VIEW, kTabButtonImage}, {IDC_TAB_HIDE, kTabButtonImage}});
    CopyText(bundlePath_, look.bundlePath());  // the info panel is skinned from the same bundle
    if (!skin_.Open(hwnd(), look.descriptor(), folder)) {
        messageBoxShown_ = true;
        ::MessageBoxA(hwnd(), LoadResourceString(IDS_SKIN_FAILED).c_str(),
                      LoadResourceString(IDS_CONSOLE_TITLE).c_str(), MB_OK);
        messageBoxShown_ = false;
    }
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
    if (!infoPanel_.Create(hwnd(), panel, IDC_INFO_PANEL, 0, WS_VISIBLE, bundlePath_, kInfoPanelWindowSkin)) return;
    zestViewPanel_.Attach(context_);
    if (zestViewPanel_.Create(infoPanel_.hwnd())) {
        (void)infoPanel_.AddSection(zestViewPanel_.hwnd(), infoPanel_.GetSectionCount(), 1,
                                    LoadResourceString(IDS_VIEW_PANEL_TITLE).c_str(), -1);
    }
    ShowPanel(true);
    if (HWND hideTab = ::GetDlgItem(hwnd(), IDC_TAB_HIDE)) ::ShowWindow(hideTab, SW_HIDE);
}

void IntegratedConsoleWnd::ShowPanel(bool show) {
    ::SendDlgItemMessageA(hwnd(), IDC_TAB_VIEW, BM_SETCHECK, show ? BST_CHECKED : BST_UNCHECKED, 0);
    if (infoPanel_.IsWindow()) ::ShowWindow(infoPanel_.hwnd(), show ? SW_SHOWNORMAL : SW_HIDE);
}

LRESULT IntegratedConsoleWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_TAB_VIEW: ShowPanel(true); return 0;
    case IDC_TAB_HIDE: ShowPanel(false); return 0;
    // Only the host ends this window: neither an accelerator's nor a posted
    // OK or Cancel may.
    case IDOK:
    case IDCANCEL: return 0;
    }
    return Dialog::WindowProc(WM_COMMAND, wParam, lParam);
}

LRESULT IntegratedConsoleWnd::OnSize(WPARAM type, LPARAM size) {
    if (infoPanel_.IsWindow()) {
        // A window lower than the tab row leaves the panel empty, never negative.
        int height = std::max(0, static_cast<int>(HIWORD(size)) - panelTop_);
        ::SetWindowPos(infoPanel_.hwnd(), nullptr, 0, 0, LOWORD(size), height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return Dialog::WindowProc(WM_SIZE, type, size);
}

LRESULT IntegratedConsoleWnd::OnPaint(WPARAM wParam, LPARAM lParam) {
    if (!::IsIconic(hwnd())) return Dialog::WindowProc(WM_PAINT, wParam, lParam);
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(hwnd(), &paint);
    ::SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    if (icon_) ::DrawIcon(dc, x, y, icon_);
    ::EndPaint(hwnd(), &paint);
    return 0;
}

LRESULT IntegratedConsoleWnd::OnClose() {
    if (zestViewPanel_.IsWindow()) zestViewPanel_.CloseAdvanced();
    // The dialog manager's own close would go through Cancel, which this
    // window ignores.
    EndDialog(IDCANCEL);
    return 0;
}

void IntegratedConsoleWnd::OnDestroy() {
    if (owner_) owner_->ConsoleWindowGone();
}

LRESULT IntegratedConsoleWnd::OnNotify(WPARAM wParam, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || !IsToolTipTextRequest(*header)) return Dialog::WindowProc(WM_NOTIFY, wParam, lParam);
    // The tabs have no tip texts of their own.
    if (!ToolTipRequestByWindow(*header)) return FALSE;
    AnswerToolTipRequest(*header, "");
    return TRUE;
}

void IntegratedConsoleWnd::CloseNested() {
    if (zestViewPanel_.IsWindow()) zestViewPanel_.CloseAdvanced();
    if (messageBoxShown_ && hwnd()) {
        ::EnumThreadWindows(::GetCurrentThreadId(), EndOwnedMessageBox, reinterpret_cast<LPARAM>(hwnd()));
    }
}

}  // namespace ostrivan
