// The look of the small modal dialogs (options and the parental lock's):
// window kind 8 with one background image and no skinned controls.
#pragma once

#include "skin/SkinSession.h"

namespace ostrivan {

// Opens the session on the window; false leaves the window unskinned.
bool SkinDialogWindow(SkinSession& session, HWND window, const char* imageName);

}  // namespace ostrivan
