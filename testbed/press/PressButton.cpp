// pressbutton: presses a button of a visible window, for scripts that walk
// through the console's dialogs (screenshots).
//
//   pressbutton <window title> <control id>
// The button may lie in a child window (the view panel's, inside the
// console). Waits up to the hang limit for the window and an enabled
// button; exit code 0 once the press is posted.
#include "driving/Press.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: pressbutton <window title> <control id>\n", stderr);
        return 2;
    }
    const int id = std::atoi(argv[2]);
    HWND button = nullptr;
    const bool found = driving::WaitUntil([&] {
        HWND window = driving::AnyWindow().Titled(argv[1]).Find();
        return (button = driving::AnyWindow().Within(window).WithId(id).Enabled().Find()) != nullptr;
    });
    if (found) return driving::Press(button) ? 0 : 1;
    std::fprintf(stderr, "pressbutton: no button %d in a window \"%s\"\n", id, argv[1]);
    return 1;
}
