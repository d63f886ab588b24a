// The view panel and its advanced settings dialog on cameras that answer
// late: the window hands every camera call to its worker, and what the
// user sees and what reaches the camera keep their order all the same.
#include "ResourceIds.h"
#include "devices/BindGate.h"
#include "dialogs/AdvancedSettingsDialog.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "support/PanelFixture.h"

using namespace driving;
using namespace ostrivan;
using namespace testsupport;
using testbed::ControlGroup;

namespace {

constexpr LONG kBrightness = 0;  // picture control
constexpr LONG kContrast = 1;    // picture control
constexpr LONG kSharpness = 4;   // picture control
// Late enough that a job is still under way while the test acts.
constexpr DWORD kLatencyMs = 100;

class CameraOrder : public PanelBed {
protected:
    void PlugCamera(int index = kCamera, const char* name = kCameraName, LONG brightness = 8) {
        PlugRealCamera(index, name);
        Offer(index, ControlGroup::ProcAmp, kBrightness, 0, 40, 4, 20, brightness, 2);
        Offer(index, ControlGroup::ProcAmp, kContrast, 0, 100, 1, 50, 60, 2);
        Offer(index, ControlGroup::ProcAmp, kSharpness, 0, 15, 1, 7, 9, 2);
    }
    static void Slow(int index = kCamera) { ASSERT_TRUE(testbed::SetCameraLatency(index, kLatencyMs)); }
    // A key on a slider as the user presses it; nothing waited for.
    static void KeyNow(HWND slider, UINT key) {
        ::SendMessageA(slider, WM_KEYDOWN, key, 1);
        ::SendMessageA(slider, WM_KEYUP, key, 0xC0000001);
    }
    // The panel's refresh timer, nothing waited for.
    void TickNow() { ::SendMessageA(panel().hwnd(), WM_TIMER, 1, 0); }
    // Until a job of the worker is inside a bind of the camera.
    static void WaitForBind(int index = kCamera) {
        EXPECT_TRUE(WaitUntil([&] { return testbed::ReadBindCounts(index).now > 0; }, kHangLimitMs))
            << "no job reached camera " << index;
    }
};

TEST_F(CameraOrder, AReadingAskedBeforeAMoveNeverUndoesItAndTheNextRefreshReadsTheWrite) {
    PlugCamera();
    StartConsole();
    Slow();
    HWND brightness = PanelControl(IDC_BRIGHTNESS_SLIDER);
    TickNow();
    WaitForBind();  // a refresh is under way on the slow camera
    KeyNow(brightness, VK_RIGHT);
    EXPECT_EQ(12, Position(brightness)) << "the move shows at once";
    Settle();
    EXPECT_EQ(12, Position(brightness)) << "the reading from before the move did not take it back";
    EXPECT_EQ(12, Camera(ControlGroup::ProcAmp, kBrightness).value);
    Tick(panel().hwnd());
    EXPECT_EQ(12, panel().recordForTesting(ZestViewPanel::kBrightness).appliedValue)
        << "the refresh after the write read the written value";
    EXPECT_EQ(12, Position(brightness));
}

TEST_F(CameraOrder, ABurstOnASlowCameraEndsWithTheLastPositionInFewerWrites) {
    PlugCamera();
    StartConsole();
    Slow();
    HWND contrast = PanelControl(IDC_CONTRAST_SLIDER);
    constexpr int kMoves = 10;
    for (int move = 0; move < kMoves; ++move) KeyNow(contrast, VK_RIGHT);
    EXPECT_EQ(70, Position(contrast));
    Settle();
    EXPECT_EQ(70, Camera(ControlGroup::ProcAmp, kContrast).value) << "the last position reached the camera";
    const DWORD writes = SetCalls(ControlGroup::ProcAmp, kContrast);
    EXPECT_GE(writes, 1u);
    EXPECT_LT(writes, static_cast<DWORD>(kMoves)) << "stale positions were queued for the camera";
    EXPECT_EQ(0u, SetCalls(ControlGroup::ProcAmp, kBrightness));
}

TEST_F(CameraOrder, APromptCameraGetsEveryMove) {
    PlugCamera();
    StartConsole();
    HWND contrast = PanelControl(IDC_CONTRAST_SLIDER);
    for (int move = 1; move <= 5; ++move) PressKey(contrast, VK_RIGHT);
    EXPECT_EQ(65, Camera(ControlGroup::ProcAmp, kContrast).value);
    EXPECT_EQ(5u, SetCalls(ControlGroup::ProcAmp, kContrast));
}

TEST_F(CameraOrder, CancelsValuesAreOnTheCameraWhenTheDialogIsGone) {
    PlugCamera();
    StartConsole();
    HWND dialog = OpenAdvanced();
    Slow();
    HWND sharpness = AdvancedControl(IDC_SHARPNESS_SLIDER);
    KeyNow(sharpness, VK_RIGHT);
    KeyNow(sharpness, VK_RIGHT);
    Click(AdvancedControl(IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kHangLimitMs)) << "Cancel did not close it";
    EXPECT_EQ(9, Camera(ControlGroup::ProcAmp, kSharpness).value) << "the opening value is back";
    EXPECT_EQ(2, Camera(ControlGroup::ProcAmp, kSharpness).flags);
}

TEST_F(CameraOrder, ACameraSwitchInTheMiddleOfAReadDoesNotShowTheOldCamerasAnswer) {
    PlugCamera(1, "Camera A", 8);
    PlugCamera(2, "Camera B", 32);
    StartConsole();
    HWND brightness = PanelControl(IDC_BRIGHTNESS_SLIDER);
    ASSERT_EQ(8, Position(brightness));
    CameraNowHolds(ControlGroup::ProcAmp, kBrightness, 16, 1);
    Slow(1);
    // B holds the worker's bind until the test has looked.
    ASSERT_TRUE(testbed::SetCameraBehaviour(2, testbed::kRealCamera | testbed::kHoldBackgroundBinds));
    testbed::BindGate gate(2);
    ASSERT_TRUE(gate.valid());

    TickNow();
    WaitForBind(1);  // A's refresh is under way
    console().window().deviceButtonForTesting().SelectEntry(1);
    ::SendMessageA(console().hwnd(), kMsgCameraPicked, 0, 0);
    // A's reading has been handed over once the worker has gone on to B.
    EXPECT_TRUE(WaitUntil([] { return testbed::ReadBindCounts(2).nowInBackground > 0; }, kHangLimitMs));
    FlushPosted(PanelControl(IDC_EXPOSURE_LABEL));
    EXPECT_NE(16, Position(brightness)) << "A's answer was shown after the switch to B";

    gate.Open();
    Settle();
    EXPECT_EQ(32, Position(brightness));
    EXPECT_STREQ("Camera B", panel().deviceNameForTesting());
    EXPECT_EQ(0u, SetCalls(ControlGroup::ProcAmp, kBrightness, 2)) << "the switch writes nothing";
}

TEST_F(CameraOrder, TheWindowAnswersWhileItsCameraIsHeldInABind) {
    PlugCamera();
    StartConsole();
    ASSERT_TRUE(testbed::SetCameraBehaviour(kCamera, testbed::kRealCamera | testbed::kHoldBackgroundBinds));
    testbed::BindGate gate(kCamera);
    ASSERT_TRUE(gate.valid());
    TickNow();
    EXPECT_TRUE(WaitUntil([] { return testbed::ReadBindCounts(kCamera).nowInBackground > 0; }, kHangLimitMs));
    // A driver that does not answer: the console still takes keys and clicks.
    HWND contrast = PanelControl(IDC_CONTRAST_SLIDER);
    KeyNow(contrast, VK_RIGHT);
    EXPECT_EQ(61, Position(contrast));
    DWORD_PTR answer = 0;
    EXPECT_NE(0, ::SendMessageTimeoutA(console().hwnd(), WM_NULL, 0, 0, SMTO_BLOCK, kHangLimitMs, &answer));
    EXPECT_GT(testbed::ReadBindCounts(kCamera).nowInBackground, 0u) << "the answer came while the bind was held";
    EXPECT_TRUE(panel().CameraBusy());
    gate.Open();
    Settle();
    EXPECT_EQ(61, Camera(ControlGroup::ProcAmp, kContrast).value) << "the move was made once the camera answered";
}

// The user's Cancel waits for a camera held in a bind; the console is
// closed meanwhile (from its own messages, which Cancel keeps taking).
TEST_F(CameraOrder, ClosingTheConsoleWhileCancelWaitsForTheCameraEndsItAtOnce) {
    PlugCamera();
    StartConsole();
    HWND dialog = OpenAdvanced();
    ASSERT_TRUE(testbed::SetCameraBehaviour(kCamera, testbed::kRealCamera | testbed::kHoldBackgroundBinds));
    testbed::BindGate gate(kCamera);
    ASSERT_TRUE(gate.valid());
    KeyNow(AdvancedControl(IDC_SHARPNESS_SLIDER), VK_RIGHT);
    EXPECT_TRUE(WaitUntil([] { return testbed::ReadBindCounts(kCamera).nowInBackground > 0; }, kHangLimitMs));
    Click(AdvancedControl(IDCANCEL));
    // Cancel takes no input while it waits.
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(dialog); }, kHangLimitMs));
    const DWORD start = ::GetTickCount();
    ::PostMessageA(console().hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(console().Join(kHangLimitMs));
    EXPECT_LT(::GetTickCount() - start, AdvancedSettingsDialog::kCancelWaitMs) << "the close waited out Cancel";
    EXPECT_GT(testbed::ReadBindCounts(kCamera).nowInBackground, 0u) << "the camera was still held";
    gate.Open();
}

}  // namespace
