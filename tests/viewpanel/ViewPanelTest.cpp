// The view panel in the running console: sliders and buttons write the
// camera at once, refreshes show what the camera holds, whatever changed it.
#include "ResourceIds.h"
#include "base/UniqueHandle.h"
#include "driving/HangLimit.h"
#include "driving/Pump.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "framework/MessageLoop.h"
#include "skin/ResourceLibrary.h"
#include "support/PanelFixture.h"

#include <commctrl.h>

#include <initializer_list>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;
using testbed::ControlGroup;

namespace {

constexpr LONG kExposure = 4;    // camera control
constexpr LONG kBrightness = 0;  // picture control
constexpr LONG kContrast = 1;    // picture control

constexpr int kAllControls[] = {IDC_AUTO_EXPOSURE,    IDC_EXPOSURE_LABEL,    IDC_EXPOSURE_RULE,  IDC_EXPOSURE_SLIDER,
                                IDC_BRIGHTNESS_LABEL, IDC_BRIGHTNESS_SLIDER, IDC_CONTRAST_LABEL, IDC_CONTRAST_SLIDER,
                                IDC_ADVANCED,         IDC_DEFAULT};

class ViewPanel : public PanelBed {
protected:
    // A camera that acts as a real one, with brightness on steps of 4 and
    // exposure automatic.
    void PlugCamera() {
        PlugRealCamera(kCamera, kCameraName);
        Offer(kCamera, ControlGroup::ProcAmp, kBrightness, 0, 40, 4, 20, 8, 2);
        Offer(kCamera, ControlGroup::ProcAmp, kContrast, 0, 100, 1, 50, 60, 2);
        Offer(kCamera, ControlGroup::CameraControl, kExposure, -13, -1, 1, -6, -7, 1);
    }
    int EnabledCount() {
        int count = 0;
        for (int id : kAllControls) count += Enabled(PanelControl(id)) ? 1 : 0;
        return count;
    }
    DWORD AllSetCalls() {
        return SetCalls(ControlGroup::ProcAmp, kBrightness) + SetCalls(ControlGroup::ProcAmp, kContrast) +
               SetCalls(ControlGroup::CameraControl, kExposure);
    }
};

TEST_F(ViewPanel, OpensWithTheCameraValuesAndItsAutomaticExposure) {
    PlugCamera();
    StartConsole();
    EXPECT_STREQ(kCameraName, panel().deviceNameForTesting());
    EXPECT_EQ(8, Position(PanelControl(IDC_BRIGHTNESS_SLIDER)));
    EXPECT_EQ(60, Position(PanelControl(IDC_CONTRAST_SLIDER)));
    EXPECT_EQ(-7, Position(PanelControl(IDC_EXPOSURE_SLIDER)));
    EXPECT_EQ(4, ::SendMessageA(PanelControl(IDC_BRIGHTNESS_SLIDER), TBM_GETLINESIZE, 0, 0));
    EXPECT_EQ(4, ::SendMessageA(PanelControl(IDC_BRIGHTNESS_SLIDER), TBM_GETPAGESIZE, 0, 0));
    EXPECT_EQ(-13, ::SendMessageA(PanelControl(IDC_EXPOSURE_SLIDER), TBM_GETRANGEMIN, 0, 0));
    EXPECT_TRUE(Checked(PanelControl(IDC_AUTO_EXPOSURE)));
    EXPECT_FALSE(Enabled(PanelControl(IDC_EXPOSURE_SLIDER))) << "automatic exposure leaves the slider to the camera";
    for (int id : {IDC_AUTO_EXPOSURE, IDC_BRIGHTNESS_SLIDER, IDC_CONTRAST_SLIDER, IDC_ADVANCED, IDC_DEFAULT}) {
        EXPECT_TRUE(Enabled(PanelControl(id))) << id;
    }
    EXPECT_EQ(0u, AllSetCalls()) << "opening only reads";
}

// Whether a tool-tip window of the slider's thread has the slider's position
// tool (id 1 on the slider).
bool HasPositionTip(HWND slider) {
    return AnyWindow()
               .OnThreadOf(slider)
               .OfClass(TOOLTIPS_CLASSA)
               .EvenHidden()
               .Where([slider](HWND window) {
                   TOOLINFOA tool{};
                   tool.cbSize = sizeof(tool);
                   tool.hwnd = slider;
                   tool.uId = 1;
                   return ::SendMessageA(window, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
               })
               .Find() != nullptr;
}

TEST_F(ViewPanel, EverySliderGetsItsPositionTipOnceTheConsoleIsOnScreen) {
    PlugCamera();
    StartConsole();
    for (int id : {IDC_EXPOSURE_SLIDER, IDC_BRIGHTNESS_SLIDER, IDC_CONTRAST_SLIDER}) {
        HWND slider = PanelControl(id);
        EXPECT_TRUE(WaitUntil([&] { return HasPositionTip(slider); }, kHangLimitMs)) << id;
    }
}

TEST_F(ViewPanel, WithoutCameraEveryControlIsDisabled) {
    StartConsole();
    EXPECT_STREQ("", panel().deviceNameForTesting());
    EXPECT_EQ(0, EnabledCount());
    Tick(panel().hwnd());
    EXPECT_EQ(0, EnabledCount());
}

TEST_F(ViewPanel, DraggingSnapsToTheStepAndWritesOnlyThatProperty) {
    PlugCamera();
    StartConsole();
    HWND brightness = PanelControl(IDC_BRIGHTNESS_SLIDER);
    struct Case {
        int draggedTo;
        int snapped;
    };
    // Halves round up; a value already on a step stays.
    for (Case c : {Case{10, 12}, Case{9, 8}, Case{30, 32}, Case{24, 24}}) {
        BeginDrag(brightness, c.draggedTo);
        EXPECT_EQ(c.snapped, Position(brightness)) << "dragged to " << c.draggedTo;
        EXPECT_EQ(c.snapped, Camera(ControlGroup::ProcAmp, kBrightness).value) << "written at once";
        EndDrag(brightness);
    }
    EXPECT_GE(SetCalls(ControlGroup::ProcAmp, kBrightness), 3u);
    EXPECT_EQ(0u, SetCalls(ControlGroup::ProcAmp, kContrast));
    EXPECT_EQ(0u, SetCalls(ControlGroup::CameraControl, kExposure));
}

TEST_F(ViewPanel, KeysMoveByTheStepAndEachMoveIsOneWrite) {
    PlugCamera();
    StartConsole();
    HWND contrast = PanelControl(IDC_CONTRAST_SLIDER);
    PressKey(contrast, VK_RIGHT);
    EXPECT_EQ(61, Camera(ControlGroup::ProcAmp, kContrast).value);
    PressKey(contrast, VK_NEXT);  // page: a tenth of the range
    EXPECT_EQ(71, Camera(ControlGroup::ProcAmp, kContrast).value);
    EXPECT_EQ(2u, SetCalls(ControlGroup::ProcAmp, kContrast)) << "the end of a move writes nothing new";
    EXPECT_EQ(2u, AllSetCalls());
    ASSERT_TRUE(testbed::ResetBindCounts(kCamera));
    PressKey(contrast, VK_LEFT);
    EXPECT_EQ(1u, testbed::ReadBindCounts(kCamera).total) << "one camera binding per move; its end binds none";
    EXPECT_EQ(0u, testbed::ReadBindCounts(kCamera).now) << "every binding is released";
}

TEST_F(ViewPanel, AutomaticExposureFollowsTheCameraAndSwitchesBothWays) {
    PlugCamera();
    StartConsole();
    HWND slider = PanelControl(IDC_EXPOSURE_SLIDER);
    CameraChooses(ControlGroup::CameraControl, kExposure, -9);
    Tick(panel().hwnd());
    EXPECT_EQ(-9, Position(slider)) << "the disabled slider follows the camera's choice";
    EXPECT_FALSE(Enabled(slider));

    ClickNow(PanelControl(IDC_AUTO_EXPOSURE));  // off: manual from the camera's last choice
    EXPECT_FALSE(Checked(PanelControl(IDC_AUTO_EXPOSURE)));
    EXPECT_TRUE(Enabled(slider));
    testbed::ControlState exposure = Camera(ControlGroup::CameraControl, kExposure);
    EXPECT_EQ(2, exposure.flags);
    EXPECT_EQ(-9, exposure.value);

    PressKey(slider, VK_LEFT);
    EXPECT_EQ(-10, Camera(ControlGroup::CameraControl, kExposure).value);

    ClickNow(PanelControl(IDC_AUTO_EXPOSURE));  // on again
    EXPECT_TRUE(Checked(PanelControl(IDC_AUTO_EXPOSURE)));
    EXPECT_FALSE(Enabled(slider));
    EXPECT_EQ(1, Camera(ControlGroup::CameraControl, kExposure).flags);
    EXPECT_EQ(0u, SetCalls(ControlGroup::ProcAmp, kBrightness) + SetCalls(ControlGroup::ProcAmp, kContrast));
}

TEST_F(ViewPanel, DefaultPutsAllThreeBackWithAutomaticExposure) {
    PlugCamera();
    Offer(kCamera, ControlGroup::CameraControl, kExposure, -13, -1, 1, -6, -3, 2);
    StartConsole();
    ASSERT_TRUE(Enabled(PanelControl(IDC_EXPOSURE_SLIDER)));
    ClickNow(PanelControl(IDC_DEFAULT));
    EXPECT_EQ(20, Camera(ControlGroup::ProcAmp, kBrightness).value);
    EXPECT_EQ(50, Camera(ControlGroup::ProcAmp, kContrast).value);
    EXPECT_EQ(1, Camera(ControlGroup::CameraControl, kExposure).flags);
    EXPECT_EQ(20, Position(PanelControl(IDC_BRIGHTNESS_SLIDER)));
    EXPECT_EQ(50, Position(PanelControl(IDC_CONTRAST_SLIDER)));
    EXPECT_EQ(-6, Position(PanelControl(IDC_EXPOSURE_SLIDER)));
    EXPECT_TRUE(Checked(PanelControl(IDC_AUTO_EXPOSURE)));
    EXPECT_FALSE(Enabled(PanelControl(IDC_EXPOSURE_SLIDER)));
}

TEST_F(ViewPanel, AnotherProgramsChangeShowsAtTheNextRefresh) {
    PlugCamera();
    StartConsole();
    AnotherProgramSets(ControlGroup::ProcAmp, kContrast, 33, 2);
    AnotherProgramSets(ControlGroup::CameraControl, kExposure, -4, 2);
    Tick(panel().hwnd());
    EXPECT_EQ(33, Position(PanelControl(IDC_CONTRAST_SLIDER)));
    EXPECT_EQ(-4, Position(PanelControl(IDC_EXPOSURE_SLIDER)));
    EXPECT_FALSE(Checked(PanelControl(IDC_AUTO_EXPOSURE)));
    EXPECT_TRUE(Enabled(PanelControl(IDC_EXPOSURE_SLIDER)));

    // The panel's own timer gets there without help.
    AnotherProgramSets(ControlGroup::ProcAmp, kContrast, 77, 2);
    EXPECT_TRUE(WaitUntil([&] { return Position(PanelControl(IDC_CONTRAST_SLIDER)) == 77; }, kHangLimitMs));
}

TEST_F(ViewPanel, SignallingTheNamedEventRefreshesThePanel) {
    PlugCamera();
    StartConsole();
    CameraNowHolds(ControlGroup::ProcAmp, kBrightness, 36);
    SignalNamedEvent("XC0730 Standalone Console Event Zest! View Panel");
    EXPECT_TRUE(WaitUntil([&] { return Position(PanelControl(IDC_BRIGHTNESS_SLIDER)) == 36; }, kHangLimitMs));
    EXPECT_EQ(0u, AllSetCalls());
}

TEST_F(ViewPanel, ARefreshAskedFromAnotherThreadRunsOnThePanelsThread) {
    PlugCamera();
    StartConsole();
    CameraNowHolds(ControlGroup::ProcAmp, kContrast, 12);
    EXPECT_EQ(1u, panel().OnPeerChange(0, 0));
    EXPECT_EQ(0u, panel().OnPeerChange(1, 0)) << "only reason 0 asks for a refresh";
    // Asking only posts: the records are untouched until the panel's thread runs.
    EXPECT_EQ(60, panel().recordForTesting(ZestViewPanel::kContrast).value);
    EXPECT_TRUE(WaitUntil([&] { return Position(PanelControl(IDC_CONTRAST_SLIDER)) == 12; }, kHangLimitMs));
}

TEST_F(ViewPanel, AnotherCopyHoldingTheEventLeavesThePanelWorking) {
    HANDLE held = ::CreateEventA(nullptr, FALSE, FALSE, "XC0730 Standalone Console Event Zest! View Panel");
    ASSERT_TRUE(held != nullptr);
    PlugCamera();
    StartConsole();
    EXPECT_EQ(8, Position(PanelControl(IDC_BRIGHTNESS_SLIDER)));
    CameraNowHolds(ControlGroup::ProcAmp, kBrightness, 16);
    ::SetEvent(held);  // nobody of this console listens: the timer still refreshes
    Tick(panel().hwnd());
    EXPECT_EQ(16, Position(PanelControl(IDC_BRIGHTNESS_SLIDER)));
    ::CloseHandle(held);
}

TEST_F(ViewPanel, UnplugDisablesEverythingAndPluggingBackEnablesWhatTheCameraOffers) {
    PlugCamera();
    testbed::WithdrawControl(kCamera, ControlGroup::ProcAmp, kContrast);
    StartConsole();
    EXPECT_FALSE(Enabled(PanelControl(IDC_CONTRAST_SLIDER))) << "a property the camera lacks stays disabled";
    ASSERT_TRUE(Enabled(PanelControl(IDC_BRIGHTNESS_SLIDER)));

    ToolCommand("unplug 1");
    Tick(panel().hwnd());
    EXPECT_EQ(0, EnabledCount()) << "one refresh after the unplug";

    ToolCommand("plug 1");
    EXPECT_TRUE(WaitUntil([&] { return Enabled(PanelControl(IDC_BRIGHTNESS_SLIDER)); }, kHangLimitMs));
    console().Sync();
    EXPECT_TRUE(Enabled(PanelControl(IDC_AUTO_EXPOSURE)));
    EXPECT_TRUE(Enabled(PanelControl(IDC_DEFAULT)));
    EXPECT_FALSE(Enabled(PanelControl(IDC_CONTRAST_SLIDER)));
    EXPECT_EQ(0u, AllSetCalls()) << "coming back writes nothing";
}

TEST_F(ViewPanel, CameraGoingAwayInTheMiddleOfARefreshOrAWriteLeavesThePanelWorking) {
    PlugCamera();
    StartConsole();
    HWND brightness = PanelControl(IDC_BRIGHTNESS_SLIDER);
    struct Case {
        const char* when;
        bool write;
    };
    for (Case c : {Case{"during a refresh", false}, Case{"during a write", true}}) {
        ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::ProcAmp, kBrightness, testbed::kUnplugAtCall));
        if (c.write) PressKey(brightness, VK_RIGHT);
        else Tick(panel().hwnd());
        Tick(panel().hwnd());  // the camera is gone but its device is still listed
        ToolCommand("unplug 1");
        Tick(panel().hwnd());
        EXPECT_EQ(0, EnabledCount()) << c.when;

        ToolCommand("plug 1");
        EXPECT_TRUE(WaitUntil([&] { return Enabled(brightness); }, kHangLimitMs)) << c.when;
        console().Sync();
        PressKey(PanelControl(IDC_CONTRAST_SLIDER), VK_RIGHT);
        EXPECT_EQ(Position(PanelControl(IDC_CONTRAST_SLIDER)), Camera(ControlGroup::ProcAmp, kContrast).value)
            << "the camera that came back is written again, " << c.when;
    }
}

