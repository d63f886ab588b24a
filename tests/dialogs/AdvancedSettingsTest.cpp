// The advanced settings dialog opened from the running console's view
// panel: live writes, the power-line fallback, Cancel, and the camera going
// away or changing while the dialog is open.
#include "ResourceIds.h"
#include "camera/VendorProperty.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "support/PanelFixture.h"

#include <commctrl.h>

#include <cstring>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;
using testbed::ControlGroup;

namespace {

constexpr LONG kSharpness = 4;
constexpr LONG kBacklight = 8;
constexpr LONG kPowerLine = 13;
constexpr LONG kFallback = 259;  // of the camera-private set

constexpr int kCameraControls[] = {IDC_POWER_LINE_LABEL,  IDC_POWER_LINE_50HZ, IDC_POWER_LINE_60HZ,
                                   IDC_POWER_LINE_OFF,    IDC_SHARPNESS_LABEL, IDC_SHARPNESS_SLIDER,
                                   IDC_BACKLIGHT_LABEL,   IDC_BACKLIGHT_SLIDER, IDC_SLIDER_GROUP_LABEL,
                                   IDC_ADVANCED_DEFAULT, IDOK};

class AdvancedSettings : public PanelBed {
protected:
    // A camera that acts as a real one, with sharpness 9 and backlight 0 (both
    // manual) and power line at 50 Hz.
    void PlugCamera(int index = kCamera, const char* name = kCameraName) {
        PlugRealCamera(index, name);
        Offer(index, ControlGroup::ProcAmp, kSharpness, 0, 15, 1, 7, 9, 2);
        Offer(index, ControlGroup::ProcAmp, kBacklight, 0, 1, 1, 1, 0, 2);
        Offer(index, ControlGroup::ProcAmp, kPowerLine, 0, 2, 1, 1, 1, 2);
    }
    // Ends a dialog that stays open by clicking Cancel, and waits for it.
    void CancelAndWait(HWND dialog) {
        Click(::GetDlgItem(dialog, IDCANCEL));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kHangLimitMs)) << "Cancel did not close it";
    }
    DWORD AllSetCalls(int camera = kCamera) {
        return SetCalls(ControlGroup::ProcAmp, kSharpness, camera) + SetCalls(ControlGroup::ProcAmp, kBacklight, camera) +
               SetCalls(ControlGroup::ProcAmp, kPowerLine, camera) + SetCalls(ControlGroup::Vendor, kFallback, camera);
    }
    static uint32_t FallbackWritten() {
        std::string buffer = testbed::LastBuffer(kCamera, kFallback);
        if (buffer.size() != VendorPropertyBuffer::kSize) return 0xFFFFFFFF;
        uint32_t value = 0;
        std::memcpy(&value, buffer.data() + VendorPropertyBuffer::kValueOffset, sizeof(value));
        return value;
    }
};

TEST_F(AdvancedSettings, OpensWithTheCameraValuesAndWritesEachChangeAtOnce) {
    PlugCamera();
    StartConsole();
    HWND dialog = OpenAdvanced();
    char title[100] = {};
    ::GetWindowTextA(dialog, title, sizeof(title));
    EXPECT_STREQ("Zest! View Advanced Settings", title);
    EXPECT_TRUE(Checked(AdvancedControl(IDC_POWER_LINE_50HZ)));
    EXPECT_EQ(9, Position(AdvancedControl(IDC_SHARPNESS_SLIDER)));
    EXPECT_EQ(0, Position(AdvancedControl(IDC_BACKLIGHT_SLIDER)));
    for (int id : kCameraControls) EXPECT_TRUE(Enabled(AdvancedControl(id))) << id;
    EXPECT_FALSE(Enabled(console().hwnd())) << "the console takes no input under its modal dialog";

    ClickNow(AdvancedControl(IDC_POWER_LINE_60HZ));
    EXPECT_EQ(2, Camera(ControlGroup::ProcAmp, kPowerLine).value);
    EXPECT_TRUE(Checked(AdvancedControl(IDC_POWER_LINE_60HZ)));
    EXPECT_FALSE(Checked(AdvancedControl(IDC_POWER_LINE_50HZ)));
    PressKey(AdvancedControl(IDC_SHARPNESS_SLIDER), VK_RIGHT);
    EXPECT_EQ(10, Camera(ControlGroup::ProcAmp, kSharpness).value);
    EXPECT_EQ(1u, SetCalls(ControlGroup::ProcAmp, kSharpness));
    EXPECT_EQ(0u, SetCalls(ControlGroup::ProcAmp, kBacklight));

    Click(AdvancedControl(IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kHangLimitMs));
    console().Sync();
    EXPECT_EQ(2, Camera(ControlGroup::ProcAmp, kPowerLine).value) << "OK keeps the changes";
    EXPECT_EQ(10, Camera(ControlGroup::ProcAmp, kSharpness).value);
    EXPECT_EQ(2u, AllSetCalls());
}

