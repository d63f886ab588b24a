// Waiting for a state that another thread or process brings about.
//
// WaitUntil polls the predicate every kPollMs until it holds and reports
// with a bool whether it did within the time; the state decides, never the
// time alone. The waiting thread takes no messages meanwhile: a thread whose
// windows must keep answering waits with PumpUntil (Pump.h).
#pragma once

#include "driving/HangLimit.h"

#include <windows.h>

namespace driving {

constexpr DWORD kPollMs = 10;

template <typename Predicate>
[[nodiscard]] bool WaitUntil(Predicate&& holds, DWORD ms = kHangLimitMs) {
    const ULONGLONG start = ::GetTickCount64();
    while (!holds()) {
        if (::GetTickCount64() - start > ms) return false;
        ::Sleep(kPollMs);
    }
    return true;
}

}  // namespace driving
