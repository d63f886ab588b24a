// Runs the standalone console on a thread of this process, as a host may,
// closes it and lets the thread end, then ends itself. check-thread-exit.sh
// runs it with Wine's heap warnings on: the end of the thread must free
// nothing twice. Exit code 0 when the console opened, closed and its thread
// ended; 1 otherwise.
#include "base/UniqueHandle.h"
#include "support/DialogDriver.h"
#include "support/TestConsole.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr char kTitle[] = "XC0730 Camera Console";
constexpr DWORD kLimitMs = 60000;  // tells a hang from a loaded machine

using EntryPoint = void(CALLBACK*)(HWND, HINSTANCE, LPSTR, int);

EntryPoint g_entry = nullptr;

DWORD WINAPI RunConsole(void*) {
    char line[] = "";
    g_entry(nullptr, ::GetModuleHandleA("Ostrivan.dll"), line, SW_SHOWNORMAL);
    return 0;
}

int Fail(const char* what) {
    std::fprintf(stderr, "thread_exit_probe: %s\n", what);
    return 1;
}

}  // namespace

int main() {
    HMODULE module = ::LoadLibraryA("Ostrivan.dll");
    if (!module) return Fail("the module could not be loaded");
    g_entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(::GetProcAddress(module, "ksCVWConsoleRunDLL32EP")));
    if (!g_entry) return Fail("the module has no console entry point");
    DWORD threadId = 0;
    ostrivan::UniqueHandle thread(::CreateThread(nullptr, 0, RunConsole, nullptr, 0, &threadId));
    if (!thread) return Fail("no thread for the console");
    HWND console = nullptr;
    auto isConsole = [](HWND window) { return ::IsWindowVisible(window) && testsupport::WindowText(window) == kTitle; };
    testsupport::WaitUntil(
        [&] {
            console = testsupport::FindThreadWindow(threadId, isConsole);
            return console || ::WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0;  // or ended without one
        },
        kLimitMs);
    if (console) ::PostMessageA(console, WM_CLOSE, 0, 0);
    bool ended = ::WaitForSingleObject(thread.get(), kLimitMs) == WAIT_OBJECT_0;
    if (!console) return Fail("the console showed no window");
    if (!ended) return Fail("the console's thread did not end");
    std::puts("thread_exit_probe: the console's thread ended");
    return 0;
}
