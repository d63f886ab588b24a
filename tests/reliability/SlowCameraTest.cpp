// A standalone console on a camera that answers every call 300 ms late, so
// that each refresh takes its camera worker over two seconds. Asked to close
// while a refresh runs (a close message to its window, or "/quit" from
// another program; with and without the advanced settings dialog open), it
// ends within a second of the request, leaving the refresh to its worker,
// and without starting another: never a fault or a hang.
#include "devices/VirtualCameraStore.h"
#include "reliability/ConsoleProcess.h"
#include "support/DialogDriver.h"
#include "support/Stopwatch.h"
#include "support/TestBedFixture.h"

#include "ResourceIds.h"
#include "dialogs/AdvancedSettingsDialog.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "host/HostCommands.h"

#include <windows.h>

#include <cstdio>
#include <string>

using namespace driving;
using namespace testsupport;
using namespace reliability;

namespace {

// A refresh of this camera is a bind and six answers, over two seconds:
// far more than a close may take.
constexpr DWORD kLatencyMs = 300;

struct CloseCase {
    const char* what;
    CloseBy by;
    bool advancedOpen;
    // Binds the close itself may make: Cancel of the advanced settings
    // dialog asks for what the camera had to be written back (no value
    // changed, so its worker need not bind).
    DWORD closingBinds;
};

const CloseCase kCases[] = {
    {"close message", CloseBy::Message, false, 0},
    {"/quit", CloseBy::QuitLine, false, 0},
    {"close message, advanced settings open", CloseBy::Message, true, 1},
    {"/quit, advanced settings open", CloseBy::QuitLine, true, 1},
};

class SlowCamera : public ConsoleBed {
protected:
    void SetUp() override {
        ConsoleBed::SetUp();
        ASSERT_TRUE(testbed::SetCameraLatency(1, kLatencyMs));
    }

    // Waits until the console's next refresh has bound the camera (it then
    // has its late answers still to wait for); the time it did, or 0.
    double WaitForNextRefresh(HANDLE process) {
        const DWORD before = testbed::ReadBindCounts(1).total;
        bool began = WaitUntil(
            [&] {
                testbed::BindCounts counts = testbed::ReadBindCounts(1);
                return (counts.total > before && counts.now > 0) || ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
            },
            kHangLimitMs);
        return began && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT ? NowMs() : 0;
    }

    void Run(const CloseCase& test) {
        SCOPED_TRACE(test.what);
        HANDLE process = StartProgram(Console(""));
        ASSERT_TRUE(process);
        ++figures_.cases;
        HWND window = WaitForConsoleWindow();
        EXPECT_TRUE(window);
        EXPECT_TRUE(Answers(window)) << "the window never answered between refreshes";
        if (test.advancedOpen) {
            EXPECT_EQ(0, RunProgram("pressbutton.exe \"" + std::string(kTitle) + "\" " + std::to_string(IDC_ADVANCED)));
            EXPECT_TRUE(WaitForTitledWindow(ostrivan::AdvancedSettingsDialog::kTitle, kHangLimitMs));
        }
        // From one refresh's bind to the next, then the close request right
        // after the next bind: a whole refresh is still in progress.
        const double firstBind = WaitForNextRefresh(process);
        const double secondBind = WaitForNextRefresh(process);
        EXPECT_TRUE(firstBind > 0 && secondBind > 0) << "no refresh came";
        const double refresh = secondBind - firstBind;

        const DWORD bindsBefore = testbed::ReadBindCounts(1).total;
        const double requested = NowMs();
        EXPECT_TRUE(RequestClose(window, test.by));
        int code = Finish(process, kHangLimitMs);
        const double closing = NowMs() - requested;
        const DWORD laterBinds = testbed::ReadBindCounts(1).total - bindsBefore;

        Count(code, &figures_);
        EXPECT_EQ(0, code);
        std::printf("  slow camera, %s: one refresh %.0f ms, console ended %.0f ms after the close request\n", test.what,
                    refresh, closing);
        const double limit = kCloseMs + kLoadAllowanceMs;
        const bool late = code != kTimedOut && (closing > limit || laterBinds > test.closingBinds);
        if (late) ++figures_.hangs;
        EXPECT_LE(closing, limit) << "the close waited for the refresh in progress";
        EXPECT_LE(laterBinds, test.closingBinds) << "the console reached the camera again after the close request";
    }

    Figures figures_;
};

TEST_F(SlowCamera, ClosesWithinASecondWhileARefreshIsInProgress) {
    for (const CloseCase& test : kCases) Run(test);
    Report("slow camera", figures_);
}

// A host's DestroyInstance while the integrated console's refresh runs.
TEST_F(SlowCamera, HostsDestroyInstanceEndsTheConsoleWithinASecond) {
    HANDLE host = StartProgram("\"" + ProgramFolder() + "consolehost.exe\"");
    ASSERT_TRUE(host);
    ++figures_.cases;
    const DWORD hostId = ::GetProcessId(host);
    HWND hostWindow = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            hostWindow = AnyWindow().OfProcess(hostId).OfClass(testbed::kConsoleHostClass).EvenHidden().Find();
            return hostWindow != nullptr || ::WaitForSingleObject(host, 0) == WAIT_OBJECT_0;
        },
        kHangLimitMs));
    auto consoleWindow = [&] {
        DWORD_PTR window = 0;
        ::SendMessageTimeoutA(hostWindow, testbed::kHostConsoleWindow, 0, 0, SMTO_NORMAL, kHangLimitMs, &window);
        return reinterpret_cast<HWND>(window);
    };
    HWND console = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (console = consoleWindow()) != nullptr; }, kHangLimitMs));
    EXPECT_TRUE(WaitForNextRefresh(host) > 0) << "no refresh came";

    const double requested = NowMs();
    DWORD_PTR status = 1;
    EXPECT_NE(0, ::SendMessageTimeoutA(hostWindow, testbed::kHostDestroy, 0, 0, SMTO_NORMAL, kHangLimitMs, &status));
    EXPECT_EQ(0u, status);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(console); }, kHangLimitMs));
    const double closing = NowMs() - requested;
    std::printf("  slow camera, host's DestroyInstance: console gone %.0f ms after the request\n", closing);
    const double limit = kCloseMs + kLoadAllowanceMs;
    if (closing > limit) ++figures_.hangs;
    EXPECT_LE(closing, limit) << "the end waited for the refresh in progress";

    ::PostMessageA(hostWindow, WM_CLOSE, 0, 0);
    const int code = Finish(host, kHangLimitMs);
    Count(code, &figures_);
    EXPECT_EQ(0, code);
    Report("slow camera in a host", figures_);
}

}  // namespace
