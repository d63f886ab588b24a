// Drives dialogs as a user would, from another thread or process: typing
// into edits, pressing their buttons, running a modal dialog on a thread of
// its own. Finding windows, waiting and answering message boxes are the
// test bed's (driving/); every wait ends at its hang limit.
#pragma once

#include "driving/HangLimit.h"

#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

// A visible top-level window with this title (any process) once it shows,
// or null.
HWND WaitForTitledWindow(const std::string& title, DWORD ms = driving::kHangLimitMs);

// Types the text (in the system code page) into a dialog's control, one
// character message each, as the keyboard would.
void TypeText(HWND dialog, int controlId, const std::string& text);
// Presses a push button or check box of a dialog (posted, so a message box
// the click opens does not block the caller).
void PressButton(HWND dialog, int controlId);
// The control that has the keyboard focus in the window's thread, once that
// thread has finished the message it is handling.
HWND FocusedControl(HWND window);

// Runs a modal dialog on a thread of its own; the result once it has ended.
class ModalThread {
public:
    explicit ModalThread(std::function<INT_PTR()> run);
    ~ModalThread();
    ModalThread(const ModalThread&) = delete;
    ModalThread& operator=(const ModalThread&) = delete;
    // True when the run ended within the time.
    bool Join(DWORD ms = driving::kHangLimitMs);
    INT_PTR result() const { return result_; }

private:
    static DWORD WINAPI Main(void* self);
    std::function<INT_PTR()> run_;
    INT_PTR result_ = -2;
    HANDLE thread_ = nullptr;
};

}  // namespace testsupport
