// TipSlider: the panels' slider, with a tool tip that shows the slider's
// position while the mouse moves over it.
//
// The tip's one tool (id 1) covers the slider's client rectangle as it was
// when the tip was switched on. Its text is ":Test" until the first mouse
// move, then the position at the last mouse move ("%d").
#pragma once

#include "framework/Controls.h"

namespace ostrivan {

class TipSlider : public Slider {
public:
    static constexpr UINT kToolId = 1;
    static constexpr const char* kInitialText = ":Test";

    // Switches the position tip on; once, after the slider is bound. False
    // when the tip cannot be made (the slider then stays a plain slider).
    bool EnablePositionTip();
    const ToolTip& tip() const { return tip_; }
    // True while the user drags the thumb (the slider holds the mouse).
    bool IsBeingDragged() const { return hwnd() && ::GetCapture() == hwnd(); }

    bool PreTranslateMessage(MSG& message) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnMouseMove(UINT keys, POINT point);
    void OnDestroy();

    ToolTip tip_;
};

}  // namespace ostrivan
