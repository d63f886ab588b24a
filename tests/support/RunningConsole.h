// The console window run on a thread of its own in this process, the way
// the standalone entry point runs it, for tests that look at it from outside.
#pragma once

#include "console/ConsoleWnd.h"
#include "launch/LaunchContextOwner.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

class RunningConsole {
public:
    // Finds the cameras, starts the window and waits until it is shown.
    RunningConsole();
    // Closes the window if it is still there and waits for its thread.
    ~RunningConsole();
    RunningConsole(const RunningConsole&) = delete;
    RunningConsole& operator=(const RunningConsole&) = delete;

    HWND hwnd() const { return context_->consoleWindow; }
    ostrivan::ConsoleWnd& window() { return *window_; }
    ostrivan::LaunchContext& context() { return *context_; }
    bool Join(DWORD ms) { return ::WaitForSingleObject(thread_, ms) == WAIT_OBJECT_0; }
    INT_PTR result() const { return result_; }
    // Lets the window's thread handle everything sent before.
    void Sync() { ::SendMessageA(hwnd(), WM_NULL, 0, 0); }
    // Waits until the info panel's first show has opened the view panel
    // (and, without a stored rectangle, the height was fitted to it).
    bool WaitForFirstShow();

    // The camera menu's entries and the camera button's caption.
    std::vector<std::string> Entries();
    std::string Caption();
    // Notifies a device change and waits until the menu shows the entries.
    bool NotifyAndWaitFor(const std::vector<std::string>& entries);
    // Waits until the menu shows the entries.
    bool WaitForEntries(const std::vector<std::string>& entries);
    // Whether a popup menu of the window's thread is open.
    bool MenuOpen() const;

private:
    static DWORD WINAPI Main(void* self);

    ostrivan::LaunchContextPtr context_;
    std::unique_ptr<ostrivan::ConsoleWnd> window_;
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    std::atomic<INT_PTR> result_{-2};
};

}  // namespace testsupport
