// Message boxes seen and answered as a user would, from another thread or
// process.
//
//   MessageBoxes()     a query for shown message boxes; narrow it to a
//                      process, a thread (OnThreadOf), an owner or a text
//   WaitForMessageBox  the first box the query finds once it shows, read
//   AnswerMessageBox   presses one of its buttons and waits until it is gone
//
// Each reports with a bool: false when no box came, or the box stayed,
// within the time. What a box shows is written only when one was found.
#pragma once

#include "driving/HangLimit.h"
#include "driving/WindowSearch.h"

#include <windows.h>

#include <string>

namespace driving {

constexpr int kMessageBoxTextId = 0xFFFF;  // the message's text control

struct MessageBoxSeen {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    HICON icon = nullptr;
};

// Shown system dialogs holding a message's text control.
WindowQuery MessageBoxes();
// The message boxes of that process whose message is exactly text.
WindowQuery MessageBoxesSaying(DWORD processId, const std::string& text);

// Reads caption, text and icon; false when the window is no message box.
[[nodiscard]] bool ReadMessageBox(HWND box, MessageBoxSeen* seen);
[[nodiscard]] bool WaitForMessageBox(const WindowQuery& which, MessageBoxSeen* seen, DWORD ms = kHangLimitMs);
// button: IDOK, IDYES, IDNO, ...
[[nodiscard]] bool AnswerMessageBox(HWND box, int button, DWORD ms = kHangLimitMs);

}  // namespace driving
