#include "InProcessConsole.h"

#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/Press.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "driving/WindowWaits.h"
#include "launch/KernelObjectNames.h"

#include <cstdio>
#include <string>

namespace bench {

namespace {

constexpr char kConsoleTitle[] = "XC0730 Camera Console";

bool Fail(const char* what) {
    std::fprintf(stderr, "memory_bench: %s\n", what);
    return false;
}

// Hooks on the console's thread: the counts are taken inside a message sent
// to its window, so that none of its work is half done meanwhile; the
// readings its panels take are counted as they leave the queue.
UINT g_countMessage = 0;
testbed::ProcessObjects g_counted;
volatile LONG g_readingsTaken = 0;

LRESULT CALLBACK CountOnConsoleThread(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == g_countMessage) g_counted = testbed::CountProcessObjects();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK SeeReadings(int code, WPARAM wParam, LPARAM lParam) {
    const auto* taken = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && taken->message == ostrivan::kMsgCameraReading) {
        ::InterlockedIncrement(&g_readingsTaken);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DWORD WINAPI InProcessConsole::Run(void* parameter) {
    const auto* console = static_cast<const InProcessConsole*>(parameter);
    char line[] = "";
    console->entry_(nullptr, console->module_.get(), line, SW_SHOWNORMAL);
    return 0;
}

bool InProcessConsole::Open() {
    module_.reset(::LoadLibraryA("Ostrivan.dll"));
    if (!module_) return Fail("the module could not be loaded");
    entry_ = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), "ksCVWConsoleRunDLL32EP")));
    if (!entry_) return Fail("the module has no console entry point");
    thread_.reset(::CreateThread(nullptr, 0, Run, this, 0, nullptr));
    if (!thread_) return Fail("no thread for the console");
    window_ = driving::WaitForWindow(driving::AnyWindow().OfProcess(::GetCurrentProcessId()).Titled(kConsoleTitle));
    if (!window_) return Fail("the console did not show its window");
    // The panel has read the camera once its buttons are enabled.
    if (!driving::WaitForWindow(driving::AnyWindow().Within(window_).WithId(IDC_ADVANCED).Enabled())) {
        return Fail("the view panel did not read the camera");
    }
    threadId_ = ::GetWindowThreadProcessId(window_, nullptr);
    g_countMessage = ::RegisterWindowMessageA("MemoryBenchCount");
    countHook_.reset(::SetWindowsHookExA(WH_CALLWNDPROC, CountOnConsoleThread, nullptr, threadId_));
    readingHook_.reset(::SetWindowsHookExA(WH_GETMESSAGE, SeeReadings, nullptr, threadId_));
    std::string eventName = std::string(ostrivan::kStandalonePanelEventPrefix) + "Zest! View Panel";
    panelEvent_.reset(::OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName.c_str()));
    if (!countHook_ || !readingHook_ || !panelEvent_) return Fail("no way to count or to refresh");
    return true;
}

testbed::ProcessObjects InProcessConsole::Count() const {
    ::SendMessageA(window_, g_countMessage, 0, 0);
    return g_counted;
}

bool InProcessConsole::Refresh() const {
    const LONG before = g_readingsTaken;
    if (!::SetEvent(panelEvent_.get())) return false;
    return driving::WaitUntil([&] { return g_readingsTaken != before; });
}

void InProcessConsole::Close() {
    countHook_.reset();
    readingHook_.reset();
    if (window_) driving::Press(driving::AnyWindow().Within(window_).WithId(IDC_CLOSE).Enabled().Find());
    window_ = nullptr;
    if (thread_ && ::WaitForSingleObject(thread_.get(), driving::kHangLimitMs) != WAIT_OBJECT_0) {
        Fail("the console did not close");
    }
    thread_.reset();
    panelEvent_.reset();
    // A worker of the console still inside a camera call holds a reference
    // of its own to the module.
    module_.reset();
}

}  // namespace bench
