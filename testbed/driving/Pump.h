// Handling this thread's messages (timers, posted work, sent messages)
// until a state comes.
//
// PumpUntil reports with a bool whether the state came within the time; it
// also gives up, reporting the state as it then is, when the pump takes
// WM_QUIT (posted again for the caller's own loop). The pump is the loop
// that handles what is queued: DispatchPending by default, or one that
// pre-translates as the code under test expects.
#pragma once

#include "driving/HangLimit.h"

#include <windows.h>

#include <functional>

namespace driving {

// Handles every message queued now; false when it took WM_QUIT.
using PendingPump = bool (*)();

// Translates and dispatches what is queued; false on WM_QUIT, which it
// posts again.
bool DispatchPending();

[[nodiscard]] bool PumpUntil(const std::function<bool()>& done, DWORD ms = kHangLimitMs,
                             PendingPump pump = DispatchPending);

}  // namespace driving
