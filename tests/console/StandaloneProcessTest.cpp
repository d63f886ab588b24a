// The installed module run by rundll32 in its own process on a virtual
// camera, driven from this process the way other copies drive it.
#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "driving/WindowWaits.h"
#include "settings/SettingsStore.h"
#include "settings/WindowPositionStore.h"
#include "support/TestBedFixture.h"
#include "support/VirtualCameraFixture.h"

#include <shlwapi.h>

#include <string>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

constexpr const char* kTitle = "XC0730 Camera Console";

std::string Console(const std::string& arguments) {
    return "rundll32.exe Ostrivan.dll,ksCVWConsoleRunDLL32EP " + arguments;
}

class StandaloneProcess : public VirtualCameraBed {
protected:
    void SetUp() override {
        VirtualCameraBed::SetUp();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        PlugStandardCamera(1, "XC0730 Web Camera");
        PlugStandardCamera(2, "XC0730 Web Camera #2");
    }
    void TearDown() override {
        if (process_) {
            RunProgram(Console("/quit"));
            if (::WaitForSingleObject(process_, kHangLimitMs) != WAIT_OBJECT_0) ::TerminateProcess(process_, 1);
            ::CloseHandle(process_);
        }
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        VirtualCameraBed::TearDown();
    }
    // Starts a console process and waits for its window, and for the first
    // show of its panel: the view panel opens, and the window's height is
    // fitted to it in the same handler, which the window's thread has left
    // once it answers a message.
    HWND Launch(const std::string& arguments) {
        process_ = StartProgram(Console(arguments));
        HWND window = WaitForWindow(AnyWindow().Titled(kTitle));
        if (!window) return nullptr;
        EXPECT_NE(nullptr, WaitForWindow(AnyWindow().Within(window).WithId(IDC_BRIGHTNESS_SLIDER)))
            << "the panel did not open";
        DWORD_PTR ignored = 0;
        EXPECT_TRUE(::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, kHangLimitMs, &ignored));
        return window;
    }
    bool Ended(DWORD ms) {
        if (!process_ || ::WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) return false;
        ::CloseHandle(process_);
        process_ = nullptr;
        return true;
    }
    static std::string CameraCaption(HWND window) {
        char caption[300] = {};
        ::GetWindowTextA(::GetDlgItem(window, IDC_CAMERA_BUTTON), caption, sizeof(caption));
        return caption;
    }

    HANDLE process_ = nullptr;
};

TEST_F(StandaloneProcess, LaunchShowsTheFirstCameraAndQuitStoresTheRectangle) {
    HWND window = Launch("");
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("   XC0730 Web Camera", CameraCaption(window));

    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(window) != FALSE; }, kHangLimitMs));
    EXPECT_EQ(0, RunProgram(Console("")));
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(window); }, kHangLimitMs)) << "restored by the second launch";
    EXPECT_FALSE(Ended(0));

    // The window's thread has handled everything the restore asked of it.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, kHangLimitMs, &ignored));
    RECT before{};
    ::GetWindowRect(window, &before);
    EXPECT_EQ(0, RunProgram(Console("/quit")));
    ASSERT_TRUE(Ended(kHangLimitMs));
    RECT stored{};
    WindowPositionStore list;
    ASSERT_TRUE(list.LoadWindowPosition(kConsoleKey, &stored));
    EXPECT_EQ(before.left, stored.left);
    EXPECT_EQ(before.top, stored.top);
    EXPECT_EQ(before.right, stored.right);
    EXPECT_EQ(before.bottom, stored.bottom);
}

TEST_F(StandaloneProcess, AutomaticLaunchOpensItsCameraAndClosedEndsIt) {
    HWND window = Launch("XC0730 Web Camera #2");
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("   XC0730 Web Camera #2", CameraCaption(window));
    EXPECT_EQ(0, RunProgram(Console("/closed")));
    EXPECT_TRUE(Ended(kHangLimitMs));
}

TEST_F(StandaloneProcess, ClosedLeavesAConsoleStartedWithStay) {
    HWND window = Launch("/stay XC0730 Web Camera #2");
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(0, RunProgram(Console("/closed")));
    EXPECT_FALSE(Ended(1500));
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_EQ(0, RunProgram(Console("/quit")));
    EXPECT_TRUE(Ended(kHangLimitMs));
}

TEST_F(StandaloneProcess, DeviceListMessagesFromAnotherProgramCannotCrashIt) {
    // A crash then ends the process instead of waiting in the debugger.
    ::SetEnvironmentVariableA("WINEDLLOVERRIDES", "winedbg.exe=d");
    HWND window = Launch("");
    ::SetEnvironmentVariableA("WINEDLLOVERRIDES", nullptr);
    ASSERT_NE(nullptr, window);
    const LPARAM values[] = {1, 2, 0x10, 0x10000, static_cast<LPARAM>(0xDEADBEE0), static_cast<LPARAM>(0x7FFE0000), -1};
    for (LPARAM value : values) {
        ::PostMessageA(window, kMsgDeviceListReady, 0, value);
        DWORD_PTR ignored = 0;  // paced: each one is handled before the next
        ASSERT_TRUE(::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000, &ignored))
            << "no answer after " << value;
    }
    EXPECT_FALSE(Ended(0)) << "the console ended";
    EXPECT_EQ("   XC0730 Web Camera", CameraCaption(window));
    EXPECT_EQ(0, RunProgram(Console("/quit")));
    EXPECT_TRUE(Ended(kHangLimitMs));
}

}  // namespace
