#include "LaunchedWindow.h"

#include "BenchClock.h"

#include "driving/HangLimit.h"
#include "driving/WindowSearch.h"

#include <commctrl.h>

namespace bench {

namespace {

ostrivan::UniqueHandle StartProcess(const std::string& commandLine, DWORD* processId) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return ostrivan::UniqueHandle();
    }
    ::CloseHandle(process.hThread);
    if (processId) *processId = process.dwProcessId;
    return ostrivan::UniqueHandle(process.hProcess);
}

}  // namespace

LaunchedWindow::~LaunchedWindow() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(process_.get(), 1);
        ::WaitForSingleObject(process_.get(), driving::kHangLimitMs);
    }
}

bool LaunchedWindow::Start(const std::string& commandLine, const char* title) {
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    process_ = StartProcess(commandLine, &processId_);
    if (!process_) return false;
    while (MsSince(start) < driving::kHangLimitMs) {
        window_ = FindVisibleWindow(title);
        if (window_) {
            msToVisible_ = MsSince(start);
            return true;
        }
        if (::WaitForSingleObject(process_.get(), 1) == WAIT_OBJECT_0) return false;
    }
    return false;
}

bool LaunchedWindow::WaitForEnd() {
    return process_ && ::WaitForSingleObject(process_.get(), driving::kHangLimitMs) == WAIT_OBJECT_0;
}

int LaunchedWindow::EnabledSliders() const {
    return static_cast<int>(
        driving::AnyWindow().Within(window_).OfClass(TRACKBAR_CLASSA).Enabled().EvenHidden().FindAll().size());
}

HWND LaunchedWindow::FindVisibleWindow(const char* title) const {
    return driving::AnyWindow().OfProcess(processId_).Titled(title).Find();
}

bool RunToEnd(const std::string& commandLine) {
    ostrivan::UniqueHandle process = StartProcess(commandLine, nullptr);
    return process && ::WaitForSingleObject(process.get(), driving::kHangLimitMs) == WAIT_OBJECT_0;
}

}  // namespace bench
