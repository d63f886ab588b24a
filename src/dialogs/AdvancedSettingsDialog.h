// AdvancedSettingsDialog: the modal dialog "Zest! View Advanced Settings"
// (template 123) that the view panel opens. It adjusts the selected camera's
// power-line frequency (radio buttons), sharpness and backlight compensation
// (sliders) live, writing every change at once; OK keeps the changes, Cancel
// writes back what the camera held when the dialog opened. While open it
// re-reads the camera every 1.5 s and whenever another copy signals its
// named event.
//
// Rows, sliders, refreshes and threads as for every CameraPanel; the
// listener lives as long as the object and runs while a window is there.
// Its own: the power-line buttons, Default, Cancel and the opening values.
//
// Cancel waits, taking messages, until its values are on the camera (at
// most kCancelWaitMs).
//
// Error rule: camera failures are never reported. A camera that cannot be
// opened leaves only Cancel enabled; a property that cannot be read keeps
// its controls as they were (disabled after opening).
#pragma once

#include "camera/PowerLineFrequency.h"
#include "dialogs/CameraPanel.h"

namespace ostrivan {

class AdvancedSettingsDialog : public CameraPanel {
public:
    static constexpr const char* kTitle = "Zest! View Advanced Settings";
    // Rows of the property table, in the order of the records.
    enum Row { kPowerLine = 0, kSharpness = 1, kBacklight = 2, kRowCount = 3 };

    // How long Cancel waits for its values to reach the camera; a console
    // that is closing waits a moment only, so that it ends within a second.
    static constexpr DWORD kCancelWaitMs = 5000;
    static constexpr DWORD kExitWaitMs = 250;

    AdvancedSettingsDialog();

    // The console closes: the dialog goes the Cancel way, waiting a moment only.
    void CloseForExit();
    // The console switched cameras: take the new name and, while the window
    // exists, refresh from the new camera.
    void DeviceChanged(const char* name);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Before the panel's own opening: the opening values are to be taken.
    void OnInitDialog();
    // Takes its own buttons' clicks; false for everything else.
    bool OnCommand(const Command& command);

    void ShowReading(bool opened) override;
    void ChoosePowerLine(PowerLineFrequency value, int button);
    void SetDefaults();
    void Cancel();
    void TakeOpeningValues();
    void MarkPowerLineButton(int32_t value);

    // Which records Cancel restores, and whether the opening values are
    // still to be taken (at opening, and after a switch to another camera,
    // they come from the first read that reaches the camera).
    bool validAtOpening_[kRowCount] = {};
    bool openingPending_ = false;
    bool cancelling_ = false;
    bool closingForExit_ = false;
};

}  // namespace ostrivan
