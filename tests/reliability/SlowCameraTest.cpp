// A standalone console on a camera that answers every call 300 ms late, so
// that each refresh holds the console's thread for seconds. Asked to close
// while a refresh runs (a close message to its window, or "/quit" from
// another program; with and without the advanced settings dialog open), it
// ends once that refresh is over: within a second more, and without
// starting another refresh, never a fault or a hang.
#include "devices/VirtualCameraStore.h"
#include "reliability/ConsoleProcess.h"
#include "support/DialogDriver.h"
#include "support/Stopwatch.h"
#include "support/TestBedFixture.h"

#include "ResourceIds.h"
#include "dialogs/AdvancedSettingsDialog.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"

#include <windows.h>

#include <cstdio>
#include <string>

using namespace driving;
using namespace testsupport;
using namespace reliability;

namespace {

// Another refresh of this camera (a bind and six answers, over two
// seconds) does not fit in the time a close may take after the one in
// progress.
constexpr DWORD kLatencyMs = 300;

struct CloseCase {
    const char* what;
    CloseBy by;
    bool advancedOpen;
    // Binds the close itself may make: Cancel of the advanced settings
    // dialog writes back what the camera had (a channel, no changed value).
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
        // One refresh at most from one bind to the next (the timer asks for
        // the next one before this one is over), then the close request right
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
        const double limit = refresh + kCloseAfterRefreshMs + kLoadAllowanceMs;
        const bool late = code != kTimedOut && (closing > limit || laterBinds > test.closingBinds);
        if (late) ++figures_.hangs;
        EXPECT_LE(closing, limit) << "the close waited for more than the refresh in progress";
        EXPECT_LE(laterBinds, test.closingBinds) << "the console reached the camera again after the close request";
    }

    Figures figures_;
};

TEST_F(SlowCamera, ClosesOnceTheRefreshInProgressIsOver) {
    for (const CloseCase& test : kCases) Run(test);
    Report("slow camera", figures_);
}

}  // namespace
