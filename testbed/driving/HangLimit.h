// The one bound of every wait in the tests, the benchmarks and the test
// bed's tools. Reaching it means a hang: it is long enough that a slow,
// loaded machine never does.
#pragma once

#include <windows.h>

namespace driving {

constexpr DWORD kHangLimitMs = 60000;

}  // namespace driving
