// pressbutton: presses a button of a visible window, for scripts that walk
// through the console's dialogs (screenshots).
//
//   pressbutton <window title> <control id>
// Waits up to 20 s for the window; exit code 0 once the press is posted.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: pressbutton <window title> <control id>\n", stderr);
        return 2;
    }
    int id = std::atoi(argv[2]);
    for (int tries = 0; tries < 200; ++tries) {
        HWND window = ::FindWindowA(nullptr, argv[1]);
        HWND button = window && ::IsWindowVisible(window) ? ::GetDlgItem(window, id) : nullptr;
        if (button) return ::PostMessageA(button, BM_CLICK, 0, 0) ? 0 : 1;
        ::Sleep(100);
    }
    std::fprintf(stderr, "pressbutton: no button %d in a window \"%s\"\n", id, argv[1]);
    return 1;
}
