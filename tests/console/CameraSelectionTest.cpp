// The console's camera menu following cameras plugged and unplugged by the
// test bed's tool in another process, as Windows delivers the change to
// every top-level window; and the console's answer to a burst of changes.
#include "ResourceIds.h"
#include "camera/CameraDiscovery.h"
#include "console/ConsoleWnd.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "launch/LaunchContextOwner.h"
#include "skin/ResourceLibrary.h"
#include "support/FullQueue.h"
#include "support/RunningConsole.h"
#include "support/ThreadCount.h"
#include "support/VirtualCameraFixture.h"

#include <dbt.h>

#include <memory>
#include <string>
#include <vector>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

std::string NoCameraText() { return LoadResourceString(IDS_NO_CAMERA); }

int TestBedTool(const std::string& arguments) {
    return RunProgram("\"" + ProgramFolder() + "camtestbed.exe\" " + arguments);
}

testbed::BindCounts Binds(int camera) { return testbed::ReadBindCounts(camera); }

class CameraSelection : public VirtualCameraBed {
protected:
    // Defines a camera and plugs it from another process.
    static void Plug(int index, const std::string& description) {
        ASSERT_TRUE(testbed::DefineStandardCamera(index, description));
        ASSERT_EQ(0, TestBedTool("plug " + std::to_string(index)));
    }
    static void Unplug(int index) { ASSERT_EQ(0, TestBedTool("unplug " + std::to_string(index))); }
    // A camera whose capture device is found but cannot be opened.
    static void MakeUnopenable(int index, bool unopenable) {
        testbed::VirtualCameraSpec camera;
        ASSERT_TRUE(testbed::ReadVirtualCamera(index, &camera));
        camera.failures = unopenable ? DWORD{testbed::kFailEnumPins} : DWORD{0};
        ASSERT_TRUE(testbed::WriteVirtualCamera(index, camera));
    }
};

TEST_F(CameraSelection, NoCameraShowsThePlaceholderAndDisablesTheButton) {
    RunningConsole console;
    console.Sync();
    EXPECT_EQ(std::vector<std::string>{NoCameraText()}, console.Entries());
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(console.hwnd(), IDC_CAMERA_BUTTON)));
    EXPECT_STREQ("", console.window().currentDeviceForTesting());
    EXPECT_EQ("   " + NoCameraText(), console.Caption());
}

TEST_F(CameraSelection, ArrivingCamerasReplaceThePlaceholder) {
    RunningConsole console;
    Plug(1, "Camera A");
    ASSERT_TRUE(console.WaitForEntries({"Camera A"})) << "no placeholder may stay behind";
    Plug(2, "Camera B");
    ASSERT_TRUE(console.WaitForEntries({"Camera A", "Camera B"}));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(console.hwnd(), IDC_CAMERA_BUTTON)));
    EXPECT_STREQ("Camera A", console.window().currentDeviceForTesting());
    EXPECT_STREQ("Camera A", console.context().selectedDevice);
    EXPECT_EQ("   Camera A", console.Caption());
}

TEST_F(CameraSelection, RemovedSelectedCameraFallsBackToTheFirstEntry) {
    Plug(1, "Camera A");
    Plug(2, "Camera B");
    RunningConsole console;
    console.Sync();
    ASSERT_EQ((std::vector<std::string>{"Camera A", "Camera B"}), console.Entries());
    ASSERT_STREQ("Camera A", console.window().currentDeviceForTesting());

    Unplug(1);
    ASSERT_TRUE(console.WaitForEntries({"Camera B"}));
    EXPECT_STREQ("Camera B", console.window().currentDeviceForTesting());
    EXPECT_STREQ("Camera B", console.context().selectedDevice);

    Unplug(2);
    ASSERT_TRUE(console.WaitForEntries({NoCameraText()}));
    EXPECT_STREQ("", console.window().currentDeviceForTesting());
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(console.hwnd(), IDC_CAMERA_BUTTON)));
}

