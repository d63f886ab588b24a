// PostTarget: a window that other threads may ask for work by posting it
// one message, for as long as the window's own thread keeps it open. The
// window's thread opens it once the window exists and closes it before the
// window goes; a post after the close does nothing. At most one request is
// queued at a time: requests that come faster than the window handles them
// are merged, so a flood of them never buries the window's other messages.
// Nothing is ever sent, so a thread that posts never waits on the window.
//
// Error rule: Post reports whether a message is queued now.
#pragma once

#include <windows.h>

#include <atomic>

namespace ostrivan {

class PostTarget {
public:
    PostTarget() { ::InitializeSRWLock(&lock_); }
    PostTarget(const PostTarget&) = delete;
    PostTarget& operator=(const PostTarget&) = delete;

    void Open(HWND window, UINT message);
    void Close();
    bool Post();
    // The window's thread took the queued request: the next one is posted.
    void Taken() { pending_ = false; }

private:
    SRWLOCK lock_;
    HWND window_ = nullptr;
    UINT message_ = 0;
    std::atomic<bool> pending_{false};
};

}  // namespace ostrivan
