#include "console/ConsoleLayout.h"

#include "ResourceIds.h"
#include "base/UniqueHandle.h"
#include "console/TitleBar.h"

#include <utility>

namespace ostrivan {

namespace {

constexpr int kFooterHeight = 31;
constexpr int kOptionsAboveBottom = 28;
constexpr int kFooterAboveBottom = 22;
constexpr int kOptionsButtonWidth = 28;
constexpr int kOptionsButtonHeight = 24;
constexpr int kHighResolution = 120;

constexpr UINT kResizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

RECT ClientRectOf(HWND parent, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

int ConsoleLayout::DisplayResolution() {
    UniqueDc display(::CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    if (!display) return 100;
    int x = ::GetDeviceCaps(display.get(), LOGPIXELSX);
    int y = ::GetDeviceCaps(display.get(), LOGPIXELSY);
    return ((x == 96 || x == 120) && x == y) ? x : 100;
}

void ConsoleLayout::CreateTabStrip(int resolution) {
    HWND window = window_.hwnd();
    HWND placeholder = ::GetDlgItem(window, IDC_TAB_PLACEHOLDER);
    RECT spot{};
    if (placeholder) {
        ::ShowWindow(placeholder, SW_HIDE);
        spot = ClientRectOf(window, placeholder);
    }
    if (!tabStrip_.Create(window)) return;
    ::SetWindowPos(tabStrip_.hwnd(), nullptr, 1, spot.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(tabStrip_.hwnd(), SW_SHOW);
    if (resolution == kHighResolution) {
        HWND tab = ::GetDlgItem(tabStrip_.hwnd(), IDC_TAB_VIEW);
        RECT r = ClientRectOf(tabStrip_.hwnd(), tab);
        ::SetWindowPos(tab, nullptr, 0, 0, Width(r) - 1, Height(r), kResizeOnly);
    }
}

void ConsoleLayout::CreateInfoPanel(int resolution, LaunchContext* context) {
    HWND window = window_.hwnd();
    RECT client{};
    ::GetClientRect(window, &client);
    RECT tabs = tabStrip_.IsWindow() ? ClientRectOf(window, tabStrip_.hwnd()) : RECT{0, 0, 0, TitleBar::kHeight};
    int top = resolution == kHighResolution ? tabs.bottom - 2 : tabs.bottom - 1;
    RECT panel{client.left + 1, top, client.right - 1, client.bottom - kFooterHeight};
    panelTop_ = top;
    if (!panels_.CreatePanel(panel, context)) return;
    int tabBottom = resolution == kHighResolution ? tabs.bottom - 1 : tabs.bottom;
    minHeight_ = tabBottom + panels_.infoPanel().GetContentHeight() + TitleBar::kHeight;
    panels_.ShowPanel(true);
}

void ConsoleLayout::SizeOptionsButton() {
    ::SetWindowPos(::GetDlgItem(window_.hwnd(), IDC_OPTIONS), nullptr, 0, 0, kOptionsButtonWidth,
                   kOptionsButtonHeight, kResizeOnly);
}

void ConsoleLayout::PlaceFooterControls() {
    HWND window = window_.hwnd();
    RECT frame{};
    ::GetWindowRect(window, &frame);
    POINT bottom{frame.left, frame.bottom};
    ::ScreenToClient(window, &bottom);
    const std::pair<int, int> placements[2] = {{IDC_OPTIONS, kOptionsAboveBottom},
                                               {IDC_CONSOLE_FOOTER, kFooterAboveBottom}};
    for (auto [id, above] : placements) {
        HWND control = ::GetDlgItem(window, id);
        if (!control) continue;
        RECT r = ClientRectOf(window, control);
        ::SetWindowPos(control, nullptr, r.left, bottom.y - above, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ConsoleLayout::OnSize(UINT, SIZE size) {
    InfoPanelWnd& panel = panels_.infoPanel();
    if (!panel.IsWindow()) return;
    if (size.cx - 2 > 0) {
        ::SetWindowPos(panel.hwnd(), nullptr, 0, 0, size.cx - 2, size.cy - panelTop_ - kFooterHeight, kResizeOnly);
    }
    PlaceFooterControls();
}

int ConsoleLayout::FitToPanel() {
    HWND window = window_.hwnd();
    RECT client{};
    ::GetClientRect(window, &client);
    HWND section = panels_.infoPanel().GetSectionClient(0, true);
    RECT sectionRect{};
    if (section) ::GetWindowRect(section, &sectionRect);
    int h = minHeight_ + Height(sectionRect);
    ::SetWindowPos(window, nullptr, 0, 0, Width(client), h, kResizeOnly);
    return h;
}

void ConsoleLayout::RelayOutPanel() {
    InfoPanelWnd& panel = panels_.infoPanel();
    if (!panel.IsWindow()) return;
    RECT r{};
    ::GetWindowRect(panel.hwnd(), &r);
    ::SetWindowPos(panel.hwnd(), nullptr, 0, 0, Width(r) - 1, Height(r), kResizeOnly);
    ::SetWindowPos(panel.hwnd(), nullptr, 0, 0, Width(r), Height(r), kResizeOnly);
}

}  // namespace ostrivan