TEST_F(CameraSelection, CurrentCameraStaysWhenAnotherOneGoes) {
    Plug(1, "Camera A");
    Plug(2, "Camera B");
    Plug(3, "Camera C");
    RunningConsole console;
    console.Sync();
    ASSERT_EQ((std::vector<std::string>{"Camera A", "Camera B", "Camera C"}), console.Entries());
    console.window().deviceButtonForTesting().SelectEntry(2);
    ::SendMessageA(console.hwnd(), kMsgCameraPicked, 0, 0);
    ASSERT_STREQ("Camera C", console.window().currentDeviceForTesting());

    Unplug(1);
    ASSERT_TRUE(console.WaitForEntries({"Camera B", "Camera C"}));
    EXPECT_STREQ("Camera C", console.window().currentDeviceForTesting()) << "the user's camera is still there";
    EXPECT_STREQ("Camera C", console.context().selectedDevice);
    EXPECT_EQ("   Camera C", console.Caption());
    EXPECT_EQ(1, console.window().deviceButtonForTesting().GetSelectedIndex());
}

TEST_F(CameraSelection, PickTakesOverTheCamera) {
    Plug(1, "Camera A");
    Plug(2, "Camera B");
    RunningConsole console;
    console.Sync();
    console.window().deviceButtonForTesting().SelectEntry(1);
    ::SendMessageA(console.hwnd(), kMsgCameraPicked, 0, 0);
    EXPECT_STREQ("Camera B", console.window().currentDeviceForTesting());
    EXPECT_EQ(console.window().currentDeviceForTesting(), console.context().selectedDevice);
    // The launch's own slots are left as they were.
    EXPECT_STREQ("Camera A", console.context().deviceNames[0]);
}

TEST_F(CameraSelection, LongDescriptionsStayWithinTheirSlots) {
    std::string longName(127, 'x');
    AddCamera(1, longName);
    RunningConsole console;
    console.Sync();
    EXPECT_EQ(longName, std::string(console.window().currentDeviceForTesting()));
    EXPECT_EQ(longName, std::string(console.context().deviceNames[0]));
    EXPECT_EQ('\0', console.context().deviceNames[1][0]);
}

TEST_F(CameraSelection, PickFromAMenuRebuiltWhileOpenIsIgnored) {
    Plug(1, "Camera A");
    Plug(2, "Camera B");
    Plug(3, "Camera C");
    RunningConsole console;
    console.Sync();
    HWND button = ::GetDlgItem(console.hwnd(), IDC_CAMERA_BUTTON);
    // The user opens the menu and highlights "Camera B"; the current camera
    // goes meanwhile, so the rows move up; then the user presses Enter on
    // the row as it was.
    ::PostMessageA(console.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_CAMERA_BUTTON, BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    ASSERT_TRUE(WaitUntil([&] { return console.MenuOpen(); }, kHangLimitMs));
    ::PostMessageA(button, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(button, WM_KEYDOWN, VK_DOWN, 0);
    console.Sync();
    Unplug(1);
    ASSERT_TRUE(console.WaitForEntries({"Camera B", "Camera C"}));
    ASSERT_STREQ("Camera B", console.window().currentDeviceForTesting());
    ASSERT_TRUE(console.MenuOpen());
    ::PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitUntil([&] { return !console.MenuOpen(); }, kHangLimitMs));
    console.Sync();
    EXPECT_STREQ("Camera B", console.window().currentDeviceForTesting()) << "a row the user never chose was taken";
    EXPECT_STREQ("Camera B", console.context().selectedDevice);
    EXPECT_EQ("   Camera B", console.Caption());
}

TEST_F(CameraSelection, ForgedDeviceListMessagesAreIgnored) {
    Plug(1, "Camera A");
    RunningConsole console;
    console.Sync();
    // What another program on the desktop might post under that number.
    static char fake[64] = "DEVI";
    const LPARAM values[] = {0, 1, 2, 0x10, static_cast<LPARAM>(0xDEADBEE0), reinterpret_cast<LPARAM>(fake)};
    for (LPARAM value : values) {
        ::PostMessageA(console.hwnd(), kMsgDeviceListReady, 0, value);
        console.Sync();
    }
    EXPECT_TRUE(::IsWindow(console.hwnd()));
    EXPECT_EQ(std::vector<std::string>{"Camera A"}, console.Entries());
    EXPECT_STREQ("Camera A", console.window().currentDeviceForTesting());
    // The console still follows real changes.
    Plug(2, "Camera B");
    EXPECT_TRUE(console.WaitForEntries({"Camera A", "Camera B"}));
}

TEST_F(CameraSelection, ForgedListMessagesAfterAFailedHandOverChangeNothing) {
    Plug(1, "Camera A");
    RunningConsole console;
    console.Sync();
    LPARAM id = 0;
    {
        // The next worker waits for its turn while "Camera B" arrives.
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(console.context().deviceChangeMutex, kHangLimitMs));
        HeldMutex turn(console.context().deviceChangeMutex);
        Plug(2, "Camera B");
        console.Sync();

        FullQueue full(console.hwnd(), kMsgDeviceListReady);
        ASSERT_TRUE(full.active());
        turn.reset();
        ASSERT_TRUE(full.WaitForRefusal(kHangLimitMs, &id)) << "the worker never handed its list over";
        ASSERT_TRUE(full.WaitUntilStopped(kHangLimitMs));
        // The worker lives on, its hand-over failed: messages under any number
        // it could have used, sent since the queue takes no more.
        for (LPARAM forged : {id, id + 1, id - 1, LPARAM{0}}) {
            ::SendMessageA(console.hwnd(), kMsgDeviceListReady, 0, forged);
        }
        EXPECT_EQ(std::vector<std::string>{"Camera A"}, console.Entries()) << "a list that was never handed over was taken";
        EXPECT_STREQ("Camera A", console.window().currentDeviceForTesting());
    }
    // The queue takes posts again: the next change is followed.
    EXPECT_TRUE(console.NotifyAndWaitFor({"Camera A", "Camera B"}));
}

