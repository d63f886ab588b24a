#include "framework/TipSlider.h"

#include <cstdio>

namespace ostrivan {

LRESULT TipSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PointOf(lParam)); break;
    case WM_DESTROY: OnDestroy(); break;
    }
    return Slider::WindowProc(message, wParam, lParam);
}

bool TipSlider::EnablePositionTip() {
    if (!hwnd() || tip_.hwnd()) return false;
    if (!tip_.Create(hwnd(), TTS_ALWAYSTIP)) return false;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    if (!tip_.AddTool(hwnd(), kToolId, client, kInitialText)) {
        tip_.DestroyWindow();
        return false;
    }
    tip_.Activate(true);
    EnableToolTips();
    return true;
}

bool TipSlider::PreTranslateMessage(MSG& message) {
    if (tip_.hwnd()) tip_.RelayEvent(message);
    return Slider::PreTranslateMessage(message);
}

void TipSlider::OnMouseMove(UINT, POINT) {
    if (tip_.hwnd()) {
        char text[16];
        std::snprintf(text, sizeof(text), "%d", GetPos());
        tip_.UpdateTipText(hwnd(), kToolId, text);
        tip_.Activate(true);
        tip_.Update();
    }
}

void TipSlider::OnDestroy() {
    // The tip is a pop-up owned by the top-level window, not by the slider.
    tip_.DestroyWindow();
}

}  // namespace ostrivan
