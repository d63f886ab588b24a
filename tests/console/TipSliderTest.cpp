// The slider's position tip: ":Test" first, then the position at the last
// mouse move; mouse messages are relayed to the tip before dispatch.
#include "ConsoleControlsFixture.h"
#include "driving/HangLimit.h"
#include "driving/Pump.h"
#include "driving/WindowSearch.h"
#include "framework/MessageLoop.h"

#include <commctrl.h>

#include <vector>

using namespace ostrivan;
using namespace consoletest;

namespace {

std::string TipText(const TipSlider& slider) {
    // The control writes up to INFOTIPSIZE bytes whatever the buffer's size.
    char text[INFOTIPSIZE + 1] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = slider.hwnd();
    tool.uId = TipSlider::kToolId;
    tool.lpszText = text;
    ::SendMessageA(slider.tipForTesting().hwnd(), TTM_GETTEXTA, INFOTIPSIZE, reinterpret_cast<LPARAM>(&tool));
    return text;
}

void MoveMouseOver(const TipSlider& slider) { ::SendMessageA(slider.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }

// The rectangle of the slider's position tool, as its tip holds it.
RECT ToolRect(const TipSlider& slider) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = slider.hwnd();
    tool.uId = TipSlider::kToolId;
    EXPECT_TRUE(::SendMessageA(slider.tipForTesting().hwnd(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
    return tool.rect;
}

TEST_F(ConsoleControls, TipShowsTestUntilTheFirstMouseMoveThenThePosition) {
    TipSlider& slider = dialog.slider;
    EXPECT_EQ(nullptr, slider.tipForTesting().hwnd()) << "no tip before it is switched on";
    MoveMouseOver(slider);
    slider.SetRange(-10, 10, true);
    slider.SetPos(-7, true);
    ASSERT_TRUE(slider.EnablePositionTip());
    EXPECT_FALSE(slider.EnablePositionTip()) << "once";
    EXPECT_TRUE(::GetWindowLongA(slider.tipForTesting().hwnd(), GWL_STYLE) & TTS_ALWAYSTIP);
    EXPECT_EQ(":Test", TipText(slider));
    MoveMouseOver(slider);
    EXPECT_EQ("-7", TipText(slider));
    slider.SetPos(3, true);
    EXPECT_EQ("-7", TipText(slider)) << "a change by program shows after the next move";
    MoveMouseOver(slider);
    EXPECT_EQ("3", TipText(slider));
}

TEST_F(ConsoleControls, ToolRectangleIsTheClientRectangleWhenSwitchedOn) {
    TipSlider& slider = dialog.slider;
    RECT client{};
    ::GetClientRect(slider.hwnd(), &client);
    ASSERT_TRUE(slider.EnablePositionTip());
    ::SetWindowPos(slider.hwnd(), nullptr, 0, 0, client.right + 40, client.bottom + 10, SWP_NOMOVE | SWP_NOZORDER);
    RECT tool = ToolRect(slider);
    EXPECT_TRUE(::EqualRect(&client, &tool));
}

TEST_F(ConsoleControls, TipSwitchedOnAfterShowComesOnceTheWindowIsPaintedAsIfSwitchedOnAtTheRequest) {
    TipSlider& slider = dialog.slider;
    slider.SetRange(0, 20, true);
    slider.SetPos(12, true);
    RECT client{};
    ::GetClientRect(slider.hwnd(), &client);
    ASSERT_TRUE(slider.EnablePositionTipAfterShow());
    EXPECT_FALSE(slider.EnablePositionTipAfterShow()) << "once";
    EXPECT_EQ(nullptr, slider.tipForTesting().hwnd()) << "no tip while the window is on its way to the screen";
    // A size change before the tip comes does not move the tool.
    ::SetWindowPos(slider.hwnd(), nullptr, 0, 0, client.right + 40, client.bottom + 10, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(::GetUpdateRect(dialog.hwnd(), nullptr, FALSE)) << "the showing is still to be painted";

    ASSERT_TRUE(driving::PumpUntil([&] { return slider.tipForTesting().hwnd() != nullptr; }, driving::kHangLimitMs,
                                   MessageLoop::PumpPending));
    EXPECT_FALSE(::GetUpdateRect(dialog.hwnd(), nullptr, FALSE)) << "painted before the tip came";
    EXPECT_TRUE(::GetWindowLongA(slider.tipForTesting().hwnd(), GWL_STYLE) & TTS_ALWAYSTIP);
    RECT tool = ToolRect(slider);
    EXPECT_TRUE(::EqualRect(&client, &tool));
    EXPECT_EQ(":Test", TipText(slider));
    MoveMouseOver(slider);
    EXPECT_EQ("12", TipText(slider));
    EXPECT_FALSE(slider.EnablePositionTip()) << "once";
    EXPECT_FALSE(slider.EnablePositionTipAfterShow()) << "once";
}

int countWindows() {
    return static_cast<int>(driving::AnyWindow().OfThread(::GetCurrentThreadId()).EvenHidden().FindAll().size());
}

// A timer of the test's own, set after the slider's and due ten times as
// late: once it has come, the slider's would have come too.
constexpr UINT_PTR kLaterTimer = 0x7E57;
bool g_laterTimerCame = false;
void CALLBACK OnLaterTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    g_laterTimerCame = true;
}

TEST_F(ConsoleControls, TipAskedForAfterShowAndThenAtOnceIsMadeOnce) {
    TipSlider& slider = dialog.slider;
    ASSERT_TRUE(slider.EnablePositionTipAfterShow());
    ASSERT_TRUE(slider.EnablePositionTip());
    HWND tip = slider.tipForTesting().hwnd();
    const int windows = countWindows();
    g_laterTimerCame = false;
    ASSERT_TRUE(::SetTimer(dialog.hwnd(), kLaterTimer, 10 * USER_TIMER_MINIMUM, OnLaterTimer));
    ASSERT_TRUE(driving::PumpUntil([] { return g_laterTimerCame; }, driving::kHangLimitMs, MessageLoop::PumpPending))
        << "the slider's timer's time and more";
    EXPECT_EQ(tip, slider.tipForTesting().hwnd());
    EXPECT_EQ(windows, countWindows()) << "no second tip";
}

std::vector<MSG> g_relayed;
LRESULT CALLBACK RecordRelay(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == TTM_RELAYEVENT) g_relayed.push_back(*reinterpret_cast<const MSG*>(lParam));
    return ::DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(ConsoleControls, MouseMessagesAreRelayedToTheTipBeforeDispatch) {
    TipSlider& slider = dialog.slider;
    ASSERT_TRUE(slider.EnablePositionTip());
    ASSERT_TRUE(::SetWindowSubclass(slider.tipForTesting().hwnd(), RecordRelay, 1, 0));
    g_relayed.clear();
    ::PostMessageA(slider.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    MessageLoop::PumpPending();
    ASSERT_FALSE(g_relayed.empty());
    EXPECT_EQ(static_cast<UINT>(WM_MOUSEMOVE), g_relayed.front().message);
    EXPECT_EQ(slider.hwnd(), g_relayed.front().hwnd);
    ::RemoveWindowSubclass(slider.tipForTesting().hwnd(), RecordRelay, 1);
}

TEST_F(ConsoleControls, TipGoesWithTheSlider) {
    ASSERT_TRUE(dialog.slider.EnablePositionTip());
    HWND tip = dialog.slider.tipForTesting().hwnd();
    ASSERT_TRUE(::IsWindow(tip));
    dialog.DestroyWindow();
    EXPECT_FALSE(::IsWindow(tip));
}

TEST(ConsoleControlsRuns, NothingIsLeftAfterAHundredRuns) {
    SetResourceSource(::GetModuleHandleA(nullptr));
    int before = countWindows();
    for (int run = 0; run < 100; ++run) {
        ControlsDialog dialog;
        dialog.postAppAtInit = true;
        dialog.onAppMessage = [&dialog] {
            EXPECT_TRUE(dialog.slider.EnablePositionTip());
            EXPECT_TRUE(dialog.button.AppendEntry("Camera"));
            dialog.button.SelectEntry(0);
            dialog.EndDialog(IDOK);
        };
        ASSERT_EQ(IDOK, dialog.DoModal(nullptr));
    }
    EXPECT_EQ(before, countWindows()) << "tips and dialogs are all gone";
    SetResourceSource(nullptr);
}

}  // namespace
