// How long a window's thread keeps a sent message waiting: WM_NULL sent to
// each window every kProbePeriodMs over a span, from this thread, each send
// timed alone.
#pragma once

#include <windows.h>

#include <vector>

namespace bench {

constexpr DWORD kProbePeriodMs = 10;

// The longest wait of any send in *longestMs. False when a send failed or
// was not answered within the hang limit (the window's thread hangs or is
// gone), or no timer could pace the sends.
[[nodiscard]] bool LongestSendWait(const std::vector<HWND>& windows, DWORD spanMs, double* longestMs);

}  // namespace bench
