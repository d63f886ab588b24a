// Driving the console's windows as a user would, from another thread or
// process: finding a button among a window's descendants, pressing it, and
// waiting for a window to come or go. Every wait polls up to a hang limit
// and reports with a bool whether the state came.
#pragma once

#include <windows.h>

namespace bench {

constexpr DWORD kHangLimitMs = 60000;  // only tells a hang from a loaded machine

// Polls the predicate every 5 ms until it holds or the time is up.
template <typename Predicate>
bool WaitFor(Predicate predicate, DWORD ms = kHangLimitMs) {
    DWORD start = ::GetTickCount();
    while (!predicate()) {
        if (::GetTickCount() - start > ms) return false;
        ::Sleep(5);
    }
    return true;
}

// A visible top-level window of that process with that title, or null.
HWND FindProcessWindow(DWORD processId, const char* title);
// A visible, enabled control with that id among the window's descendants, or null.
HWND FindEnabledControl(HWND window, int id);
// A visible top-level window of the thread holding a control with that id, or null.
HWND FindThreadDialog(DWORD threadId, int controlId);
// Presses the button (posted, so whatever the press opens does not hold the caller).
bool Press(HWND button);
// Presses the dialog's control and waits until the dialog is gone.
bool PressAndWaitGone(HWND dialog, int controlId);

}  // namespace bench
