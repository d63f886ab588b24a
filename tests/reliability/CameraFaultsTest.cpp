// A standalone console on cameras that fail: every call refused, a camera
// listed by the device database whose capture device cannot be bound, and
// one that goes away in the middle of a refresh. The console shows, answers,
// lives through device notifications and ends on "/quit" in the middle of
// the retries, within a second (failing answers come at once, so no refresh
// holds the close up, and the retries must not), never a fault or a hang.
#include "devices/VirtualCameraStore.h"
#include "driving/HangLimit.h"
#include "reliability/ConsoleProcess.h"
#include "support/Stopwatch.h"
#include "support/TestBedFixture.h"

#include <windows.h>

#include <dbt.h>

#include <string>

using namespace driving;
using namespace testsupport;
using namespace reliability;

namespace {

constexpr const char* kUnbindable = "XC0730 Web Camera #3";

class CameraFaults : public ConsoleBed {
protected:
    // Starts a console with the command line, notifies a device change and
    // closes it while the worker still retries; counts the outcome.
    void RunAndClose(const std::string& arguments) {
        HANDLE process = StartProgram(Console(arguments));
        ASSERT_TRUE(process);
        ++figures_.cases;
        HWND window = WaitForConsoleWindow();
        EXPECT_TRUE(window);
        EXPECT_TRUE(Answers(window));
        if (window) ::PostMessageA(window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
        EXPECT_TRUE(Answers(window));
        const double requested = NowMs();
        RunProgram(Console("/quit"));
        int code = Finish(process, kHangLimitMs);
        const double closing = NowMs() - requested;
        Count(code, &figures_);
        EXPECT_EQ(0, code);
        const double limit = kCloseMs + kLoadAllowanceMs;
        if (code != kTimedOut && closing > limit) ++figures_.hangs;
        EXPECT_LE(closing, limit) << "the close waited";
    }
    Figures figures_;
};

TEST_F(CameraFaults, CameraThatFailsEveryCall) {
    testbed::VirtualCameraSpec camera;
    ASSERT_TRUE(testbed::ReadVirtualCamera(1, &camera));
    camera.failures = testbed::kFailEnumPins | testbed::kFailNextPin;
    ASSERT_TRUE(testbed::WriteVirtualCamera(1, camera));
    // Every property the camera offers refuses its range, reads and writes.
    int failing = 0;
    for (auto group : {testbed::ControlGroup::CameraControl, testbed::ControlGroup::ProcAmp}) {
        for (LONG id = 0; id < 32; ++id) {
            testbed::ControlState state;
            if (!testbed::ReadControl(1, group, id, &state)) continue;
            failing += testbed::SetControlFailures(
                1, group, id, testbed::kFailRange | testbed::kFailGet | testbed::kFailSet);
        }
    }
    ASSERT_GT(failing, 0);
    RunAndClose("");
    Report("failing camera", figures_);
}

TEST_F(CameraFaults, CameraListedButNotBindable) {
    // In the device database with a loaded driver, but no capture device.
    AddCamera(3, kUnbindable);
    RunAndClose(std::string("/stay ") + kUnbindable);
    Report("camera gone before the bind", figures_);
}

TEST_F(CameraFaults, CameraGoneInTheMiddleOfARefresh) {
    ASSERT_TRUE(testbed::SetControlFailures(1, testbed::ControlGroup::ProcAmp, 0, testbed::kUnplugAtCall));
    RunAndClose("");
    EXPECT_FALSE(testbed::IsCameraPlugged(1)) << "the console's refresh never reached the camera";
    Report("camera gone in a refresh", figures_);
}

}  // namespace