TEST_F(ViewPanel, ARefreshDuringADragDoesNotUndoIt) {
    PlugCamera();
    StartConsole();
    HWND brightness = PanelControl(IDC_BRIGHTNESS_SLIDER);
    BeginDrag(brightness, 28);
    ASSERT_EQ(28, Position(brightness));
    // The camera reports something else (another program, or a write it refused).
    CameraNowHolds(ControlGroup::ProcAmp, kBrightness, 4);
    Tick(panel().hwnd());
    EXPECT_EQ(28, Position(brightness)) << "the thumb stays under the mouse";
    BeginDrag(brightness, 32);
    EXPECT_EQ(32, Camera(ControlGroup::ProcAmp, kBrightness).value);
    EndDrag(brightness);
    Tick(panel().hwnd());
    EXPECT_EQ(32, Position(brightness));
}

TEST_F(ViewPanel, RangesTheCameraGetsWrongStillGiveUsableSliders) {
    struct Case {
        LONG minimum, maximum, step, value;
        int wantMin, wantMax, wantLine, wantPos;
    };
    PlugCamera();
    StartConsole();
    for (Case c : {Case{10, 0, 1, 5, 0, 10, 1, 5},      // inverted
                   Case{0, 100, 0, 40, 0, 100, 1, 40},  // no step
                   Case{0, 10, 50, 3, 0, 10, 1, 3},     // step beyond the range
                   Case{0, 100, 1, 300, 0, 100, 1, 100}}) {
        Offer(kCamera, ControlGroup::ProcAmp, kContrast, c.minimum, c.maximum, c.step, 50, c.value, 2);
        Tick(panel().hwnd());
        HWND slider = PanelControl(IDC_CONTRAST_SLIDER);
        EXPECT_EQ(c.wantMin, ::SendMessageA(slider, TBM_GETRANGEMIN, 0, 0)) << c.minimum << ".." << c.maximum;
        EXPECT_EQ(c.wantMax, ::SendMessageA(slider, TBM_GETRANGEMAX, 0, 0)) << c.minimum << ".." << c.maximum;
        EXPECT_EQ(c.wantLine, ::SendMessageA(slider, TBM_GETLINESIZE, 0, 0)) << "step " << c.step;
        EXPECT_EQ(c.wantPos, Position(slider)) << "value " << c.value;
    }
}

