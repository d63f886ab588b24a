// The look of the console's dialogs: window kind 8 with one background image
// and no skinned controls; the view panel's descriptor also lists control ids.
#pragma once

#include "skin/SkinSession.h"

#include <cstdint>

namespace ostrivan {

// Opens the session on the window; false leaves the window unskinned.
bool SkinDialogWindow(SkinSession& session, HWND window, const char* imageName);
// The same with the extended descriptor and its list of ids (idCount of them).
bool SkinDialogWindow(SkinSession& session, HWND window, const char* imageName, const uint32_t* ids,
                      uint32_t idCount);

}  // namespace ostrivan
