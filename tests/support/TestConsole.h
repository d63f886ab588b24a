// A stand-in console window for the entry points' seam, and a thread that
// runs an entry point the way rundll32 would.
#pragma once

#include "entry/WindowSeams.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace testsupport {

// What the last run of the test console saw.
struct TestConsoleRecord {
    std::atomic<int> runs{0};
    std::atomic<HWND> window{nullptr};
    std::string selectedDevice;
    bool autoLaunched = false;  // the context held the Close event
};
TestConsoleRecord& LastTestConsole();
void ResetTestConsole();

// Records the call and returns at once, without a window.
void RecordTestConsole(ostrivan::LaunchContext* context, const ostrivan::DeviceNames& devices);
// Records the call and shows a window as the real console does (handle in
// the context, watcher started); null when none could be made.
HWND ShowTestConsoleWindow(ostrivan::LaunchContext* context, const ostrivan::DeviceNames& devices);
// The same, then runs the window until it is closed.
void RunTestConsoleWindow(ostrivan::LaunchContext* context, const ostrivan::DeviceNames& devices);

// Runs ksCVWConsoleRunDLL32EP (or the parental entry) on its own thread.
class EntryThread {
public:
    enum Entry { kConsole, kParental };
    EntryThread(Entry entry, const std::string& commandLine);
    ~EntryThread();
    EntryThread(const EntryThread&) = delete;
    EntryThread& operator=(const EntryThread&) = delete;
    // True when the entry point has returned within the time.
    bool Join(DWORD ms);

private:
    static DWORD WINAPI Main(void* self);
    Entry entry_;
    std::string commandLine_;
    HANDLE thread_ = nullptr;
};

}  // namespace testsupport
