#include "framework/PostTarget.h"

namespace ostrivan {

void PostTarget::Open(HWND window, UINT message) {
    ::AcquireSRWLockExclusive(&lock_);
    window_ = window;
    message_ = message;
    pending_ = false;
    ::ReleaseSRWLockExclusive(&lock_);
}

void PostTarget::Close() {
    // Waits for a post in progress, so none reaches the window after this.
    ::AcquireSRWLockExclusive(&lock_);
    window_ = nullptr;
    ::ReleaseSRWLockExclusive(&lock_);
}

bool PostTarget::Post() {
    ::AcquireSRWLockShared(&lock_);
    bool queued = false;
    if (window_) {
        queued = pending_.exchange(true);
        if (!queued) {
            queued = ::PostMessageA(window_, message_, 0, 0) != FALSE;
            if (!queued) pending_ = false;
        }
    }
    ::ReleaseSRWLockShared(&lock_);
    return queued;
}

}  // namespace ostrivan
