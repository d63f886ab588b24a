// The memory benchmark's reference: the console's windows as a minimal
// program makes them with bare platform calls, on a thread of its own that
// takes its own messages. Made from the same templates of the installed
// resource library: the console's window, the view panel inside it, and the
// advanced settings, options, password prompt and change-password dialogs,
// each opened modally by the same button as in the console and closed by
// Cancel. A refresh reads the camera with the bare calls and sets the
// panel's sliders and controls the way the console's refresh does (only
// what changed); the panel refreshes on a 1.5 s timer too, and the advanced
// dialog reads the camera when it opens and on the same timer. No skin.
//
// Open reports success as a bool and says on stderr what failed; the
// windows are closed and the thread joined when the object goes.
#pragma once

#include "base/UniqueHandle.h"
#include "probe/ProcessObjects.h"

#include <windows.h>

namespace bench {

class PlatformDialogs {
public:
    PlatformDialogs() = default;
    ~PlatformDialogs() { Close(); }
    PlatformDialogs(const PlatformDialogs&) = delete;
    PlatformDialogs& operator=(const PlatformDialogs&) = delete;

    // Until the window shows the camera's first reading.
    [[nodiscard]] bool Open();
    HWND window() const { return window_; }
    DWORD threadId() const { return threadId_; }
    // The process's objects, counted on the windows' thread.
    testbed::ProcessObjects Count() const;
    // One refresh of the panel, done on the windows' thread.
    [[nodiscard]] bool Refresh() const;
    // Closes the window and waits for the thread.
    void Close();

private:
    static DWORD WINAPI Run(void* dialogs);

    ostrivan::UniqueHandle ready_;
    ostrivan::UniqueHandle thread_;
    HWND window_ = nullptr;
    HWND panel_ = nullptr;
    DWORD threadId_ = 0;
};

}  // namespace bench
