#include "framework/TipSlider.h"

#include <cstdio>

namespace ostrivan {

LRESULT TipSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
    case WM_DESTROY: return OnDestroy(wParam, lParam);
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

LRESULT TipSlider::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (tip_.hwnd()) {
        char text[16];
        std::snprintf(text, sizeof(text), "%d", GetPos());
        tip_.UpdateTipText(hwnd(), kToolId, text);
        tip_.Activate(true);
        tip_.Update();
    }
    return DefaultProc(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT TipSlider::OnDestroy(WPARAM wParam, LPARAM lParam) {
    // The tip is a pop-up owned by the top-level window, not by the slider.
    tip_.DestroyWindow();
    return DefaultProc(WM_DESTROY, wParam, lParam);
}

}  // namespace ostrivan
