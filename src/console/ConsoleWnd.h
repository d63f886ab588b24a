// ConsoleWnd: the standalone console's top-level window, a dialog from
// template IDD_CONSOLE run modally for one launch. It is a few objects, each
// with one job, to which it hands its messages:
//
//   TitleBar          the self-drawn title bar and size grip, the mouse on
//                     them and the system menu
//   ConsoleLayout     the tab strip, the info panel's place, the footer and
//                     the smallest height
//   ConsolePlacement  the rectangle in the registry and "AlwaysOnTop"
//   CameraSelection   the camera menu button, device changes and the current
//                     camera
//   PanelHost         the icon, the skin and the info panel with the view
//                     panel, as in the integrated console
//
// The window itself runs the initialisation and the close in their order,
// the commands of its buttons, the options dialog and the tool tips, and
// starts the watcher that other copies of the module reach it through.
//
// Handlers that can fail do so quietly: a missing skin library gives an
// unskinned window (after a message box), a missing stored rectangle the
// template's place.
#pragma once

#include "base/UniqueHandle.h"
#include "console/CameraSelection.h"
#include "console/ConsoleLayout.h"
#include "console/ConsolePlacement.h"
#include "console/PanelHost.h"
#include "console/TitleBar.h"
#include "dialogs/OptionsDialog.h"
#include "framework/ChildToolTips.h"
#include "framework/Dialog.h"
#include "launch/LaunchContext.h"

#include <string>
#include <vector>

namespace ostrivan {

class ConsoleWnd : public Dialog {
public:
    ConsoleWnd();
    ~ConsoleWnd() override;

    // Before the modal run: the cameras found and the launch record.
    void Attach(const std::vector<std::string>& deviceList, LaunchContext* context) {
        context_ = context;
        cameras_.Attach(deviceList, context);
        // The view panel reads its camera while the window is being built.
        panels_.viewPanel().Attach(context);
    }

    const RECT& titleRectForTesting() const { return titleBar_.titleRectForTesting(); }
    const RECT& gripRectForTesting() const { return titleBar_.gripRectForTesting(); }
    const RECT& iconRectForTesting() const { return titleBar_.iconRectForTesting(); }
    int panelTopForTesting() const { return layout_.panelTopForTesting(); }
    int minHeightForTesting() const { return layout_.minHeightForTesting(); }
    bool positionRestoredForTesting() const { return placement_.restored(); }
    const char* currentDeviceForTesting() const { return cameras_.currentDeviceForTesting(); }
    DeviceMenuButton& deviceButtonForTesting() { return cameras_.deviceButtonForTesting(); }
    InfoPanelWnd& infoPanelForTesting() { return panels_.infoPanel(); }
    ZestViewPanel& viewPanelForTesting() { return panels_.viewPanel(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Messages, one handler each, with the message's own arguments. Those
    // returning void only look at their message; default processing follows.
    // The title bar, the layout, the camera selection and the panel host
    // take theirs straight from WindowProc.
    LRESULT OnInitDialog();
    // Runs the command itself (default processing) between its own steps.
    LRESULT OnSysCommand(UINT command, POINT point);
    // Lets default processing see the corrected rectangle, then follows it.
    LRESULT OnSizing(UINT edge, RECT* proposed);
    void OnClose();
    LRESULT OnToolTipText(NMHDR& request);
    void OnCommand(Command command);
    LRESULT OnFitToPanel() {
        if (!placement_.restored()) titleBar_.FollowHeight(layout_.FitToPanel());
        return 0;
    }
    LRESULT OnShowInfoPanel(bool show) {
        panels_.ShowPanel(show);
        return 0;
    }
    LRESULT OnBringToFront();

    // The title text and the info panel share the title font (null: neither).
    void UseTitleFont(HFONT font) {
        titleBar_.SetFont(font);
        panels_.infoPanel().SetFont(font, false);
    }
    void ShowOptions();

    PanelHost panels_;
    TitleBar titleBar_;
    ConsoleLayout layout_;
    ConsolePlacement placement_;
    CameraSelection cameras_;
    UniqueGdi<HFONT> titleFont_;
    LaunchContext* context_ = nullptr;
    OptionsDialog optionsDialog_;
    ChildToolTips tips_;
};

}  // namespace ostrivan
