#include "framework/PostTarget.h"

namespace ostrivan {

void PostTarget::Open(HWND window, UINT message) {
    ::AcquireSRWLockExclusive(&lock_);
    window_ = window;
    message_ = message;
    ::ReleaseSRWLockExclusive(&lock_);
}

void PostTarget::Close() {
    // Waits for a post in progress, so none reaches the window after this.
    ::AcquireSRWLockExclusive(&lock_);
    window_ = nullptr;
    ::ReleaseSRWLockExclusive(&lock_);
}

bool PostTarget::Post(WPARAM wParam, LPARAM lParam) {
    ::AcquireSRWLockShared(&lock_);
    bool posted = window_ && ::PostMessageA(window_, message_, wParam, lParam);
    ::ReleaseSRWLockShared(&lock_);
    return posted;
}

}  // namespace ostrivan
