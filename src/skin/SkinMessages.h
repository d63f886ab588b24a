// The skinning library's registered window messages, registered once when
// the module loads (and on first use in a program that links the code).
#pragma once

#include <windows.h>

namespace ostrivan {

struct SkinMessageIds {
    UINT windowFunction;  // "WM_HKWND_FUNC"
    UINT buttonFunction;  // "WM_HKBUTTON_FUNCTION"
    UINT staticFunction;  // "WM_HKSTATIC_FUNCTION"
    UINT sliderFunction;  // "WM_HKSLIDER_FUNCTION"
};

const SkinMessageIds& SkinMessages();
void RegisterSkinMessages();

// wParam of WM_HKBUTTON_FUNCTION that gives a skinned button another image.
constexpr WPARAM kSetButtonImage = 6;

// Sends SetButtonImage to a skinned button; the library's answer.
LRESULT SetButtonImage(HWND button, const char* imageName);

}  // namespace ostrivan
