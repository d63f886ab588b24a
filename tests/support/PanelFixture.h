// The real console window, run on a thread of this process against virtual
// cameras, with the view panel driven as a user drives it: clicks, keys and
// drags reach its controls as window messages, and "another program" changes
// the camera through the test bed's own process.
#pragma once

#include "devices/VirtualCameras.h"
#include "driving/Press.h"
#include "support/RunningConsole.h"
#include "support/VirtualCameraFixture.h"
#include "viewpanel/ZestViewPanel.h"

#include <windows.h>

#include <memory>
#include <string>

namespace testsupport {

class PanelBed : public VirtualCameraBed {
protected:
    static constexpr int kCamera = 1;
    static constexpr const char* kCameraName = "XC0730 Web Camera";

    void SetUp() override;
    void TearDown() override;

    // Defines a camera that acts as a real one (or another preset) and plugs it.
    static void PlugRealCamera(int index, const char* name,
                               testbed::CameraPreset preset = testbed::CameraPreset::Real);
    // Starts the console and waits until the panel is shown.
    void StartConsole();
    RunningConsole& console() { return *console_; }
    ostrivan::ZestViewPanel& panel() { return console_->window().viewPanelForTesting(); }
    HWND PanelControl(int id) { return ::GetDlgItem(panel().hwnd(), id); }

    // One property of a camera, offered anew (its set-call count cleared).
    static void Offer(int camera, testbed::ControlGroup group, LONG id, LONG minimum, LONG maximum, LONG step,
                      LONG defaultValue, LONG value, LONG flags, LONG capabilities = 3);
    static testbed::ControlState Camera(testbed::ControlGroup group, LONG id, int camera = kCamera);
    static DWORD SetCalls(testbed::ControlGroup group, LONG id, int camera = kCamera);
    // What a read of the property gets now: the camera's own choice while
    // automatic, else its stored value.
    static LONG Reported(testbed::ControlGroup group, LONG id, int camera = kCamera);
    // The camera's own choice while automatic; not a write.
    static void CameraChooses(testbed::ControlGroup group, LONG id, LONG value, int camera = kCamera);
    // The camera holds another value, as after a write nobody here counts
    // (another program's, or one it took on its own).
    static void CameraNowHolds(testbed::ControlGroup group, LONG id, LONG value, int camera = kCamera);
    // Another program writes a property through the video input devices:
    // camtestbed in a process of its own (a counted write).
    static void AnotherProgramSets(testbed::ControlGroup group, LONG id, LONG value, LONG flags,
                                   int camera = kCamera);
    static void ToolCommand(const std::string& arguments);

    // Waits until the camera work that the panel and its advanced dialog
    // asked for is done and shown.
    void Settle();
    // What a refresh tick of a window does (the 1500 ms timer, id 1), run
    // now, and the reading it asked for shown.
    void Tick(HWND window) {
        ::SendMessageA(window, WM_TIMER, 1, 0);
        Settle();
    }
    static int Position(HWND slider);
    static bool Enabled(HWND control) { return ::IsWindowEnabled(control) != FALSE; }
    static bool Checked(HWND button);
    // A key pressed and released on a focused control; settled.
    void PressKey(HWND control, UINT key);
    // The user takes the slider's thumb and moves it to where the value lies,
    // holding the button until EndDrag; each settled.
    void BeginDrag(HWND slider, int value);
    void EndDrag(HWND slider);
    // A mouse message at a client point of the slider, the cursor moved there first.
    static void SendMouse(HWND slider, UINT message, WPARAM keys, int x, int y);
    void Drag(HWND slider, int value) {
        BeginDrag(slider, value);
        EndDrag(slider);
    }
    // Waits until the messages posted so far to the label's thread have
    // been handled (a font posted behind them shows up on the label).
    static void FlushPosted(HWND label);
    // Sets a named auto-reset event the way another copy of the console does.
    static void SignalNamedEvent(const char* name);

    // Opens the advanced settings dialog with the panel's Advanced button,
    // and waits for its first reading.
    HWND OpenAdvanced();
    HWND AdvancedControl(int id) { return ::GetDlgItem(panel().advancedDialogForTesting().hwnd(), id); }
    // Clicks a button (posted: a click may start a modal run).
    static void Click(HWND button) { (void)driving::Press(button); }
    // Clicks a button that ends nothing and opens nothing, and waits for it
    // and the camera work it asked for.
    void ClickNow(HWND button) {
        ::SendMessageA(button, BM_CLICK, 0, 0);
        Settle();
    }

private:
    std::unique_ptr<RunningConsole> console_;
};

}  // namespace testsupport
