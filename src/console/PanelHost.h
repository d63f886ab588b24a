// PanelHost: what both console windows do alike around their info panel.
// It holds the program icon (the window's icons, the drag icon and the
// picture of the minimised window), the window's connection to the skin
// engine with its one failure message, and the info panel whose one section
// is the view panel. The window it serves owns it and hands it the calls
// below from its own handlers.
//
// Error rule: a skin library that is missing or refuses the window gives an
// unskinned window after a message box; CreatePanel returns false when the
// info panel cannot be made (the view panel is then not made either).
#pragma once

#include "base/Limits.h"
#include "framework/Window.h"
#include "infopanel/InfoPanelWnd.h"
#include "launch/LaunchContext.h"
#include "settings/WindowPositionStore.h"
#include "skin/SkinSession.h"
#include "skin/WindowSkin.h"
#include "viewpanel/ZestViewPanel.h"

namespace ostrivan {

class PanelHost {
public:
    // Loads the icon; window is the console window, made later.
    explicit PanelHost(const Window& window);
    PanelHost(const PanelHost&) = delete;
    PanelHost& operator=(const PanelHost&) = delete;

    // Shared icon of the resource library; null when it has none.
    HICON icon() const { return icon_; }
    // The icon as the window's large and small icon.
    void SetWindowIcons() {
        ::SendMessageA(window_.hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        ::SendMessageA(window_.hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
    // Skins the window as look says; the info panel is skinned later from
    // the same bundle.
    void Skin(const WindowSkin& look);
    // Ends the skin failure message while it is on screen, so that its loop
    // unwinds.
    void EndSkinFailureMessage();

    // The info panel at rect, with the view panel for the launch record as
    // its section; the panel keeps its sections' states under the console key.
    [[nodiscard]] bool CreatePanel(const RECT& rect, LaunchContext* context);
    void ShowPanel(bool show) {
        if (infoPanel_.IsWindow()) ::ShowWindow(infoPanel_.hwnd(), show ? SW_SHOWNORMAL : SW_HIDE);
    }
    // The console closes: the view panel's advanced dialog goes first.
    void CloseAdvanced() {
        if (viewPanel_.IsWindow()) viewPanel_.CloseAdvanced();
    }
    // WM_PAINT while the window is minimised: the icon centred on its background.
    LRESULT PaintMinimised();

    InfoPanelWnd& infoPanel() { return infoPanel_; }
    ZestViewPanel& viewPanel() { return viewPanel_; }

private:
    const Window& window_;
    HICON icon_ = nullptr;
    SkinSession skin_;
    char bundlePath_[kPathSize] = {};
    bool failureShown_ = false;
    WindowPositionStore sectionStates_;
    InfoPanelWnd infoPanel_;
    ZestViewPanel viewPanel_;
};

}  // namespace ostrivan
