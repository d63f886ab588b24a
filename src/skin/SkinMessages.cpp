#include "skin/SkinMessages.h"

namespace ostrivan {

const SkinMessageIds& SkinMessages() {
    static const SkinMessageIds ids{
        ::RegisterWindowMessageA("WM_HKWND_FUNC"),
        ::RegisterWindowMessageA("WM_HKBUTTON_FUNCTION"),
        ::RegisterWindowMessageA("WM_HKSTATIC_FUNCTION"),
        ::RegisterWindowMessageA("WM_HKSLIDER_FUNCTION"),
    };
    return ids;
}

void RegisterSkinMessages() { SkinMessages(); }

LRESULT SetButtonImage(HWND button, const char* imageName) {
    return ::SendMessageA(button, SkinMessages().buttonFunction, kSetButtonImage, reinterpret_cast<LPARAM>(imageName));
}

}  // namespace ostrivan
