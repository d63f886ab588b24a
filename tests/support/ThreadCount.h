// Threads of this process, for tests that wait until threads they caused
// (a console's workers among them) have ended.
#pragma once

#include <windows.h>

#include <tlhelp32.h>

namespace testsupport {

// -1 when the threads cannot be listed.
inline int ThreadCount() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
    }
    ::CloseHandle(snapshot);
    return count;
}

}  // namespace testsupport
