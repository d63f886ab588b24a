// Pressing buttons as a user's click does, from any thread or process.
//
// A press is posted (BM_CLICK), so that a dialog or message box the click
// opens does not hold the caller; Press reports false when there is no
// button or the post failed. PressAndWaitGone reports false when the window
// holds no visible, enabled control with that id, or stayed shown past the
// time.
#pragma once

#include "driving/HangLimit.h"

#include <windows.h>

namespace driving {

bool Press(HWND button);
// Presses the control with that id among the window's descendants and
// waits until the window is destroyed or hidden.
[[nodiscard]] bool PressAndWaitGone(HWND window, int controlId, DWORD ms = kHangLimitMs);

}  // namespace driving
