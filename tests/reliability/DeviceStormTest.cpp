// A standalone console process under bursts of device notifications and
// plug and unplug storms, closed in the middle of them: it ends in time,
// without a fault, and on the camera that stayed.
#include "ResourceIds.h"
#include "devices/VirtualCameras.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "reliability/ConsoleProcess.h"
#include "settings/SettingsStore.h"
#include "support/TestBedFixture.h"
#include "support/VirtualCameraFixture.h"

#include <windows.h>

#include <dbt.h>
#include <shlwapi.h>

#include <atomic>
#include <cstdio>
#include <string>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;
using namespace reliability;

namespace {

constexpr const char* kFirst = kCamera;
constexpr const char* kSecond = "XC0730 Web Camera #2";
constexpr int kBurst = 100;
constexpr int kStormCycles = 15;

std::string CameraCaption(HWND window) {
    char caption[300] = {};
    ::GetWindowTextA(::GetDlgItem(window, IDC_CAMERA_BUTTON), caption, sizeof(caption));
    // The button shows its camera after a few blanks.
    std::string text = caption;
    return text.substr(text.find_first_not_of(' ') == std::string::npos ? text.size() : text.find_first_not_of(' '));
}

void Burst(HWND window) {
    for (int i = 0; i < kBurst; ++i) ::PostMessageA(window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
}

class DeviceStorm : public ConsoleBed {
protected:
    void SetUp() override {
        ConsoleBed::SetUp();
        PlugStandardCamera(2, kSecond);
    }
    void TearDown() override {
        if (process_) EndConsole();
        ConsoleBed::TearDown();
    }
    HWND Launch() {
        process_ = StartProgram(Console(""));
        return WaitForConsoleWindow();
    }
    // "/quit", then the process must end by itself: counted as a hang or a
    // crash when it does not.
    void EndConsole() {
        RunProgram(Console("/quit"));
        Count(Finish(process_, kHangLimitMs), &figures_);
        process_ = nullptr;
    }

    HANDLE process_ = nullptr;
    Figures figures_;
};

// Plug and unplug the selected camera over and over, with bursts between:
// the console follows to the camera that stays.
TEST_F(DeviceStorm, StormsAndBurstsEndOnTheCameraThatStays) {
    HWND window = Launch();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitUntil([&] { return CameraCaption(window) == kFirst; }, kHangLimitMs));

    for (int cycle = 0; cycle < kStormCycles; ++cycle) {
        EXPECT_TRUE(testbed::UnplugVirtualCamera(1));
        if (cycle % 5 == 0) Burst(window);
        EXPECT_TRUE(testbed::PlugVirtualCamera(1));
        figures_.cases += 2;
    }
    EXPECT_TRUE(testbed::UnplugVirtualCamera(1));
    Burst(window);
    figures_.cases += 1 + kBurst;

    bool followed = WaitUntil([&] { return CameraCaption(window) == kSecond; }, kHangLimitMs);
    EXPECT_TRUE(followed) << CameraCaption(window);
    EXPECT_TRUE(Answers(window));
    if (!followed) ++figures_.lost;
    EndConsole();
    Report("device changes", figures_);
}

// Closed while a burst of notifications is still being worked through.
TEST_F(DeviceStorm, ClosedInTheMiddleOfABurst) {
    for (int round = 0; round < 3; ++round) {
        HWND window = Launch();
        ASSERT_NE(nullptr, window);
        Burst(window);
        figures_.cases += kBurst;
        EndConsole();
    }
    Report("device changes", figures_);
}

// Closed while another thread plugs and unplugs the cameras.
TEST_F(DeviceStorm, ClosedInTheMiddleOfAPlugStorm) {
    ASSERT_NE(nullptr, Launch());
    std::atomic<bool> stop{false};
    std::atomic<long> acts{0};
    struct Storm {
        std::atomic<bool>* stop;
        std::atomic<long>* acts;
        static DWORD WINAPI Main(void* self) {
            auto* storm = static_cast<Storm*>(self);
            for (int index = 1; !storm->stop->load(); index = 3 - index) {
                testbed::UnplugVirtualCamera(index);
                testbed::PlugVirtualCamera(index);
                *storm->acts += 2;
            }
            return 0;
        }
    } storm{&stop, &acts};
    HANDLE thread = ::CreateThread(nullptr, 0, Storm::Main, &storm, 0, nullptr);
    ASSERT_TRUE(thread);
    EXPECT_TRUE(WaitUntil([&] { return acts.load() >= 6; }, kHangLimitMs)) << "the storm did not begin";
    EndConsole();
    stop = true;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, kHangLimitMs));
    ::CloseHandle(thread);
    figures_.cases += acts.load();
    Report("device changes", figures_);
}

}  // namespace
