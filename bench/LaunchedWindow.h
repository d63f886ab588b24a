// A rundll32 process of the launch benchmark, timed from just before its
// start until a visible top-level window of that process with the given
// title is found (polled every millisecond, the same way on both sides;
// finer than the driving library's waits, which only wait).
//
// Start and WaitForEnd report success as a bool; an object that goes while
// its process still runs ends the process.
#pragma once

#include "base/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace bench {

class LaunchedWindow {
public:
    LaunchedWindow() = default;
    ~LaunchedWindow();
    LaunchedWindow(const LaunchedWindow&) = delete;
    LaunchedWindow& operator=(const LaunchedWindow&) = delete;

    // False when the process did not start, ended first or showed no such
    // window within the hang limit.
    [[nodiscard]] bool Start(const std::string& commandLine, const char* title);
    [[nodiscard]] bool WaitForEnd();

    HWND window() const { return window_; }
    double msToVisible() const { return msToVisible_; }
    // Enabled sliders among the window's descendants.
    int EnabledSliders() const;
    // A visible top-level window of the process with that title, or null.
    HWND FindVisibleWindow(const char* title) const;

private:
    ostrivan::UniqueHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
    double msToVisible_ = 0;
};

// Starts a program and waits until it ends; false when it failed to start or
// did not end within the hang limit.
[[nodiscard]] bool RunToEnd(const std::string& commandLine);

}  // namespace bench
