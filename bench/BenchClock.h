// Wall-clock timing for the benchmark: one timed run of a body, in
// milliseconds from the performance counter.
#pragma once

#include <windows.h>

namespace bench {

template <typename Body>
double TimeMs(Body body) {
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    body();
    ::QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
