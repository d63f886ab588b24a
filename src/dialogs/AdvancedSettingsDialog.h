// AdvancedSettingsDialog: the modal dialog "Zest! View Advanced Settings"
// (template 123) that the view panel opens. It adjusts the selected camera's
// power-line frequency (radio buttons), sharpness and backlight compensation
// (sliders) live, writing every change at once; OK keeps the changes, Cancel
// writes back what the camera held when the dialog opened. While open it
// re-reads the camera every 1.5 s and whenever another copy signals its
// named event.
//
// Threads and refreshes as for every CameraPanel; the listener lives as long
// as the object and runs while a window is there.
//
// Error rule: camera failures are never reported. A camera that cannot be
// opened leaves only Cancel enabled; a property that cannot be read keeps
// its controls as they were (disabled after opening).
#pragma once

#include "camera/CameraChannel.h"
#include "dialogs/CameraPanel.h"
#include "framework/TipSlider.h"
#include "skin/SkinSession.h"

#include <cstdint>

namespace ostrivan {

class AdvancedSettingsDialog : public CameraPanel {
public:
    static constexpr const char* kTitle = "Zest! View Advanced Settings";
    // Rows of the property table, in the order of the records.
    enum Row { kPowerLine = 0, kSharpness = 1, kBacklight = 2, kRowCount = 3 };

    AdvancedSettingsDialog();
    ~AdvancedSettingsDialog() override;

    // The console switched cameras: take the new name and, while the window
    // exists, refresh from the new camera.
    void DeviceChanged(const char* name);
    // What the dialog holds, for those who look at it from outside.
    const CameraProperty& record(int row) const { return records_[row]; }

    // The record's value as the fallback property codes it, and back.
    static uint32_t ToFallbackCode(int32_t value);
    static int32_t FromFallbackCode(uint32_t code);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(UINT id, UINT code, WPARAM wParam, LPARAM lParam);
    LRESULT OnHScroll(UINT code, HWND slider, WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();

    void SkinWindow();
    [[nodiscard]] bool ReadAll();
    void ReadPowerLineFallback(CameraChannel* channel);
    void Refresh() override;
    void Apply();
    void ChoosePowerLine(int32_t value, int button);
    void SetDefaults();
    void Cancel();
    void TakeOpeningValues();
    void MarkPowerLineButton(int32_t value);

    TipSlider sharpness_;
    TipSlider backlight_;
    SkinSession skin_;
    CameraProperty records_[kRowCount] = {};
    // Which records Cancel restores, and whether the opening values are
    // still to be taken (at opening, and after a switch to another camera,
    // they come from the first read that reaches the camera).
    bool validAtOpening_[kRowCount] = {};
    bool openingPending_ = false;
};

}  // namespace ostrivan
