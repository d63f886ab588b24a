// Whether a named kernel object exists now, looked at from a test.
#pragma once

#include <windows.h>

namespace testsupport {

inline bool MutexExists(const char* name) {
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (!mutex) return false;
    ::CloseHandle(mutex);
    return true;
}

inline bool EventExists(const char* name) {
    HANDLE event = ::OpenEventA(SYNCHRONIZE, FALSE, name);
    if (!event) return false;
    ::CloseHandle(event);
    return true;
}

}  // namespace testsupport
