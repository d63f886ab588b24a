#include "framework/TipSlider.h"

#include <cstddef>
#include <cstdio>

namespace ostrivan {

namespace {
constexpr size_t kPositionTextSize = 16;  // "%d" of any position, NUL included
}  // namespace

LRESULT TipSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PointOf(lParam)); break;
    case WM_TIMER: if (OnTimer(wParam)) return 0; break;
    case WM_DESTROY: OnDestroy(); break;
    }
    return Slider::WindowProc(message, wParam, lParam);
}

bool TipSlider::EnablePositionTip() {
    if (!hwnd() || tip_.hwnd()) return false;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    return SwitchTipOn(client);
}

bool TipSlider::EnablePositionTipAfterShow() {
    if (!hwnd() || tip_.hwnd() || tipPending_) return false;
    ::GetClientRect(hwnd(), &pendingRect_);
    tipPending_ = SetTimerAfterShow(kTipTimer);
    return tipPending_;
}

bool TipSlider::SwitchTipOn(const RECT& toolRect) {
    if (tipPending_) {
        KillTimer(kTipTimer);
        tipPending_ = false;
    }
    if (!tip_.Create(hwnd(), TTS_ALWAYSTIP)) return false;
    if (!tip_.AddTool(hwnd(), kToolId, toolRect, kInitialText)) {
        tip_.DestroyWindow();
        return false;
    }
    tip_.Activate(true);
    return true;
}

bool TipSlider::OnTimer(UINT_PTR id) {
    if (id != kTipTimer) return false;
    if (tipPending_ && !tip_.hwnd()) (void)SwitchTipOn(pendingRect_);
    return true;
}

bool TipSlider::PreTranslateMessage(MSG& message) {
    if (tip_.hwnd()) tip_.RelayEvent(message);
    return Slider::PreTranslateMessage(message);
}

void TipSlider::OnMouseMove(UINT, POINT) {
    if (tip_.hwnd()) {
        char text[kPositionTextSize];
        std::snprintf(text, sizeof(text), "%d", GetPos());
        tip_.UpdateTipText(hwnd(), kToolId, text);
        tip_.Activate(true);
        tip_.Update();
    }
}

void TipSlider::OnDestroy() {
    // The tip is a pop-up owned by the top-level window, not by the slider.
    tip_.DestroyWindow();
    tipPending_ = false;  // the timer goes with the window
}

}  // namespace ostrivan
