// TipSlider: the panels' slider, with a tool tip that shows the slider's
// position while the mouse moves over it.
//
// The tip's one tool (id 1) covers the slider's client rectangle as it was
// when the tip was switched on. Its text is ":Test" until the first mouse
// move, then the position at the last mouse move ("%d").
//
// A window on its way to the screen switches the tip on after its first
// showing (EnablePositionTipAfterShow): nothing needs the tip before the
// mouse comes over the slider, and a tip window costs a few milliseconds.
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
    // The same, done from a timer of the slider's own, which comes once no
    // input, posted message or painting waits on the thread: after the first
    // showing of the window has been painted. The tool rectangle is the
    // client rectangle of now. False when the timer cannot be set or the tip
    // is on (or on its way) already.
    bool EnablePositionTipAfterShow();
    const ToolTip& tipForTesting() const { return tip_; }
    // True while the user drags the thumb (the slider holds the mouse).
    bool IsBeingDragged() const { return hwnd() && ::GetCapture() == hwnd(); }

    bool PreTranslateMessage(MSG& message) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr UINT_PTR kTipTimer = 0x5450;

    bool SwitchTipOn(const RECT& toolRect);
    void OnMouseMove(UINT keys, POINT point);
    // Takes the tip's own timer only.
    bool OnTimer(UINT_PTR id);
    void OnDestroy();

    ToolTip tip_;
    bool tipPending_ = false;
    RECT pendingRect_{};
};

}  // namespace ostrivan