TEST_F(ViewPanel, ShowingThePanelRefreshesItOnceItIsVisible) {
    PlugCamera();
    StartConsole();
    HWND title = ::GetDlgItem(::GetParent(panel().hwnd()), IDC_SECTION_TITLE);
    ASSERT_TRUE(title != nullptr);
    ClickNow(title);  // the user collapses the section
    ASSERT_FALSE(::IsWindowVisible(panel().hwnd()));
    CameraNowHolds(ControlGroup::ProcAmp, kBrightness, 24);
    ClickNow(title);  // and opens it again
    ASSERT_TRUE(::IsWindowVisible(panel().hwnd()));
    FlushPosted(PanelControl(IDC_EXPOSURE_LABEL));
    Settle();
    EXPECT_EQ(24, Position(PanelControl(IDC_BRIGHTNESS_SLIDER))) << "without waiting for the timer";
}

TEST_F(ViewPanel, SignalsWhileTheConsoleClosesReachNothingThatIsGone) {
    PlugCamera();
    StartConsole();
    struct Signaller {
        HANDLE stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        static DWORD WINAPI Main(void* self) {
            auto* signaller = static_cast<Signaller*>(self);
            while (::WaitForSingleObject(signaller->stop, 0) == WAIT_TIMEOUT) {
                HANDLE event = ::CreateEventA(nullptr, FALSE, FALSE, "XC0730 Standalone Console Event Zest! View Panel");
                if (event && ::GetLastError() == ERROR_ALREADY_EXISTS) ::SetEvent(event);
                if (event) ::CloseHandle(event);
            }
            return 0;
        }
    } signaller;
    const DWORD binds = testbed::ReadBindCounts(kCamera).total;
    HANDLE thread = ::CreateThread(nullptr, 0, Signaller::Main, &signaller, 0, nullptr);
    ASSERT_TRUE(thread != nullptr);
    // The signals keep the panel refreshing (each refresh binds the camera
    // once) while more requests pile up in its queue.
    EXPECT_TRUE(WaitUntil([&] { return testbed::ReadBindCounts(kCamera).total >= binds + 3; }, kHangLimitMs))
        << "the signals bring no refreshes";
    ::PostMessageA(console().hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(console().Join(kHangLimitMs)) << "the console ends while its panel is being signalled";
    ::SetEvent(signaller.stop);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, kHangLimitMs));
    ::CloseHandle(thread);
    ::CloseHandle(signaller.stop);
    EXPECT_EQ(0u, AllSetCalls());
}

