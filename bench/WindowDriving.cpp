#include "WindowDriving.h"

namespace bench {
namespace {

struct Search {
    DWORD processId;
    const char* title;
    int id;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    char title[256] = {};
    ::GetWindowTextA(window, title, sizeof title);
    if (processId != search->processId || !::IsWindowVisible(window) || lstrcmpA(title, search->title) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK MatchControl(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (::GetDlgCtrlID(window) != search->id || !::IsWindowVisible(window) || !::IsWindowEnabled(window)) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!::IsWindowVisible(window) || !::GetDlgItem(window, search->id)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* title) {
    Search search{processId, title, 0, nullptr};
    ::EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindEnabledControl(HWND window, int id) {
    Search search{0, nullptr, id, nullptr};
    ::EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindThreadDialog(DWORD threadId, int controlId) {
    Search search{0, nullptr, controlId, nullptr};
    ::EnumThreadWindows(threadId, MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Press(HWND button) { return button && ::PostMessageA(button, BM_CLICK, 0, 0); }

bool PressAndWaitGone(HWND dialog, int controlId) {
    if (!Press(FindEnabledControl(dialog, controlId))) return false;
    return WaitFor([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
}

}  // namespace bench
