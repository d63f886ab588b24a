// ZestViewPanel: the console's one info panel section (template 121), a
// modeless child dialog that adjusts the current camera's exposure (with
// automatic mode), brightness and contrast live. Default puts all three back
// to the camera's defaults with automatic exposure; Advanced opens the
// advanced settings dialog. The panel re-reads the camera every 1.5 s while
// visible, when it is shown, and when its named change event is signalled.
//
// Threads: the records and controls belong to the panel's thread. The
// change listener's thread only posts a refresh request to the window; the
// listener is stopped first when the window is destroyed.
//
// Error rule: camera failures are never reported. No camera, or one that
// cannot be opened, disables every control; a property the camera does not
// answer keeps its group as it was.
#pragma once

#include "camera/CameraChannel.h"
#include "dialogs/AdvancedSettingsDialog.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/PostTarget.h"
#include "framework/TipSlider.h"
#include "launch/LaunchContext.h"
#include "launch/PanelChangeListener.h"
#include "skin/SkinSession.h"

#include <cstdint>

namespace ostrivan {

class ZestViewPanel : public Dialog, public PanelChangeListener {
public:
    static constexpr const char* kTitle = "Zest! View Panel";
    // Rows of the property table, in the order of the records.
    enum Row { kExposure = 0, kBrightness = 1, kContrast = 2, kRowCount = 3 };
    // How far the sliders move when the panel's width changes.
    static constexpr int kSliderShift = 15;

    ZestViewPanel();
    ~ZestViewPanel() override;

    // Create(parent) makes the window, Create(mode, title) the listener.
    using Dialog::Create;
    using PanelChangeListener::Create;

    // Before the window is created: the owner's launch record and its camera.
    void Attach(LaunchContext* owner);
    // The console's camera changed: refresh from the new one and pass it on
    // to an open advanced settings dialog.
    void DeviceChanged(const char* name);
    // The console closes: an open advanced settings dialog is asked to close.
    void CloseAdvanced();
    // Reason 0 asks for a refresh (on the panel's thread, when visible).
    uint32_t OnPeerChange(uint32_t reason, uint32_t param) override;

    // What the panel holds, for those who look at it from outside.
    const CameraProperty& record(int row) const { return records_[row]; }
    const char* deviceName() const { return deviceName_; }
    AdvancedSettingsDialog& advancedDialog() { return advanced_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(UINT id, UINT code, WPARAM wParam, LPARAM lParam);
    LRESULT OnHScroll(UINT code, HWND slider, WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowWindow(bool show, WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnRefreshRequest();
    LRESULT OnDestroy();

    void SkinWindow();
    [[nodiscard]] bool ReadAll();
    void WriteAll();
    void Refresh();
    void RefreshIfVisible();
    void DisableAll();
    void OnAutoExposureClicked();
    void OnDefaultClicked();
    void OnAdvancedClicked();
    void ShiftSlider(TipSlider& slider, const RECT& client);

    Button autoExposure_;
    TipSlider brightness_;
    TipSlider contrast_;
    TipSlider exposure_;
    SkinSession skin_;
    char deviceName_[kPathSize] = {};
    CameraProperty records_[kRowCount] = {};
    LaunchContext* owner_ = nullptr;
    PostTarget refreshTarget_;
    // Declared last so that it goes first.
    AdvancedSettingsDialog advanced_;
};

}  // namespace ostrivan
