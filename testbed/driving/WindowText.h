// What a window shows, read as the user would see it.
//
// The texts come from WM_GETTEXT where the platform sends it (a window of
// this process, an edit control's contents); a window that is gone reads
// as empty. ClassName is empty for a window that is gone.
#pragma once

#include <windows.h>

#include <string>

namespace driving {

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int controlId);
std::string ClassName(HWND window);

}  // namespace driving
