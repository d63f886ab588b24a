// PostTarget: a window that other threads may post one message to, for as
// long as the window's own thread keeps it open. The window's thread opens it
// once the window exists and closes it before the window goes; a post after
// the close does nothing. Nothing is ever sent, so a thread that posts never
// waits on the window's thread.
//
// Error rule: Post reports whether a message was queued.
#pragma once

#include <windows.h>

namespace ostrivan {

class PostTarget {
public:
    PostTarget() { ::InitializeSRWLock(&lock_); }
    PostTarget(const PostTarget&) = delete;
    PostTarget& operator=(const PostTarget&) = delete;

    void Open(HWND window, UINT message);
    void Close();
    bool Post(WPARAM wParam, LPARAM lParam);

private:
    SRWLOCK lock_;
    HWND window_ = nullptr;
    UINT message_ = 0;
};

}  // namespace ostrivan
