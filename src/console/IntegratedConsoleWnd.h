// IntegratedConsoleWnd: the console opened inside a host's process, a
// modeless dialog from template 127 without parent or title bar. It hosts
// the info panel with the view panel as its one section, below a row of two
// tabs (1141 shows the panel, 1142 hides it); the host places and sizes it
// and ends it through DestroyInstance, which deletes the object. OK and
// Cancel never end it, however they come; a close message does (the owner
// is told, and deletes the object later).
//
// Failures are quiet: a missing skin library gives an unskinned window
// (after one message box) whose panel still works.
#pragma once

#include "console/IntegratedConsole.h"
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

class IntegratedConsoleWnd : public Dialog, public IntegratedConsole {
public:
    // The owner (may be null) hears of a window destroyed by somebody else.
    explicit IntegratedConsoleWnd(IntegratedConsole::Owner* owner = nullptr);
    ~IntegratedConsoleWnd() override;

    // Before creation: the cameras found (not kept) and the launch record.
    void Attach(const std::vector<std::string>& deviceList, LaunchContext* context);

    bool Create() override { return Dialog::Create(nullptr); }
    HWND WindowHandle() const override { return hwnd(); }
    void CloseNested() override;

    // What the window holds, for those who look at it from outside.
    int panelTop() const { return panelTop_; }
    const char* currentDevice() const { return currentDevice_; }
    InfoPanelWnd& infoPanel() { return infoPanel_; }
    ZestViewPanel& zestViewPanel() { return zestViewPanel_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM type, LPARAM size);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose();
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    void SkinWindow();
    void CreateInfoPanel();
    void ShowPanel(bool show);

    HICON icon_ = nullptr;  // shared icon of the resource library
    SkinSession skin_;
    InfoPanelWnd infoPanel_;
    int panelTop_ = 0;
    char currentDevice_[kPathSize] = {};
    WindowPositionStore settings_;
    LaunchContext* context_ = nullptr;
    char bundlePath_[MAX_PATH] = {};
    bool messageBoxShown_ = false;
    IntegratedConsole::Owner* owner_ = nullptr;
    ChildToolTips tips_;
    ZestViewPanel zestViewPanel_;
};

}  // namespace ostrivan
