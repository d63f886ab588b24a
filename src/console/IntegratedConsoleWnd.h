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
#include "console/PanelHost.h"
#include "framework/ChildToolTips.h"
#include "framework/Dialog.h"
#include "launch/LaunchContext.h"

#include <string>
#include <vector>

namespace ostrivan {

class IntegratedConsoleWnd : public Dialog, public IntegratedConsole {
public:
    // The owner (may be null) hears of a window destroyed by somebody else.
    explicit IntegratedConsoleWnd(IntegratedConsole::Owner* owner = nullptr);
    ~IntegratedConsoleWnd() override;

    // Before creation: the cameras found (not kept) and the launch record.
    void Attach(const std::vector<std::string>& /*deviceList*/, LaunchContext* context) { context_ = context; }

    bool Create() override { return Dialog::Create(nullptr); }
    HWND WindowHandle() const override { return hwnd(); }
    void CloseNested() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Messages, one handler each, with the message's own arguments. Those
    // returning void only look at their message; default processing follows.
    // Runs default processing first.
    LRESULT OnInitDialog();
    // True when it took the command: the tabs, and OK and Cancel, which it swallows.
    bool OnCommand(Command command);
    void OnSize(UINT type, SIZE size);
    LRESULT OnClose();
    LRESULT OnToolTipText(NMHDR& request);
    void OnDestroy();

    void CreateInfoPanel();
    void ShowPanel(bool show);

    PanelHost panels_;
    int panelTop_ = 0;
    LaunchContext* context_ = nullptr;
    IntegratedConsole::Owner* owner_ = nullptr;
    ChildToolTips tips_;
};

}  // namespace ostrivan
