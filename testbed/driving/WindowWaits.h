// Waiting for a window to come or to go.
//
// WaitForWindow gives the first window the query finds once there is one,
// or null when none came within the time; WaitUntilGone reports with a bool
// whether the window was destroyed or hidden within the time. Both poll as
// WaitUntil does (Wait.h) and take no messages meanwhile.
#pragma once

#include "driving/HangLimit.h"
#include "driving/WindowSearch.h"

#include <windows.h>

namespace driving {

[[nodiscard]] HWND WaitForWindow(const WindowQuery& query, DWORD ms = kHangLimitMs);
[[nodiscard]] bool WaitUntilGone(HWND window, DWORD ms = kHangLimitMs);

}  // namespace driving
