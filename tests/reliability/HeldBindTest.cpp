// A standalone console whose device-change worker is held inside a camera
// bind, as by a driver that does not answer. Asked to close (a close
// message to its window, or "/quit" from another program) it still ends at
// once, with exit code 0, while the bind is still held; and the camera is
// free once the console has ended.
#include "devices/BindGate.h"
#include "devices/VirtualCameraStore.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "reliability/ConsoleProcess.h"
#include "support/Stopwatch.h"
#include "support/TestBedFixture.h"

#include <windows.h>

#include <dbt.h>

#include <cstdio>

using namespace driving;
using namespace testsupport;
using namespace reliability;

namespace {

constexpr int kCameraIndex = 1;

struct HeldCase {
    const char* what;
    CloseBy by;
};

const HeldCase kCases[] = {
    {"close message", CloseBy::Message},
    {"/quit", CloseBy::QuitLine},
};

bool Running(HANDLE process) { return ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

class HeldBind : public ConsoleBed {
protected:
    void Run(const HeldCase& test) {
        SCOPED_TRACE(test.what);
        ASSERT_TRUE(testbed::SetCameraBehaviour(kCameraIndex, 0));
        testbed::BindGate gate(kCameraIndex);
        ASSERT_TRUE(gate.valid());
        HANDLE process = StartProgram(Console(""));
        ASSERT_TRUE(process);
        ++figures_.cases;
        HWND window = WaitForConsoleWindow();
        EXPECT_TRUE(window);
        // Only now: the window's thread binds while it initialises, before
        // it shows a window, and must not be held.
        EXPECT_TRUE(Answers(window));
        EXPECT_TRUE(testbed::SetCameraBehaviour(kCameraIndex, testbed::kHoldBackgroundBinds));

        EXPECT_TRUE(::PostMessageA(window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0));
        const bool held = WaitUntil(
            [&] { return testbed::ReadBindCounts(kCameraIndex).nowInBackground > 0 || !Running(process); },
            kHangLimitMs);
        EXPECT_TRUE(held && Running(process)) << "the worker never reached the camera";
        EXPECT_TRUE(Answers(window)) << "the window waited for its worker";

        const double requested = NowMs();
        EXPECT_TRUE(RequestClose(window, test.by));
        const int code = Finish(process, kHangLimitMs);
        const double closing = NowMs() - requested;
        const testbed::BindCounts afterwards = testbed::ReadBindCounts(kCameraIndex);
        gate.Open();

        Count(code, &figures_);
        std::printf("  held bind, %s: console ended %.0f ms after the close request\n", test.what, closing);
        EXPECT_EQ(0, code);
        const double limit = kCloseMs + kLoadAllowanceMs;
        if (code != kTimedOut && closing > limit) ++figures_.hangs;
        EXPECT_LE(closing, limit) << "the close waited for the worker inside the driver";
        EXPECT_EQ(0u, afterwards.nowInBackground) << "the camera was still bound after the console ended";
        EXPECT_EQ(0u, afterwards.now);
    }

    Figures figures_;
};

TEST_F(HeldBind, ConsoleEndsAtOnceWhileItsWorkerIsInsideABind) {
    for (const HeldCase& test : kCases) Run(test);
    Report("held bind", figures_);
}

}  // namespace
