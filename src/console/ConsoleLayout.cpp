// ConsoleWnd: title bar, placement, sizing and the rectangle in the registry.
#include "console/ConsoleWnd.h"

#include "ResourceIds.h"
#include "base/ResourceSource.h"
#include "settings/SettingsStore.h"
#include "skin/SkinImages.h"

namespace ostrivan {

namespace {

// The self-drawn title bar, in client pixels: the 16-pixel icon centred in
// the bar, then the title text, then minimise and close, each button 24
// pixels square, 3 pixels from the top; x values past the title are counted
// back from the client width.
constexpr int kTitleBarHeight = 30;
constexpr RECT kTitleIconRect{5, 7, 21, 23};
constexpr int kTitleTextLeft = 26;
constexpr int kTitleTextTop = 7;
constexpr int kTitleTextBottom = 23;
constexpr int kTitleTextRightFromEdge = 59;
constexpr int kTitleButtonTop = 3;
constexpr int kTitleButtonSize = 24;
constexpr int kCloseLeftFromEdge = 29;
constexpr int kMinimiseLeftFromEdge = 54;

constexpr int kGripSize = 20;
constexpr int kFooterHeight = 31;
constexpr int kOptionsAboveBottom = 28;
constexpr int kFooterAboveBottom = 22;
constexpr int kHighResolution = 120;

RECT ClientRectOf(HWND parent, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

DWORD AlwaysOnTopSetting() { return ReadSettingNumberOrZero(HKEY_CURRENT_USER, kAlwaysOnTopValue); }

// A stored rectangle nobody could reach counts as no rectangle.
bool Reachable(const RECT& r) { return Height(r) > 0 && ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr; }

}  // namespace

int ConsoleWnd::DisplayResolution() {
    UniqueDc display(::CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    if (!display) return 100;
    int x = ::GetDeviceCaps(display.get(), LOGPIXELSX);
    int y = ::GetDeviceCaps(display.get(), LOGPIXELSY);
    return ((x == 96 || x == 120) && x == y) ? x : 100;
}

void ConsoleWnd::RestoreWindowPosition() {
    RECT stored{};
    if (!settings_.LoadWindowPosition(kConsoleKey, &stored) || !Reachable(stored)) return;
    savedRect_ = stored;
    positionRestored_ = true;
    HWND order = AlwaysOnTopSetting() ? HWND_TOPMOST : HWND_TOP;
    ::SetWindowPos(hwnd(), order, savedRect_.left, savedRect_.top, 0, 0, SWP_NOSIZE | SWP_NOOWNERZORDER);
    RECT now{};
    ::GetWindowRect(hwnd(), &now);
    ::SetWindowPos(hwnd(), order, now.left, now.top, Width(now), Height(savedRect_), SWP_NOOWNERZORDER);
    PlaceFooterControls();
}

void ConsoleWnd::ShowOptions() {
    optionsDialog_.SetDeviceName(context_ ? context_->selectedDevice : nullptr);
    if (optionsDialog_.DoModal(hwnd()) != IDOK) return;
    HWND order = AlwaysOnTopSetting() ? HWND_TOPMOST : HWND_NOTOPMOST;
    ::SetWindowPos(hwnd(), order, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER);
}

void ConsoleWnd::PlaceFooterControls() {
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    POINT bottom{window.left, window.bottom};
    ::ScreenToClient(hwnd(), &bottom);
    const std::pair<int, int> placements[2] = {{IDC_OPTIONS, kOptionsAboveBottom},
                                               {IDC_CONSOLE_FOOTER, kFooterAboveBottom}};
    for (auto [id, above] : placements) {
        HWND control = ::GetDlgItem(hwnd(), id);
        if (!control) continue;
        RECT r = ClientRectOf(hwnd(), control);
        ::SetWindowPos(control, nullptr, r.left, bottom.y - above, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ConsoleWnd::LayOutTitleBar() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    int w = client.right;
    titleRect_ = {0, 0, w, kTitleBarHeight};
    gripRect_ = {w - kGripSize, client.bottom - kGripSize, w, client.bottom};
    iconRect_ = kTitleIconRect;

    if (!iconStatic_.IsWindow() &&
        iconStatic_.CreateEx(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, iconRect_, hwnd(),
                             IDC_TITLE_ICON)) {
        HMODULE source = ResourceSource();
        smallIcon_.reset(source ? static_cast<HICON>(::LoadImageA(source, MAKEINTRESOURCEA(IDI_CONSOLE), IMAGE_ICON,
                                                                  16, 16, 0))
                                : nullptr);
        ::SendMessageA(iconStatic_.hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(smallIcon_.get()), 0);
    }
    ::SetWindowPos(closeButton_.hwnd(), nullptr, w - kCloseLeftFromEdge, kTitleButtonTop, kTitleButtonSize,
                   kTitleButtonSize, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(minimiseButton_.hwnd(), nullptr, w - kMinimiseLeftFromEdge, kTitleButtonTop, kTitleButtonSize,
                   kTitleButtonSize, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!titleStatic_.IsWindow()) {
        RECT title{kTitleTextLeft, kTitleTextTop, w - kTitleTextRightFromEdge, kTitleTextBottom};
        (void)titleStatic_.CreateEx(0, "STATIC", LoadResourceString(IDS_CONSOLE_TITLE).c_str(), WS_CHILD | WS_VISIBLE,
                                    title, hwnd(), IDC_TITLE_TEXT);
    }
}

void ConsoleWnd::CreateTabStrip(int resolution) {
    HWND placeholder = ::GetDlgItem(hwnd(), IDC_TAB_PLACEHOLDER);
    RECT spot{};
    if (placeholder) {
        ::ShowWindow(placeholder, SW_HIDE);
        spot = ClientRectOf(hwnd(), placeholder);
    }
    if (!tabStrip_.Create(hwnd())) return;
    ::SetWindowPos(tabStrip_.hwnd(), nullptr, 1, spot.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(tabStrip_.hwnd(), SW_SHOW);
    if (resolution == kHighResolution) {
        HWND tab = ::GetDlgItem(tabStrip_.hwnd(), IDC_TAB_VIEW);
        RECT r = ClientRectOf(tabStrip_.hwnd(), tab);
        ::SetWindowPos(tab, nullptr, 0, 0, Width(r) - 1, Height(r), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ConsoleWnd::CreateInfoPanel(int resolution) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    RECT tabs = tabStrip_.IsWindow() ? ClientRectOf(hwnd(), tabStrip_.hwnd()) : RECT{0, 0, 0, kTitleBarHeight};
    int top = resolution == kHighResolution ? tabs.bottom - 2 : tabs.bottom - 1;
    RECT panel{client.left + 1, top, client.right - 1, client.bottom - kFooterHeight};
    panelTop_ = top;
    if (!infoPanel_.Create(hwnd(), panel, IDC_INFO_PANEL, 0, WS_VISIBLE, bundlePath_, kInfoPanelWindowSkin)) return;

    zestViewPanel_.Attach(context_);
    if (zestViewPanel_.Create(infoPanel_.hwnd())) {
        (void)infoPanel_.AddSection(zestViewPanel_.hwnd(), infoPanel_.GetSectionCount(), 1,
                                    LoadResourceString(IDS_VIEW_PANEL_TITLE).c_str(), -1);
    }
    int tabBottom = resolution == kHighResolution ? tabs.bottom - 1 : tabs.bottom;
    minHeight_ = tabBottom + infoPanel_.GetContentHeight() + kTitleBarHeight;
    ::ShowWindow(infoPanel_.hwnd(), SW_SHOWNORMAL);
}

void ConsoleWnd::SaveWindowPosition() {
    ::GetWindowRect(hwnd(), &savedRect_);
    settings_.SaveWindowPosition(savedRect_.left, savedRect_.top, savedRect_.right, savedRect_.bottom, kConsoleKey);
}

LRESULT ConsoleWnd::OnSizing(UINT edge, RECT* r) {
    if (r && r->bottom - r->top + 1 <= minHeight_) r->bottom = r->top + minHeight_;
    LRESULT result = Dialog::WindowProc(WM_SIZING, edge, reinterpret_cast<LPARAM>(r));
    if (r) {
        gripRect_ = {r->right - kGripSize, r->bottom - kGripSize, r->right, r->bottom};
        ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&gripRect_), 2);
    }
    return result;
}

void ConsoleWnd::OnSize(UINT, SIZE size) {
    if (infoPanel_.IsWindow()) {
        int cx = size.cx;
        int cy = size.cy;
        if (cx - 2 > 0) {
            ::SetWindowPos(infoPanel_.hwnd(), nullptr, 0, 0, cx - 2, cy - panelTop_ - kFooterHeight,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        PlaceFooterControls();
    }
}

LRESULT ConsoleWnd::OnFitToPanel() {
    if (positionRestored_) return 0;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    HWND section = infoPanel_.GetSectionClient(0, true);
    RECT sectionRect{};
    if (section) ::GetWindowRect(section, &sectionRect);
    int h = minHeight_ + Height(sectionRect);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, Width(client), h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    gripRect_.bottom = h;
    gripRect_.top = h - kGripSize;
    return 0;
}

LRESULT ConsoleWnd::OnShowInfoPanel(bool show) {
    if (infoPanel_.IsWindow()) ::ShowWindow(infoPanel_.hwnd(), show ? SW_SHOWNORMAL : SW_HIDE);
    return 0;
}

LRESULT ConsoleWnd::OnPaintMinimised() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(hwnd(), &paint);
    ::SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    int x = (Width(client) - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (Height(client) - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon_);
    ::EndPaint(hwnd(), &paint);
    return 0;
}

}  // namespace ostrivan
