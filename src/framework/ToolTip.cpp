#include "framework/Controls.h"

namespace ostrivan {

namespace {
TOOLINFOA ToolOf(HWND window, UINT id) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window;
    tool.uId = id;
    return tool;
}
}  // namespace

bool ToolTip::Create(HWND owner, DWORD style) {
    // A tool tip places and sizes itself.
    RECT anywhere{};
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, anywhere, owner, 0);
}

bool ToolTip::AddTool(HWND window, UINT id, const RECT& rect, const char* text) {
    TOOLINFOA tool = ToolOf(window, id);
    tool.rect = rect;
    tool.lpszText = const_cast<char*>(text);
    return ::SendMessageA(hwnd(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

bool ToolTip::AddWindowTool(HWND parent, HWND child) {
    TOOLINFOA tool = ToolOf(parent, 0);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    return ::SendMessageA(hwnd(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

void ToolTip::UpdateTipText(HWND window, UINT id, const char* text) {
    TOOLINFOA tool = ToolOf(window, id);
    tool.lpszText = const_cast<char*>(text);
    ::SendMessageA(hwnd(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ostrivan
