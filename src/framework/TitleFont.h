// The bold title font of the console's windows.
#pragma once

#include "base/UniqueHandle.h"

#include <windows.h>

namespace ostrivan {

// The window's own font (WM_GETFONT), 12 pixels high and bold, in the
// Shift-JIS character set for a Japanese user and the default one else.
// Empty when no font could be made.
[[nodiscard]] UniqueGdi<HFONT> CreateTitleFont(HWND window);

}  // namespace ostrivan
