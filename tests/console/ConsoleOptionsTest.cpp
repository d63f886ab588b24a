// The console's options button: the options dialog for the console's camera,
// "AlwaysOnTop" applied to the console after OK, and the dialog closed with
// the console.
#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "driving/WindowWaits.h"
#include "settings/SettingsStore.h"
#include "settings/WindowPositionStore.h"
#include "support/ParentalFixture.h"
#include "support/RunningConsole.h"

#include <shlwapi.h>

#include <atomic>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

constexpr char kOptionsTitle[] = "Options";

// The z-order requests the console's window receives, recorded on its thread.
std::atomic<HWND> g_console{nullptr};
std::atomic<int> g_orderRequests{0};
std::atomic<HWND> g_lastOrder{nullptr};
LRESULT CALLBACK RecordOrder(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_console.load() && sent->message == WM_WINDOWPOSCHANGING) {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(sent->lParam);
        HWND after = position->hwndInsertAfter;
        if (!(position->flags & SWP_NOZORDER) && (after == HWND_TOPMOST || after == HWND_NOTOPMOST)) {
            g_lastOrder = after;
            ++g_orderRequests;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class ConsoleOptions : public ParentalBed {
protected:
    void SetUp() override {
        ParentalBed::SetUp();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
    }
    void TearDown() override {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        ParentalBed::TearDown();
    }
    static bool OnTop(HWND window) { return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    static HWND OpenOptions(RunningConsole& console) {
        PressButton(console.hwnd(), IDC_OPTIONS);
        HWND options = WaitForTitledWindow(kOptionsTitle);
        EXPECT_NE(nullptr, options);
        return options;
    }
};

// The console starts on top from the stored setting; each OK applies the
// option with a z-order request (recorded), Cancel makes none. Dropping off
// the top shows in the window's style. Going back on top is shown by the
// request alone: this Wine does not give WS_EX_TOPMOST to a window that owns
// topmost tool tips (it links the window after its tips without the flag),
// while Windows does, and whether the console's tips exist yet at that step
// depends on when its first showing was painted.
TEST_F(ConsoleOptions, OkAppliesAlwaysOnTopToTheConsoleAndCancelLeavesIt) {
    WindowPositionStore store;
    ASSERT_TRUE(store.SaveWindowPosition(100, 100, 400, 500, kConsoleKey));
    ASSERT_TRUE(WriteSettingNumber(HKEY_CURRENT_USER, "AlwaysOnTop", 1));
    RunningConsole console;
    ASSERT_TRUE(::IsWindow(console.hwnd()));
    ASSERT_TRUE(OnTop(console.hwnd())) << "the stored setting puts the console on top";
    g_console = console.hwnd();
    g_orderRequests = 0;
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordOrder, nullptr,
                                     ::GetWindowThreadProcessId(console.hwnd(), nullptr));
    ASSERT_NE(nullptr, hook);

    const struct {
        int button;
        int requests;
        HWND lastOrder;
        DWORD stored;
    } steps[] = {{IDOK, 1, HWND_NOTOPMOST, 0}, {IDCANCEL, 1, HWND_NOTOPMOST, 0}, {IDOK, 2, HWND_TOPMOST, 1}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.requests);
        HWND options = OpenOptions(console);
        ASSERT_NE(nullptr, options);
        EXPECT_EQ(console.hwnd(), ::GetWindow(options, GW_OWNER));
        EXPECT_FALSE(::IsWindowEnabled(console.hwnd())) << "the options dialog is modal";
        // The dialog reads the lock of the console's camera.
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(options, IDC_LOCK_TOGGLE)));
        PressButton(options, IDC_ALWAYS_ON_TOP);
        PressButton(options, step.button);
        ASSERT_TRUE(WaitUntilGone(options));
        // The count itself is checked below.
        (void)WaitUntil([&] { return g_orderRequests.load() >= step.requests; }, kHangLimitMs);
        console.Sync();
        EXPECT_EQ(step.requests, g_orderRequests.load());
        EXPECT_EQ(step.lastOrder, g_lastOrder.load());
        if (step.stored == 0) {
            EXPECT_FALSE(OnTop(console.hwnd()));
        }
        EXPECT_TRUE(::IsWindowEnabled(console.hwnd()));
        DWORD stored = 7;
        ASSERT_TRUE(ReadSettingNumber(HKEY_CURRENT_USER, "AlwaysOnTop", &stored));
        EXPECT_EQ(step.stored, stored);
    }
    ::UnhookWindowsHookEx(hook);
    g_console = nullptr;
}

TEST_F(ConsoleOptions, ClosingTheConsoleClosesTheOptionsAndTheirPasswordDialog) {
    RunningConsole console;
    HWND options = OpenOptions(console);
    ASSERT_NE(nullptr, options);
    PressButton(options, IDC_LOCK_TOGGLE);
    HWND setPassword = WaitForTitledWindow(Text(IDS_SET_PASSWORD_FIRST_TITLE));
    ASSERT_NE(nullptr, setPassword);
    // As the watcher closes the console for another copy.
    ::PostMessageA(console.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(console.Join(kHangLimitMs));
    EXPECT_FALSE(::IsWindow(setPassword));
    EXPECT_FALSE(::IsWindow(options));
    EXPECT_EQ(0u, LockWrites());
}

}  // namespace
