#include "StallProbe.h"

#include "BenchClock.h"

#include "base/UniqueHandle.h"
#include "driving/HangLimit.h"

namespace bench {

bool LongestSendWait(const std::vector<HWND>& windows, DWORD spanMs, double* longestMs) {
    // A periodic timer paces the sends; one that was held up past a period
    // goes at once, and the next keeps the period.
    ostrivan::UniqueHandle timer(::CreateWaitableTimerA(nullptr, FALSE, nullptr));
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(kProbePeriodMs) * 10000;  // relative, in 100 ns
    if (!timer || !::SetWaitableTimer(timer.get(), &due, kProbePeriodMs, nullptr, nullptr, FALSE)) return false;
    double longest = 0;
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    while (MsSince(start) < spanMs) {
        if (::WaitForSingleObject(timer.get(), driving::kHangLimitMs) != WAIT_OBJECT_0) return false;
        for (HWND window : windows) {
            bool answered = false;
            const double waited = TimeMs([&] {
                DWORD_PTR ignored = 0;
                answered = ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, driving::kHangLimitMs, &ignored) != 0;
            });
            if (!answered) return false;
            if (waited > longest) longest = waited;
        }
    }
    ::CancelWaitableTimer(timer.get());
    *longestMs = longest;
    return true;
}

}  // namespace bench