TEST_F(ViewPanel, InAnIntegratedConsoleThePanelListensOnTheIntegratedName) {
    PlugCamera();
    // The panel alone on this thread, for an owner that runs inside a host.
    ResourceLibrary library;
    ASSERT_TRUE(library.Load());
    char device[kDeviceNameSize] = "XC0730 Web Camera";
    UniqueHandle hostMutex(::CreateMutexA(nullptr, FALSE, nullptr));
    LaunchContext owner{};
    owner.selectedDevice = device;
    owner.integratedMutex = hostMutex.get();
    Window host;
    ASSERT_TRUE(host.CreateEx(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 300}, nullptr, 0));
    ZestViewPanel alone;
    alone.Attach(&owner);
    ASSERT_TRUE(alone.Create(host.hwnd()));
    ::ShowWindow(alone.hwnd(), SW_SHOW);
    HWND brightness = ::GetDlgItem(alone.hwnd(), IDC_BRIGHTNESS_SLIDER);
    EXPECT_EQ(8, Position(brightness));

    UniqueHandle standalone(::CreateEventA(nullptr, FALSE, FALSE, "XC0730 Standalone Console Event Zest! View Panel"));
    EXPECT_NE(ERROR_ALREADY_EXISTS, ::GetLastError()) << "nobody listens on the standalone name";
    standalone.reset();
    CameraNowHolds(ControlGroup::ProcAmp, kBrightness, 36);
    SignalNamedEvent("XC0730 Integrated Console Event Zest! View Panel");
    EXPECT_TRUE(PumpUntil([&] { return Position(brightness) == 36; }, kHangLimitMs, MessageLoop::PumpPending));
    alone.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
