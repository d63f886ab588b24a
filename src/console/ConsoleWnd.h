// ConsoleWnd: the standalone console's top-level window, a dialog from
// template IDD_CONSOLE run modally for one launch. It draws its own 30-pixel title
// bar, hosts the tab strip, the info panel with the view panel, the camera
// menu button and the options button, keeps its rectangle in the registry and
// follows camera arrival and removal.
//
// Handlers that can fail do so quietly: a missing skin library gives an
// unskinned window (after a message box), a missing stored rectangle the
// template's place.
#pragma once

#include "base/UniqueHandle.h"
#include "console/DeviceChangeWorkers.h"
#include "console/DeviceMenuButton.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/TabStripDialog.h"
#include "framework/Controls.h"
#include "framework/ChildToolTips.h"
#include "framework/Dialog.h"
#include "infopanel/InfoPanelWnd.h"
#include "launch/LaunchContext.h"
#include "settings/WindowPositionStore.h"
#include "skin/SkinSession.h"
#include "viewpanel/ZestViewPanel.h"

#include <string>
#include <vector>

namespace ostrivan {

class ConsoleWnd : public Dialog {
public:
    ConsoleWnd();
    ~ConsoleWnd() override;

    // Before the modal run: the cameras found and the launch record.
    void Attach(const std::vector<std::string>& deviceList, LaunchContext* context);

    // The display's resolution as the layout knows it: 96, 120, else 100.
    static int DisplayResolution();

    // Layout and state, for those who look at the window from outside.
    const RECT& titleRect() const { return titleRect_; }
    const RECT& gripRect() const { return gripRect_; }
    const RECT& iconRect() const { return iconRect_; }
    int panelTop() const { return panelTop_; }
    int minHeight() const { return minHeight_; }
    bool positionRestored() const { return positionRestored_; }
    const char* currentDevice() const { return currentDevice_; }
    InfoPanelWnd& infoPanel() { return infoPanel_; }
    DeviceMenuButton& deviceButton() { return deviceButton_; }
    ZestViewPanel& viewPanel() { return zestViewPanel_; }
    OptionsDialog& optionsDialog() { return optionsDialog_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Messages, one handler each, with the message's own arguments. Those
    // returning void only look at their message; default processing follows.
    LRESULT OnInitDialog();
    // Runs the command itself (default processing) between its own steps.
    LRESULT OnSysCommand(UINT command, POINT point);
    LRESULT OnPaintMinimised();
    // True when it took the click (the title icon opens the system menu).
    bool OnLButtonDown(UINT keys, POINT point);
    void OnLButtonDblClk(UINT keys, POINT point);
    void OnRButtonUp(UINT keys, POINT point);
    void OnMouseMove(UINT keys, POINT point);
    // Lets default processing see the corrected rectangle, then follows it.
    LRESULT OnSizing(UINT edge, RECT* proposed);
    void OnSize(UINT type, SIZE size);
    void OnInitMenuPopup(HMENU menu);
    LRESULT OnDeviceChange(UINT event, DWORD_PTR data);
    void OnClose();
    void OnDestroy();
    LRESULT OnToolTipText(NMHDR& request);
    void OnCommand(UINT id, UINT code, HWND control);
    LRESULT OnFitToPanel();
    LRESULT OnShowInfoPanel(bool show);
    LRESULT OnCameraPicked();
    LRESULT OnDeviceListReady(LPARAM job);
    LRESULT OnDeviceReachable();
    LRESULT OnBringToFront();

    // Initialisation steps.
    void RestoreWindowPosition();
    void LayOutTitleBar();
    void SkinWindow();
    void CreateTabStrip(int resolution);
    void CreateInfoPanel(int resolution);
    void PlaceFooterControls();
    void SaveWindowPosition();
    void ShowSystemMenu(POINT screenPoint);
    void FocusTitle();
    void ShowOptions();

    // Camera selection.
    void RebuildDeviceMenu();
    void PublishDevice();

    Button closeButton_;
    Button minimiseButton_;
    DeviceMenuButton deviceButton_;
    UniqueGdi<HFONT> titleFont_;
    HICON icon_ = nullptr;  // shared icon of the resource library
    UniqueIcon smallIcon_;
    SkinSession skin_;
    RECT savedRect_{};
    InfoPanelWnd infoPanel_;
    char currentDevice_[kPathSize] = {};
    std::vector<std::string> deviceList_;
    WindowPositionStore settings_;
    TabStripDialog tabStrip_;
    ZestViewPanel zestViewPanel_;
    Window iconStatic_;
    Window titleStatic_;
    RECT titleRect_{};
    RECT gripRect_{};
    RECT iconRect_{};
    int panelTop_ = 0;
    int minHeight_ = 0;
    LaunchContext* context_ = nullptr;
    bool positionRestored_ = false;
    DeviceChangeWorkers workers_;
    // Serialises the workers; published in the launch record while the window lives.
    UniqueHandle deviceChangeMutex_;
    char bundlePath_[MAX_PATH] = {};
    OptionsDialog optionsDialog_;
    ChildToolTips tips_;
};

}  // namespace ostrivan
