#include "support/TestConsole.h"

#include "ResourceIds.h"
#include "entry/EntryPoints.h"
#include "launch/ConsoleWatcher.h"

#include <vector>

namespace testsupport {

namespace {

LRESULT CALLBACK TestConsoleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    // As the console does when its watcher asks for it.
    if (message == ostrivan::kMsgBringToFront) {
        if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
        ::SetForegroundWindow(window);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

const char* TestConsoleClass() {
    static const char* name = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = TestConsoleProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TestConsoleWindow";
        ::RegisterClassA(&windowClass);
        return "TestConsoleWindow";
    }();
    return name;
}

}  // namespace

TestConsoleRecord& LastTestConsole() {
    static TestConsoleRecord record;
    return record;
}

void ResetTestConsole() {
    TestConsoleRecord& record = LastTestConsole();
    record.runs = 0;
    record.window = nullptr;
    record.selectedDevice.clear();
    record.autoLaunched = false;
}

void RecordTestConsole(ostrivan::LaunchContext* context, const ostrivan::DeviceNames&) {
    TestConsoleRecord& record = LastTestConsole();
    record.selectedDevice = context->selectedDevice ? context->selectedDevice : "";
    record.autoLaunched = context->closeEvent != nullptr;
    ++record.runs;
}

HWND ShowTestConsoleWindow(ostrivan::LaunchContext* context, const ostrivan::DeviceNames& devices) {
    HWND window = ::CreateWindowExA(0, TestConsoleClass(), "Test console", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                    300, 200, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!window) return nullptr;
    context->consoleWindow = window;
    ostrivan::StartConsoleWatcher(context);
    LastTestConsole().window = window;
    RecordTestConsole(context, devices);
    return window;
}

void RunTestConsoleWindow(ostrivan::LaunchContext* context, const ostrivan::DeviceNames& devices) {
    if (!ShowTestConsoleWindow(context, devices)) return;
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

EntryThread::EntryThread(Entry entry, const std::string& commandLine) : entry_(entry), commandLine_(commandLine) {
    thread_ = ::CreateThread(nullptr, 0, Main, this, 0, nullptr);
}

EntryThread::~EntryThread() {
    if (thread_) {
        ::WaitForSingleObject(thread_, INFINITE);
        ::CloseHandle(thread_);
    }
}

bool EntryThread::Join(DWORD ms) { return thread_ && ::WaitForSingleObject(thread_, ms) == WAIT_OBJECT_0; }

DWORD WINAPI EntryThread::Main(void* parameter) {
    auto* self = static_cast<EntryThread*>(parameter);
    std::vector<char> line(self->commandLine_.begin(), self->commandLine_.end());
    line.push_back('\0');
    if (self->entry_ == kConsole) {
        ksCVWConsoleRunDLL32EP(nullptr, nullptr, line.data(), SW_SHOWNORMAL);
    } else {
        ksCVWParentalRunDLL32EP(nullptr, nullptr, line.data(), SW_SHOWNORMAL);
    }
    return 0;
}

}  // namespace testsupport
