// ConsoleWnd: the self-drawn title bar's mouse handling and the system menu.
#include "console/ConsoleWnd.h"

namespace ostrivan {

namespace {

constexpr WPARAM kDragMove = SC_MOVE + 1;
constexpr WPARAM kSizeFromBottom = SC_SIZE + 6;

// Inclusive of all four edges.
bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom; }

}  // namespace

void ConsoleWnd::ShowSystemMenu(POINT screenPoint) {
    HMENU menu = ::GetSystemMenu(hwnd(), FALSE);
    if (menu) ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, screenPoint.x, screenPoint.y, 0, hwnd(), nullptr);
}

bool ConsoleWnd::OnLButtonDown(UINT, POINT p) {
    if (Contains(titleRect_, p)) {
        if (Contains(iconRect_, p)) {
            POINT corner{titleRect_.left, titleRect_.bottom};
            ::ClientToScreen(hwnd(), &corner);
            ShowSystemMenu(corner);
            return true;
        }
        ::SendMessageA(hwnd(), WM_SYSCOMMAND, kDragMove, 0);
    }
    if (Contains(gripRect_, p)) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENWSE));
        ::SendMessageA(hwnd(), WM_SYSCOMMAND, kSizeFromBottom, 0);
    }
    return false;
}

void ConsoleWnd::OnLButtonDblClk(UINT, POINT point) {
    // Ends at once: the rectangle is not stored.
    if (Contains(iconRect_, point)) EndDialog(0);
}

void ConsoleWnd::OnRButtonUp(UINT, POINT p) {
    if (Contains(titleRect_, p)) {
        ::ClientToScreen(hwnd(), &p);
        ShowSystemMenu(p);
    }
}

void ConsoleWnd::OnMouseMove(UINT, POINT point) {
    FocusTitle();
    if (Contains(gripRect_, point)) ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENWSE));
}

LRESULT ConsoleWnd::OnSysCommand(UINT command, POINT point) {
    FocusTitle();
    if ((command & 0xFFF0) == SC_MINIMIZE && !::IsIconic(hwnd())) SaveWindowPosition();
    LRESULT result = Dialog::WindowProc(WM_SYSCOMMAND, command, PackPoint(point));
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

void ConsoleWnd::OnInitMenuPopup(HMENU menu) {
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
}

}  // namespace ostrivan
