// Pieces shared by the info panel tests: windows that record the messages
// they receive, a pump and a watch on the panel's restore timer, the test
// skinning library's controls, and the section states in the registry.
#pragma once

#include "support/SkinRecorder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace infopaneltest {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Every private or registered message (WM_USER and up) any recorder got, in order.
std::vector<Received>& Journal();
std::vector<Received> ReceivedBy(HWND window, UINT message);

// A plain window that records what it receives; top-level when parent is null.
class RecorderWindow {
public:
    RecorderWindow(HWND parent, const RECT& rect, bool visible);
    ~RecorderWindow();
    RecorderWindow(const RecorderWindow&) = delete;
    RecorderWindow& operator=(const RecorderWindow&) = delete;
    HWND hwnd() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Dispatches what is queued, through the framework's loop.
void Pump();

// The panel's restore timer (kRestoreSectionsTimer) as this thread's loop
// takes it, seen through a message hook while the watch lives: once the
// pump that took it has returned, its handler has run (the restore, or
// while the parent is hidden the decision to try again). One watch at a
// time, on the thread that runs the panels.
class RestoreTimerWatch {
public:
    RestoreTimerWatch();
    ~RestoreTimerWatch();
    RestoreTimerWatch(const RestoreTimerWatch&) = delete;
    RestoreTimerWatch& operator=(const RestoreTimerWatch&) = delete;

    // How often the loop took the panel's restore timer since the watch began.
    int Taken(HWND panel) const;
    // Pumps until it has taken it that often; false when it did not come.
    [[nodiscard]] bool PumpUntilTaken(HWND panel, int times);

private:
    HHOOK hook_ = nullptr;
};

// A hosted client: a static control of the given size in parent.
HWND MakeClient(HWND parent, int width, int height, bool visible, const char* text = "Client");
// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
int Width(const RECT& r);
int Height(const RECT& r);

// The recording skinning library beside the test program.
using testsupport::SkinRecorder;

// "PanelState<n>" of the console key.
void ClearPanelStates();
void StorePanelState(int number, DWORD value);
void StorePanelStateRaw(int number, DWORD type, const void* data, DWORD size);
bool ReadPanelState(int number, DWORD* value);

}  // namespace infopaneltest