TEST_F(CameraSelection, BurstWhileTheCameraCannotBeOpenedKeepsOneWorkerRunningAndOneWaiting) {
    Plug(1, "Camera A");
    MakeUnopenable(1, true);
    RunningConsole console;
    console.Sync();
    ::PostMessageA(console.hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    // The first worker is retrying to open the camera.
    ASSERT_TRUE(WaitUntil([] { return Binds(1).total >= 2; }, kHangLimitMs));
    int threadsWhileRetrying = ThreadCount();
    for (int i = 0; i < 50; ++i) ::PostMessageA(console.hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    console.Sync();
    EXPECT_LE(ThreadCount(), threadsWhileRetrying + 1) << "one more worker waits, no more";

    // A camera that arrives meanwhile is found by the waiting worker, and the
    // camera can be opened again: the retrying worker succeeds.
    ASSERT_TRUE(testbed::DefineStandardCamera(2, "Camera B"));
    ASSERT_TRUE(testbed::PlugVirtualCamera(2));
    MakeUnopenable(1, false);
    EXPECT_TRUE(console.WaitForEntries({"Camera A", "Camera B"}));
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() < threadsWhileRetrying; }, kHangLimitMs))
        << "every worker ends";
    // Background binds are the device-change workers' and the view panel's
    // camera worker's (which reads the camera published): one of each at most.
    EXPECT_LE(Binds(1).mostInBackground, 2u) << "the refreshes ran one at a time";
}

TEST_F(CameraSelection, BurstOfNotificationsRunsRefreshesOneAtATime) {
    Plug(1, "Camera A");
    RunningConsole console;
    console.Sync();
    for (int i = 0; i < 50; ++i) ::PostMessageA(console.hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    Plug(2, "Camera B");
    ASSERT_TRUE(console.WaitForEntries({"Camera A", "Camera B"}));
    EXPECT_TRUE(WaitUntil([] { return Binds(1).total >= 1 && Binds(1).now == 0; }, kHangLimitMs));
    // As above: a device-change worker and the view panel's camera worker.
    EXPECT_GE(Binds(1).mostInBackground, 1u);
    EXPECT_LE(Binds(1).mostInBackground, 2u) << "two refreshes had the camera open at once";
}

TEST_F(CameraSelection, ClosingDuringARefreshEndsPromptly) {
    Plug(1, "Camera A");
    MakeUnopenable(1, true);
    RunningConsole console;
    ::PostMessageA(console.hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    ::PostMessageA(console.hwnd(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    // The first worker is retrying by now, the second waits for it.
    ASSERT_TRUE(WaitUntil([] { return Binds(1).total >= 2; }, kHangLimitMs));
    DWORD start = ::GetTickCount();
    ::PostMessageA(console.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(console.Join(kHangLimitMs));
    // Far below the ten seconds a worker would otherwise keep retrying.
    EXPECT_LT(::GetTickCount() - start, 5000u);
}

}  // namespace
