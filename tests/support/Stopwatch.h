// Wall-clock time for tests that look at how long something took, in
// milliseconds from the performance counter.
#pragma once

#include <windows.h>

namespace testsupport {

inline double NowMs() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace testsupport
