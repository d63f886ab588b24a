// ZestViewPanel: the console's one info panel section (template 121), a
// modeless child dialog that adjusts the current camera's exposure (with
// automatic mode), brightness and contrast live. Default puts all three back
// to the camera's defaults with automatic exposure; Advanced opens the
// advanced settings dialog. The panel re-reads the camera every 1.5 s while
// visible, when it is shown, and when its named change event is signalled.
//
// Threads and refreshes as for every CameraPanel; the listener is stopped
// first when the window is destroyed.
//
// Error rule: camera failures are never reported. No camera, or one that
// cannot be opened, disables every control; a property the camera does not
// answer keeps its group as it was.
#pragma once

#include "camera/CameraChannel.h"
#include "dialogs/AdvancedSettingsDialog.h"
#include "dialogs/CameraPanel.h"
#include "framework/Controls.h"
#include "framework/TipSlider.h"
#include "skin/SkinSession.h"

#include <cstdint>

namespace ostrivan {

class ZestViewPanel : public CameraPanel {
public:
    static constexpr const char* kTitle = "Zest! View Panel";
    // Rows of the property table, in the order of the records.
    enum Row { kExposure = 0, kBrightness = 1, kContrast = 2, kRowCount = 3 };
    // How far the sliders move when the panel's width changes.
    static constexpr int kSliderShift = 15;

    ZestViewPanel();
    ~ZestViewPanel() override;

    // The console's camera changed: refresh from the new one and pass it on
    // to an open advanced settings dialog.
    void DeviceChanged(const char* name);
    // The console closes: an open advanced settings dialog is asked to close.
    void CloseAdvanced();
    // What the panel holds, for those who look at it from outside.
    const CameraProperty& record(int row) const { return records_[row]; }
    AdvancedSettingsDialog& advancedDialog() { return advanced_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(UINT id, UINT code, WPARAM wParam, LPARAM lParam);
    LRESULT OnHScroll(UINT code, HWND slider, WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowWindow(bool show, WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();

    void SkinWindow();
    [[nodiscard]] bool ReadAll();
    void WriteAll();
    void Refresh() override;
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
    CameraProperty records_[kRowCount] = {};
    // Declared last so that it goes first.
    AdvancedSettingsDialog advanced_;
};

}  // namespace ostrivan
