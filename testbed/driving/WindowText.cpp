#include "driving/WindowText.h"

namespace driving {

std::string WindowText(HWND window) {
    char text[1024] = {};
    if (window) ::GetWindowTextA(window, text, sizeof(text));
    text[sizeof(text) - 1] = '\0';
    return text;
}

std::string ControlText(HWND dialog, int controlId) { return WindowText(::GetDlgItem(dialog, controlId)); }

std::string ClassName(HWND window) {
    char name[256] = {};
    if (window) ::GetClassNameA(window, name, sizeof(name));
    return name;
}

}  // namespace driving
