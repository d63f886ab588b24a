// AdvancedSettingsDialog: the modal dialog "Zest! View Advanced Settings"
// (template 123) that the view panel opens. It adjusts the selected camera's
// power-line frequency (radio buttons), sharpness and backlight compensation
// (sliders) live, writing every change at once; OK keeps the changes, Cancel
// writes back what the camera held when the dialog opened. While open it
// re-reads the camera every 1.5 s and whenever another copy signals its
// named event.
//
// Threads: the records and controls belong to the dialog's thread. The
// change listener's thread only posts a refresh request to the window; the
// listener runs while the window exists and is stopped before it goes.
//
// Error rule: camera failures are never reported. A camera that cannot be
// opened leaves only Cancel enabled; a property that cannot be read keeps
// its controls as they were (disabled after opening).
#pragma once

#include "camera/CameraChannel.h"
#include "framework/Dialog.h"
#include "framework/PostTarget.h"
#include "framework/TipSlider.h"
#include "launch/LaunchContext.h"
#include "launch/PanelChangeListener.h"
#include "skin/SkinSession.h"

#include <cstdint>

namespace ostrivan {

class AdvancedSettingsDialog : public Dialog, public PanelChangeListener {
public:
    static constexpr const char* kTitle = "Zest! View Advanced Settings";
    // Rows of the property table, in the order of the records.
    enum Row { kPowerLine = 0, kSharpness = 1, kBacklight = 2, kRowCount = 3 };

    AdvancedSettingsDialog();
    ~AdvancedSettingsDialog() override;

    // Create(parent) makes the window, Create(mode, title) the listener.
    using Dialog::Create;
    using PanelChangeListener::Create;

    // Right before a showing: the owner's launch record and its current camera.
    void Attach(LaunchContext* owner);
    // The console switched cameras: take the new name and, while the window
    // exists, refresh from the new camera.
    void DeviceChanged(const char* name);
    // Reason 0 asks for a refresh (on the dialog's thread, when visible).
    uint32_t OnPeerChange(uint32_t reason, uint32_t param) override;

    // What the dialog holds, for those who look at it from outside.
    const CameraProperty& record(int row) const { return records_[row]; }
    const char* deviceName() const { return deviceName_; }

    // The record's value as the fallback property codes it, and back.
    static uint32_t ToFallbackCode(int32_t value);
    static int32_t FromFallbackCode(uint32_t code);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(UINT id, UINT code, WPARAM wParam, LPARAM lParam);
    LRESULT OnHScroll(UINT code, HWND slider, WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnRefreshRequest();
    LRESULT OnDestroy();

    void SkinWindow();
    [[nodiscard]] bool ReadAll();
    void ReadPowerLineFallback(CameraChannel* channel);
    void Refresh();
    void RefreshIfVisible();
    void Apply();
    void ChoosePowerLine(int32_t value, int button);
    void SetDefaults();
    void Cancel();
    void TakeOpeningValues();
    void MarkPowerLineButton(int32_t value);

    TipSlider sharpness_;
    TipSlider backlight_;
    SkinSession skin_;
    char deviceName_[kPathSize] = {};
    CameraProperty records_[kRowCount] = {};
    // Which records Cancel restores, and whether the opening values are
    // still to be taken (at opening, and after a switch to another camera,
    // they come from the first read that reaches the camera).
    bool validAtOpening_[kRowCount] = {};
    bool openingPending_ = false;
    LaunchContext* owner_ = nullptr;
    PostTarget refreshTarget_;
};

}  // namespace ostrivan
