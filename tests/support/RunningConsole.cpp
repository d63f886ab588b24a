#include "support/RunningConsole.h"

#include "ResourceIds.h"
#include "camera/CameraDiscovery.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "launch/ConsoleWatcher.h"
#include "skin/ResourceLibrary.h"

#include <dbt.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace testsupport {

using namespace ostrivan;
using driving::kHangLimitMs;
using driving::WaitUntil;

RunningConsole::RunningConsole() {
    context_ = AllocateLaunchContext();
    FindCameras(context_.get());
    context_->selectedDevice = context_->deviceNames[0];
    ready_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = ::CreateThread(nullptr, 0, Main, this, 0, &threadId_);
    ::WaitForSingleObject(ready_, kHangLimitMs);
    // A constructor reports nothing: a console that never showed fails the
    // test's first look at its window.
    (void)WaitUntil([this] { return context_->deviceChangeMutex && ::IsWindowVisible(context_->consoleWindow); },
                    kHangLimitMs);
}

RunningConsole::~RunningConsole() {
    if (::IsWindow(hwnd())) ::PostMessageA(hwnd(), WM_CLOSE, 0, 0);
    if (!Join(kHangLimitMs)) {
        // The window's thread still uses this object: end the program with
        // the failure rather than free what that thread uses.
        ADD_FAILURE() << "the console's thread did not end";
        std::fflush(stdout);
        ::ExitProcess(1);
    }
    ::CloseHandle(thread_);
    ::CloseHandle(ready_);
}

DWORD WINAPI RunningConsole::Main(void* parameter) {
    auto* self = static_cast<RunningConsole*>(parameter);
    ResourceLibrary library;
    (void)library.Load();
    self->window_ = std::make_unique<ConsoleWnd>();
    self->window_->Attach(FoundDevices(*self->context_), self->context_.get());
    ::SetEvent(self->ready_);
    self->result_ = self->window_->DoModal(nullptr);
    // As the entry point does once its window has ended.
    StopConsoleWatcher(self->context_.get());
    return 0;
}

bool RunningConsole::WaitForFirstShow() {
    bool shown = WaitUntil(
        [this] {
            HWND section = window_->infoPanelForTesting().GetSectionClient(0, true);
            return section && ::IsWindowVisible(section);
        },
        kHangLimitMs);
    // The fit follows the first show within the same handler of the window's thread.
    Sync();
    return shown;
}

std::vector<std::string> RunningConsole::Entries() {
    std::vector<std::string> entries;
    for (int i = 0; i < window_->deviceButtonForTesting().GetEntryCount(); ++i) {
        char text[DeviceMenuButton::kTextSize];
        window_->deviceButtonForTesting().GetEntryText(i, text);
        entries.emplace_back(text);
    }
    return entries;
}

std::string RunningConsole::Caption() {
    char caption[300] = {};
    ::GetWindowTextA(::GetDlgItem(hwnd(), IDC_CAMERA_BUTTON), caption, sizeof(caption));
    return caption;
}

bool RunningConsole::NotifyAndWaitFor(const std::vector<std::string>& entries) {
    ::PostMessageA(hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    return WaitForEntries(entries);
}

bool RunningConsole::MenuOpen() const {
    return driving::AnyWindow().OfThread(threadId_).OfClass("#32768").Find() != nullptr;
}

bool RunningConsole::WaitForEntries(const std::vector<std::string>& entries) {
    bool shown = WaitUntil(
        [&] {
            Sync();
            return Entries() == entries;
        },
        kHangLimitMs);
    // The entries are read from this thread while the window may be part-way
    // through the rebuild that made them: let it finish before the caller
    // looks at the selection.
    Sync();
    return shown;
}

}  // namespace testsupport
