#include "FrameworkTest.h"

namespace frameworktest {

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(window, CountChild, count);
    return TRUE;
}
}  // namespace

int CountThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace frameworktest
