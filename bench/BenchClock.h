// Wall-clock timing for the benchmark: one timed run of a body, in
// milliseconds from the performance counter, and the median of several.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

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

inline double Median(std::vector<double> times) {
    if (times.empty()) return 0;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace bench
