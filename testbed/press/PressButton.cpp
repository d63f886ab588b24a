// pressbutton: presses a button of a visible window, for scripts that walk
// through the console's dialogs (screenshots).
//
//   pressbutton <window title> <control id>
// The button may lie in a child window (the view panel's, inside the
// console). Waits up to 20 s for the window and an enabled button; exit code
// 0 once the press is posted.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK FindButton(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (::GetDlgCtrlID(window) != search->id || !::IsWindowVisible(window) || !::IsWindowEnabled(window)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: pressbutton <window title> <control id>\n", stderr);
        return 2;
    }
    Search search{std::atoi(argv[2]), nullptr};
    for (int tries = 0; tries < 200; ++tries) {
        HWND window = ::FindWindowA(nullptr, argv[1]);
        if (window && ::IsWindowVisible(window)) ::EnumChildWindows(window, FindButton, reinterpret_cast<LPARAM>(&search));
        if (search.found) return ::PostMessageA(search.found, BM_CLICK, 0, 0) ? 0 : 1;
        ::Sleep(100);
    }
    std::fprintf(stderr, "pressbutton: no button %d in a window \"%s\"\n", search.id, argv[1]);
    return 1;
}
