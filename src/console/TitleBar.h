// TitleBar: the standalone console's self-drawn frame, in place of a system
// caption: the 30-pixel bar with the program icon, the title text and the
// minimise and close buttons, and the size grip in the bottom-right corner.
// It holds their hit rectangles (client coordinates, every test inclusive
// of all four edges), turns mouse input on them into the system's move,
// size and menu commands, and sets the system menu's states.
//
// The console window owns it and hands it the mouse and menu messages from
// its own WindowProc, each with its cracked arguments; the handlers follow
// the framework's conventions (see framework/Window.h).
//
// Nothing here reports failure: a control that cannot be made is left out.
#pragma once

#include "ResourceIds.h"
#include "base/UniqueHandle.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

namespace ostrivan {

class TitleBar {
public:
    static constexpr int kHeight = 30;
    // The system commands the bar sends to run the drag-move loop and to
    // size from the bottom edge only.
    static constexpr UINT kDragMove = SC_MOVE + 1;
    static constexpr UINT kSizeFromBottom = SC_SIZE + 6;

    // window is the console, made later.
    explicit TitleBar(Dialog& window) : window_(window) {}
    TitleBar(const TitleBar&) = delete;
    TitleBar& operator=(const TitleBar&) = delete;

    // Binds the template's minimise and close buttons.
    void BindButtons() {
        (void)closeButton_.BindControl(window_.hwnd(), IDC_CLOSE);
        (void)minimiseButton_.BindControl(window_.hwnd(), IDC_MINIMIZE);
    }
    // Lays the bar out over the client width, and the grip in the corner;
    // makes the icon and the title text the first time.
    void LayOut();
    // The title text's font (null lets go of it); not owned.
    void SetFont(HFONT font) {
        ::SendMessageA(titleStatic_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // The keyboard focus goes to the title text.
    void Focus() {
        if (titleStatic_.IsWindow()) ::SetFocus(titleStatic_.hwnd());
    }
    // The grip follows the window's proposed screen rectangle while it is sized.
    void FollowSizing(const RECT& proposed);
    // The grip follows a window made this high.
    void FollowHeight(int height) {
        gripRect_.bottom = height;
        gripRect_.top = height - kGripSize;
    }

    // True when it took the click (the icon opens the system menu).
    bool OnLButtonDown(UINT keys, POINT point);
    void OnLButtonDblClk(UINT keys, POINT point);
    void OnRButtonUp(UINT keys, POINT point);
    void OnMouseMove(UINT keys, POINT point);
    void OnInitMenuPopup(HMENU menu);

    const RECT& titleRectForTesting() const { return titleRect_; }
    const RECT& gripRectForTesting() const { return gripRect_; }
    const RECT& iconRectForTesting() const { return iconRect_; }

private:
    static constexpr int kGripSize = 20;

    void ShowSystemMenu(POINT screenPoint);

    Dialog& window_;
    Button closeButton_;
    Button minimiseButton_;
    Window iconStatic_;
    Window titleStatic_;
    UniqueIcon smallIcon_;
    RECT titleRect_{};
    RECT gripRect_{};
    RECT iconRect_{};
};

}  // namespace ostrivan