TEST_F(AdvancedSettings, FallbackCameraShowsSixtyHertzAndOffWritesOneAtByte28) {
    PlugRealCamera(kCamera, kCameraName, testbed::CameraPreset::PowerLineFallback);
    StartConsole();
    OpenAdvanced();
    EXPECT_TRUE(Checked(AdvancedControl(IDC_POWER_LINE_60HZ)));
    EXPECT_FALSE(Checked(AdvancedControl(IDC_POWER_LINE_50HZ)) || Checked(AdvancedControl(IDC_POWER_LINE_OFF)));

    ClickNow(AdvancedControl(IDC_POWER_LINE_OFF));
    EXPECT_EQ(1u, SetCalls(ControlGroup::Vendor, kFallback));
    EXPECT_EQ(1u, FallbackWritten());
    ClickNow(AdvancedControl(IDC_POWER_LINE_50HZ));
    EXPECT_EQ(2u, FallbackWritten());
    EXPECT_EQ(2, Camera(ControlGroup::Vendor, kFallback).value);
    ClickNow(AdvancedControl(IDC_POWER_LINE_50HZ));
    EXPECT_EQ(2u, SetCalls(ControlGroup::Vendor, kFallback)) << "the same choice again writes nothing";
}

TEST_F(AdvancedSettings, CameraChoosingPowerLineItselfMarksNoButton) {
    PlugRealCamera(kCamera, kCameraName);  // its power line holds 3, automatic
    StartConsole();
    OpenAdvanced();
    EXPECT_TRUE(Enabled(AdvancedControl(IDC_POWER_LINE_50HZ)));
    for (int id : {IDC_POWER_LINE_50HZ, IDC_POWER_LINE_60HZ, IDC_POWER_LINE_OFF}) {
        EXPECT_FALSE(Checked(AdvancedControl(id))) << id;
    }
    EXPECT_EQ(0u, AllSetCalls());
}

TEST_F(AdvancedSettings, CancelWritesBackExactlyTheOpeningValuesAndModes) {
    PlugCamera();
    Offer(kCamera, ControlGroup::ProcAmp, kSharpness, 0, 15, 1, 7, 9, 1);  // automatic at opening
    StartConsole();
    HWND dialog = OpenAdvanced();
    ClickNow(AdvancedControl(IDC_POWER_LINE_OFF));
    PressKey(AdvancedControl(IDC_BACKLIGHT_SLIDER), VK_RIGHT);
    ASSERT_EQ(1, Camera(ControlGroup::ProcAmp, kBacklight).value);
    // Another program takes sharpness to manual, and the dialog shows it.
    AnotherProgramSets(ControlGroup::ProcAmp, kSharpness, 12, 2);
    Tick(dialog);
    ASSERT_EQ(12, Position(AdvancedControl(IDC_SHARPNESS_SLIDER)));
    ClickNow(AdvancedControl(IDC_ADVANCED_DEFAULT));
    ASSERT_EQ(7, Camera(ControlGroup::ProcAmp, kSharpness).value);

    CancelAndWait(dialog);
    EXPECT_EQ(1, Camera(ControlGroup::ProcAmp, kSharpness).flags) << "the automatic mode comes back too";
    EXPECT_EQ(9, Reported(ControlGroup::ProcAmp, kSharpness));
    testbed::ControlState backlight = Camera(ControlGroup::ProcAmp, kBacklight);
    EXPECT_EQ(0, backlight.value);
    EXPECT_EQ(2, backlight.flags);
    EXPECT_EQ(1, Camera(ControlGroup::ProcAmp, kPowerLine).value);
}

TEST_F(AdvancedSettings, CancelLeavesARecordThatWasInvalidAtOpeningAlone) {
    PlugCamera();
    testbed::SetControlFailures(kCamera, ControlGroup::ProcAmp, kSharpness, testbed::kFailGet);
    StartConsole();
    HWND dialog = OpenAdvanced();
    EXPECT_FALSE(Enabled(AdvancedControl(IDC_SHARPNESS_SLIDER)));
    EXPECT_TRUE(Enabled(AdvancedControl(IDC_BACKLIGHT_SLIDER)));
    // The camera answers again; the user changes backlight only.
    testbed::SetControlFailures(kCamera, ControlGroup::ProcAmp, kSharpness, 0);
    Tick(dialog);
    EXPECT_TRUE(Enabled(AdvancedControl(IDC_SHARPNESS_SLIDER)));
    PressKey(AdvancedControl(IDC_BACKLIGHT_SLIDER), VK_RIGHT);

    CancelAndWait(dialog);
    EXPECT_EQ(0u, SetCalls(ControlGroup::ProcAmp, kSharpness)) << "nothing read at opening, nothing to restore";
    EXPECT_EQ(9, Camera(ControlGroup::ProcAmp, kSharpness).value);
    EXPECT_EQ(0, Camera(ControlGroup::ProcAmp, kBacklight).value);
}

