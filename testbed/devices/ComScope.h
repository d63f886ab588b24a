// COM for the length of one test-bed operation, whatever the caller's thread
// had. Multithreaded: a single-threaded apartment would make a window, and
// with it the desktop, which must not start before the display does.
#pragma once

#include <objbase.h>

namespace testbed {

class ComScope {
public:
    ComScope() : started_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ~ComScope() {
        if (started_) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool started_;
};

}  // namespace testbed
