// ZestViewPanel: the console's one info panel section (template 121), a
// modeless child dialog that adjusts the current camera's exposure (with
// automatic mode), brightness and contrast live. Default puts all three back
// to the camera's defaults with automatic exposure; Advanced opens the
// advanced settings dialog. The panel re-reads the camera every 1.5 s while
// visible, when it is shown, and when its named change event is signalled;
// not while its advanced settings dialog is open, and once more when it closes.
//
// Rows, sliders, refreshes and threads as for every CameraPanel. Its own:
// the automatic exposure check box, Default, Advanced and the sliders'
// shift when its width changes.
//
// Error rule: camera failures are never reported. No camera, or one that
// cannot be opened, disables every control; a property the camera does not
// answer keeps its group as it was.
#pragma once

#include "dialogs/AdvancedSettingsDialog.h"
#include "dialogs/CameraPanel.h"
#include "framework/Controls.h"

namespace ostrivan {

class ZestViewPanel : public CameraPanel {
public:
    // Rows of the property table, in the order of the records.
    enum Row { kExposure = 0, kBrightness = 1, kContrast = 2, kRowCount = 3 };
    static constexpr const char* kTitle = "Zest! View Panel";
    // How far the sliders move when the panel's width changes.
    static constexpr int kSliderShift = 15;

    ZestViewPanel();
    ~ZestViewPanel() override;

    // The console's camera changed: refresh from the new one and pass it on
    // to an open advanced settings dialog.
    void DeviceChanged(const char* name);
    // The console closes: an open advanced settings dialog is asked to close.
    void CloseAdvanced();
    AdvancedSettingsDialog& advancedDialogForTesting() { return advanced_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Before the panel's own opening: binds the check box.
    void OnInitDialog();
    // Takes its own buttons' clicks; false for everything else.
    bool OnCommand(const Command& command);
    void OnSize();
    void OnShowWindow(bool show);
    // Before the panel's own end: the advanced settings dialog goes first.
    // (Its window lives only while the Advanced click runs, so a panel
    // object that is destroyed never finds one.)
    void OnDestroy();

    // Behind its own modal dialog the panel is covered and disabled: it
    // need not refresh until the dialog is gone, which shows fresher values.
    bool Covered() const override { return advanced_.IsWindow(); }
    void ShowReading(bool opened) override;
    void ShowAutomaticExposure(const CameraProperty& exposure);
    void OnAutoExposureClicked();
    void OnDefaultClicked();
    void OnAdvancedClicked();
    void ShiftSlider(TipSlider& slider, const RECT& client);

    Button autoExposure_;
    // Declared last so that it goes first.
    AdvancedSettingsDialog advanced_;
};

}  // namespace ostrivan