TEST_F(AdvancedSettings, DefaultWithOnlySharpnessLeavesBacklightDisabled) {
    PlugCamera();
    testbed::WithdrawControl(kCamera, ControlGroup::ProcAmp, kBacklight);
    StartConsole();
    OpenAdvanced();
    EXPECT_FALSE(Enabled(AdvancedControl(IDC_BACKLIGHT_SLIDER)));
    ClickNow(AdvancedControl(IDC_ADVANCED_DEFAULT));
    EXPECT_EQ(7, Camera(ControlGroup::ProcAmp, kSharpness).value);
    EXPECT_EQ(7, Position(AdvancedControl(IDC_SHARPNESS_SLIDER)));
    EXPECT_FALSE(Enabled(AdvancedControl(IDC_BACKLIGHT_SLIDER)));
    EXPECT_FALSE(Enabled(AdvancedControl(IDC_BACKLIGHT_LABEL)));
}

TEST_F(AdvancedSettings, UnplugLeavesOnlyCancelAndPluggingBackEnablesAgain) {
    PlugCamera();
    StartConsole();
    HWND dialog = OpenAdvanced();
    ToolCommand("unplug 1");
    Tick(dialog);
    for (int id : kCameraControls) EXPECT_FALSE(Enabled(AdvancedControl(id))) << id;
    EXPECT_TRUE(Enabled(AdvancedControl(IDCANCEL)));

    ToolCommand("plug 1");
    EXPECT_TRUE(WaitUntil([&] { return Enabled(AdvancedControl(IDOK)); }, kHangLimitMs));
    Settle();
    EXPECT_TRUE(Enabled(AdvancedControl(IDC_SHARPNESS_SLIDER)));
    EXPECT_TRUE(Enabled(AdvancedControl(IDC_POWER_LINE_60HZ)));
    CancelAndWait(dialog);
    EXPECT_EQ(0u, AllSetCalls()) << "nothing changed, nothing written back";
}

TEST_F(AdvancedSettings, SwitchingCamerasWhileOpenNeverWritesTheFirstCamerasValuesIntoTheSecond) {
    PlugCamera(1, "Camera A");
    PlugCamera(2, "Camera B");
    Offer(2, ControlGroup::ProcAmp, kSharpness, 0, 15, 1, 7, 3, 2);
    StartConsole();
    HWND dialog = OpenAdvanced();
    ASSERT_EQ(9, Position(AdvancedControl(IDC_SHARPNESS_SLIDER)));
    PressKey(AdvancedControl(IDC_SHARPNESS_SLIDER), VK_RIGHT);  // A: 10

    console().window().deviceButtonForTesting().SelectEntry(1);
    ::SendMessageA(console().hwnd(), kMsgCameraPicked, 0, 0);
    Settle();
    EXPECT_STREQ("Camera B", panel().advancedDialogForTesting().deviceNameForTesting());
    EXPECT_EQ(3, Position(AdvancedControl(IDC_SHARPNESS_SLIDER)));
    EXPECT_EQ(0u, AllSetCalls(2)) << "the switch itself writes nothing";

    CancelAndWait(dialog);
    EXPECT_EQ(3, Camera(ControlGroup::ProcAmp, kSharpness, 2).value);
    EXPECT_EQ(0u, AllSetCalls(2)) << "B's opening values are its own";
    EXPECT_EQ(10, Camera(ControlGroup::ProcAmp, kSharpness, 1).value) << "A is no longer the dialog's camera";
}

TEST_F(AdvancedSettings, EveryShowingListensToItsNamedEvent) {
    PlugCamera();
    StartConsole();
    for (int showing = 1; showing <= 3; ++showing) {
        HWND dialog = OpenAdvanced();
        CameraNowHolds(ControlGroup::ProcAmp, kSharpness, showing);
        SignalNamedEvent("XC0730 Standalone Console Event Zest! View Advanced Settings");
        EXPECT_TRUE(WaitUntil([&] { return Position(AdvancedControl(IDC_SHARPNESS_SLIDER)) == showing; },
                              kHangLimitMs))
            << "showing " << showing;
        CancelAndWait(dialog);
    }
}

TEST_F(AdvancedSettings, ClosingTheConsoleClosesTheDialogWithCancel) {
    PlugCamera();
    StartConsole();
    HWND dialog = OpenAdvanced();
    PressKey(AdvancedControl(IDC_SHARPNESS_SLIDER), VK_LEFT);
    ASSERT_EQ(8, Camera(ControlGroup::ProcAmp, kSharpness).value);
    ::PostMessageA(console().hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(console().Join(kHangLimitMs)) << "the console ends although its dialog was open";
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(9, Camera(ControlGroup::ProcAmp, kSharpness).value) << "the dialog was cancelled";
}

}  // namespace
