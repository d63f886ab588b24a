// Thin control classes over the system's controls; bind them to template
// controls with BindControl, or create them with CreateEx.
//
//   Button    push buttons, check boxes, radio buttons
//   Slider    track bars
//   ToolTip   a tool-tip window owned by this object
#pragma once

#include "framework/Window.h"

#include <commctrl.h>

namespace ostrivan {

class Button : public Window {
public:
    void SetCheck(int state) { ::SendMessageA(hwnd(), BM_SETCHECK, static_cast<WPARAM>(state), 0); }
    int GetCheck() const { return static_cast<int>(::SendMessageA(hwnd(), BM_GETCHECK, 0, 0)); }
};

class Slider : public Window {
public:
    void SetRange(int minimum, int maximum, bool redraw) {
        ::SendMessageA(hwnd(), TBM_SETRANGEMIN, FALSE, minimum);
        ::SendMessageA(hwnd(), TBM_SETRANGEMAX, redraw, maximum);
    }
    void SetLineSize(int size) { ::SendMessageA(hwnd(), TBM_SETLINESIZE, 0, size); }
    void SetPageSize(int size) { ::SendMessageA(hwnd(), TBM_SETPAGESIZE, 0, size); }
    void SetPos(int position, bool redraw) { ::SendMessageA(hwnd(), TBM_SETPOS, redraw, position); }
    int GetPos() const { return static_cast<int>(::SendMessageA(hwnd(), TBM_GETPOS, 0, 0)); }
    int GetRangeMin() const { return static_cast<int>(::SendMessageA(hwnd(), TBM_GETRANGEMIN, 0, 0)); }
    int GetRangeMax() const { return static_cast<int>(::SendMessageA(hwnd(), TBM_GETRANGEMAX, 0, 0)); }
};

class ToolTip : public Window {
public:
    // A tool-tip window owned by this object and by the window given.
    [[nodiscard]] bool Create(HWND owner, DWORD style);
    [[nodiscard]] bool AddTool(HWND window, UINT id, const RECT& rect, const char* text);
    // A tool that is the whole of a child window, whose text its parent
    // gives when asked (TTN_NEEDTEXT).
    [[nodiscard]] bool AddWindowTool(HWND parent, HWND child);
    void UpdateTipText(HWND window, UINT id, const char* text);
    void Activate(bool active) { ::SendMessageA(hwnd(), TTM_ACTIVATE, active, 0); }
    void Update() { ::SendMessageA(hwnd(), TTM_UPDATE, 0, 0); }
    void RelayEvent(const MSG& message) {
        ::SendMessageA(hwnd(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    }
};

}  // namespace ostrivan
