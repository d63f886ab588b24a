// ConsoleWnd: the self-drawn title bar's mouse handling and the system menu.
#include "console/ConsoleWnd.h"

namespace ostrivan {

namespace {

constexpr WPARAM kDragMove = SC_MOVE + 1;
constexpr WPARAM kSizeFromBottom = SC_SIZE + 6;

// Inclusive of all four edges.
bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom; }

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

void ConsoleWnd::ShowSystemMenu(POINT screenPoint) {
    HMENU menu = ::GetSystemMenu(hwnd(), FALSE);
    if (menu) ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, screenPoint.x, screenPoint.y, 0, hwnd(), nullptr);
}

LRESULT ConsoleWnd::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    POINT p = PointOf(lParam);
    if (Contains(titleRect_, p)) {
        if (Contains(iconRect_, p)) {
            POINT corner{titleRect_.left, titleRect_.bottom};
            ::ClientToScreen(hwnd(), &corner);
            ShowSystemMenu(corner);
            return 0;
        }
        ::SendMessageA(hwnd(), WM_SYSCOMMAND, kDragMove, 0);
    }
    if (Contains(gripRect_, p)) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENWSE));
        ::SendMessageA(hwnd(), WM_SYSCOMMAND, kSizeFromBottom, 0);
    }
    return Dialog::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT ConsoleWnd::OnLButtonDblClk(WPARAM wParam, LPARAM lParam) {
    // Ends at once: the rectangle is not stored.
    if (Contains(iconRect_, PointOf(lParam))) EndDialog(0);
    return Dialog::WindowProc(WM_LBUTTONDBLCLK, wParam, lParam);
}

LRESULT ConsoleWnd::OnRButtonUp(WPARAM wParam, LPARAM lParam) {
    POINT p = PointOf(lParam);
    if (Contains(titleRect_, p)) {
        ::ClientToScreen(hwnd(), &p);
        ShowSystemMenu(p);
    }
    return Dialog::WindowProc(WM_RBUTTONUP, wParam, lParam);
}

LRESULT ConsoleWnd::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    FocusTitle();
    if (Contains(gripRect_, PointOf(lParam))) ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENWSE));
    return Dialog::WindowProc(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT ConsoleWnd::OnSysCommand(WPARAM command, LPARAM lParam) {
    FocusTitle();
    if ((command & 0xFFF0) == SC_MINIMIZE && !::IsIconic(hwnd())) SaveWindowPosition();
    LRESULT result = Dialog::WindowProc(WM_SYSCOMMAND, command, lParam);
    if (command == kDragMove && infoPanel_.IsWindow()) {
        // Makes the panel lay itself out anew after the move.
        RECT r{};
        ::GetWindowRect(infoPanel_.hwnd(), &r);
        UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
        ::SetWindowPos(infoPanel_.hwnd(), nullptr, 0, 0, r.right - r.left - 1, r.bottom - r.top, flags);
        ::SetWindowPos(infoPanel_.hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, flags);
    }
    return result;
}

LRESULT ConsoleWnd::OnInitMenuPopup(WPARAM menuHandle, LPARAM lParam) {
    HMENU menu = reinterpret_cast<HMENU>(menuHandle);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (menu && ::GetWindowPlacement(hwnd(), &placement)) {
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
        if (placement.showCmd == SW_SHOWNORMAL || placement.showCmd == SW_SHOWMINIMIZED) {
            bool minimised = placement.showCmd == SW_SHOWMINIMIZED;
            for (const Row& row : rows) {
                bool enabled = minimised ? row.minimised : row.normal;
                ::EnableMenuItem(menu, row.command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
            }
        }
    }
    return Dialog::WindowProc(WM_INITMENUPOPUP, menuHandle, lParam);
}

}  // namespace ostrivan
