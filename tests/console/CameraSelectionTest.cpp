// The console's camera menu following cameras plugged and unplugged, with
// device-change notifications delivered as Windows would deliver them.
#include "ResourceIds.h"
#include "camera/CameraDiscovery.h"
#include "console/ConsoleWnd.h"
#include "console/DeviceChangeWorkers.h"
#include "launch/LaunchContextOwner.h"
#include "skin/ResourceLibrary.h"
#include "support/RunningConsole.h"
#include "support/TestBedFixture.h"
#include "support/TestConsole.h"

#include <dbt.h>

#include <memory>
#include <string>
#include <vector>

using namespace ostrivan;
using namespace testsupport;

namespace {

constexpr DWORD kHangLimitMs = 30000;

std::string NoCameraText() { return LoadResourceString(IDS_NO_CAMERA); }

class CameraSelection : public CameraTestBed {};

TEST_F(CameraSelection, NoCameraShowsThePlaceholderAndDisablesTheButton) {
    RunningConsole console;
    console.Sync();
    EXPECT_EQ(std::vector<std::string>{NoCameraText()}, console.Entries());
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(console.hwnd(), IDC_CAMERA_BUTTON)));
    EXPECT_STREQ("", console.window().currentDevice());
    EXPECT_EQ("   " + NoCameraText(), console.Caption());
}

TEST_F(CameraSelection, ArrivingCamerasReplaceThePlaceholder) {
    RunningConsole console;
    AddCamera(1, "Camera A");
    AddCamera(2, "Camera B");
    ASSERT_TRUE(console.NotifyAndWaitFor({"Camera A", "Camera B"})) << "no placeholder may stay behind";
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(console.hwnd(), IDC_CAMERA_BUTTON)));
    EXPECT_STREQ("Camera A", console.window().currentDevice());
    EXPECT_STREQ("Camera A", console.context().selectedDevice);
    EXPECT_EQ("   Camera A", console.Caption());
}

TEST_F(CameraSelection, RemovedSelectedCameraFallsBackToTheFirstEntry) {
    AddCamera(1, "Camera A");
    AddCamera(2, "Camera B");
    RunningConsole console;
    console.Sync();
    ASSERT_EQ((std::vector<std::string>{"Camera A", "Camera B"}), console.Entries());
    ASSERT_STREQ("Camera A", console.window().currentDevice());

    testbed::RemoveImageDevice(InstanceId(1));
    ASSERT_TRUE(console.NotifyAndWaitFor({"Camera B"}));
    EXPECT_STREQ("Camera B", console.window().currentDevice());
    EXPECT_STREQ("Camera B", console.context().selectedDevice);

    testbed::RemoveImageDevice(InstanceId(2));
    ASSERT_TRUE(console.NotifyAndWaitFor({NoCameraText()}));
    EXPECT_STREQ("", console.window().currentDevice());
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(console.hwnd(), IDC_CAMERA_BUTTON)));
}

TEST_F(CameraSelection, PickTakesOverTheCamera) {
    AddCamera(1, "Camera A");
    AddCamera(2, "Camera B");
    RunningConsole console;
    console.Sync();
    console.window().deviceButton().SelectEntry(1);
    ::SendMessageA(console.hwnd(), kMsgCameraPicked, 0, 0);
    EXPECT_STREQ("Camera B", console.window().currentDevice());
    EXPECT_EQ(console.window().currentDevice(), console.context().selectedDevice);
    // The launch's own slots are left as they were.
    EXPECT_STREQ("Camera A", console.context().deviceNames[0]);
}

TEST_F(CameraSelection, LongDescriptionsStayWithinTheirSlots) {
    std::string longName(127, 'x');
    AddCamera(1, longName);
    RunningConsole console;
    console.Sync();
    EXPECT_EQ(longName, std::string(console.window().currentDevice()));
    EXPECT_EQ(longName, std::string(console.context().deviceNames[0]));
    EXPECT_EQ('\0', console.context().deviceNames[1][0]);
}

TEST_F(CameraSelection, BurstOfNotificationsRunsRefreshesOneAtATime) {
    RunningConsole console;
    AddCamera(1, "Camera A");
    for (int i = 0; i < 50; ++i) ::PostMessageA(console.hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    ASSERT_TRUE(console.NotifyAndWaitFor({"Camera A"}));
    EXPECT_EQ(1, DeviceChangeWorkers::PeakConcurrentRefreshes());
}

TEST_F(CameraSelection, ClosingDuringARefreshEndsPromptly) {
    // A camera the device list shows but whose capture device never answers:
    // the refresh keeps retrying to open it.
    AddCamera(1, "Camera without capture device");
    RunningConsole console;
    ::PostMessageA(console.hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    ::PostMessageA(console.hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    ::Sleep(700);  // the first worker is retrying by now, the second waits for it
    DWORD start = ::GetTickCount();
    ::PostMessageA(console.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(console.Join(kHangLimitMs));
    // Far below the ten seconds a worker would otherwise keep retrying.
    EXPECT_LT(::GetTickCount() - start, 5000u);
}

}  // namespace
