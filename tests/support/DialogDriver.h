// Drives dialogs as a user would, from another thread or process: typing
// into edits, pressing buttons, reading and answering message boxes. Every
// wait polls a condition up to a hang limit.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

constexpr DWORD kDialogHangLimitMs = 30000;  // only catches hangs

// A visible top-level window with this title (any process), or null.
HWND WaitForTitledWindow(const std::string& title, DWORD ms = kDialogHangLimitMs);
// Whether the window is gone (or hidden) within the time.
bool WaitUntilGone(HWND window, DWORD ms = kDialogHangLimitMs);
// The first top-level window of the thread that match accepts, or null; IsOfClass compares class names without regard to case.
HWND FindThreadWindow(DWORD thread, const std::function<bool(HWND)>& match);
bool IsOfClass(HWND window, const char* className);
// Handles this thread's messages through the framework's loop (timers
// among them) until the condition holds; false when the time ran out first.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = kDialogHangLimitMs);

// Types the text (in the system code page) into a dialog's control, one
// character message each, as the keyboard would.
void TypeText(HWND dialog, int controlId, const std::string& text);
// Presses a push button or check box of a dialog (posted, so a message box
// the click opens does not block the caller).
void PressButton(HWND dialog, int controlId);
std::string ControlText(HWND dialog, int controlId);
std::string WindowText(HWND window);
// The control that has the keyboard focus in the window's thread, once that
// thread has finished the message it is handling.
HWND FocusedControl(HWND window);

// A message box shown by the thread of `owner` (or anywhere when owner is
// null), identified by its text control.
struct SeenMessageBox {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    HICON icon = nullptr;
};
bool WaitForMessageBox(HWND owner, SeenMessageBox* seen, DWORD ms = kDialogHangLimitMs);
// Presses a button (IDOK, IDYES, IDNO) of the message box and waits until it is gone.
bool AnswerMessageBox(const SeenMessageBox& box, int button);

// Runs a modal dialog on a thread of its own; the result once it has ended.
class ModalThread {
public:
    explicit ModalThread(std::function<INT_PTR()> run);
    ~ModalThread();
    ModalThread(const ModalThread&) = delete;
    ModalThread& operator=(const ModalThread&) = delete;
    // True when the run ended within the time.
    bool Join(DWORD ms = kDialogHangLimitMs);
    INT_PTR result() const { return result_; }

private:
    static DWORD WINAPI Main(void* self);
    std::function<INT_PTR()> run_;
    INT_PTR result_ = -2;
    HANDLE thread_ = nullptr;
};

}  // namespace testsupport
