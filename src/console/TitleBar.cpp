#include "console/TitleBar.h"

#include "ResourceIds.h"
#include "base/ResourceSource.h"

namespace ostrivan {

namespace {

// In client pixels: the 16-pixel icon centred in the bar, then the title
// text, then minimise and close, each button 24 pixels square, 3 pixels from
// the top; x values past the title are counted back from the client width.
constexpr RECT kTitleIconRect{5, 7, 21, 23};
constexpr int kTitleTextLeft = 26;
constexpr int kTitleTextTop = 7;
constexpr int kTitleTextBottom = 23;
constexpr int kTitleTextRightFromEdge = 59;
constexpr int kTitleButtonTop = 3;
constexpr int kTitleButtonSize = 24;
constexpr int kCloseLeftFromEdge = 29;
constexpr int kMinimiseLeftFromEdge = 54;

bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom; }

void PlaceButton(const Button& button, int left) {
    ::SetWindowPos(button.hwnd(), nullptr, left, kTitleButtonTop, kTitleButtonSize, kTitleButtonSize,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void TitleBar::LayOut() {
    HWND window = window_.hwnd();
    RECT client{};
    ::GetClientRect(window, &client);
    int w = client.right;
    titleRect_ = {0, 0, w, kHeight};
    gripRect_ = {w - kGripSize, client.bottom - kGripSize, w, client.bottom};
    iconRect_ = kTitleIconRect;

    if (!iconStatic_.IsWindow() &&
        iconStatic_.CreateEx(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, iconRect_, window,
                             IDC_TITLE_ICON)) {
        HMODULE source = ResourceSource();
        smallIcon_.reset(source ? static_cast<HICON>(::LoadImageA(source, MAKEINTRESOURCEA(IDI_CONSOLE), IMAGE_ICON,
                                                                  16, 16, 0))
                                : nullptr);
        ::SendMessageA(iconStatic_.hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(smallIcon_.get()), 0);
    }
    PlaceButton(closeButton_, w - kCloseLeftFromEdge);
    PlaceButton(minimiseButton_, w - kMinimiseLeftFromEdge);
    if (!titleStatic_.IsWindow()) {
        RECT title{kTitleTextLeft, kTitleTextTop, w - kTitleTextRightFromEdge, kTitleTextBottom};
        (void)titleStatic_.CreateEx(0, "STATIC", LoadResourceString(IDS_CONSOLE_TITLE).c_str(), WS_CHILD | WS_VISIBLE,
                                    title, window, IDC_TITLE_TEXT);
    }
}

void TitleBar::FollowSizing(const RECT& r) {
    gripRect_ = {r.right - kGripSize, r.bottom - kGripSize, r.right, r.bottom};
    ::MapWindowPoints(nullptr, window_.hwnd(), reinterpret_cast<POINT*>(&gripRect_), 2);
}

void TitleBar::ShowSystemMenu(POINT screenPoint) {
    HWND window = window_.hwnd();
    HMENU menu = ::GetSystemMenu(window, FALSE);
    if (menu) ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, screenPoint.x, screenPoint.y, 0, window, nullptr);
}

bool TitleBar::OnLButtonDown(UINT, POINT p) {
    if (Contains(titleRect_, p)) {
        if (Contains(iconRect_, p)) {
            POINT corner{titleRect_.left, titleRect_.bottom};
            ::ClientToScreen(window_.hwnd(), &corner);
            ShowSystemMenu(corner);
            return true;
        }
        ::SendMessageA(window_.hwnd(), WM_SYSCOMMAND, kDragMove, 0);
    }
    if (Contains(gripRect_, p)) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENWSE));
        ::SendMessageA(window_.hwnd(), WM_SYSCOMMAND, kSizeFromBottom, 0);
    }
    return false;
}

void TitleBar::OnLButtonDblClk(UINT, POINT point) {
    // Ends at once: the console's closing steps do not run.
    if (Contains(iconRect_, point)) window_.EndDialog(0);
}

void TitleBar::OnRButtonUp(UINT, POINT p) {
    if (Contains(titleRect_, p)) {
        ::ClientToScreen(window_.hwnd(), &p);
        ShowSystemMenu(p);
    }
}

void TitleBar::OnMouseMove(UINT, POINT point) {
    Focus();
    if (Contains(gripRect_, point)) ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENWSE));
}

void TitleBar::OnInitMenuPopup(HMENU menu) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!menu || !::GetWindowPlacement(window_.hwnd(), &placement)) return;
    if (placement.showCmd != SW_SHOWNORMAL && placement.showCmd != SW_SHOWMINIMIZED) return;
    struct Row {
        UINT command;
        bool normal;
        bool minimised;
    };
    const Row rows[] = {{SC_MAXIMIZE, false, false},
                        {SC_MINIMIZE, true, false},
                        {SC_RESTORE, false, true},
                        {SC_MOVE, true, false},
                        {SC_SIZE, false, false}};
    bool minimised = placement.showCmd == SW_SHOWMINIMIZED;
    for (const Row& row : rows) {
        bool enabled = minimised ? row.minimised : row.normal;
        ::EnableMenuItem(menu, row.command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

}  // namespace ostrivan
