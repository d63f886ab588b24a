// A window's message queue taken as full, for the code of this program.
//
// Windows refuses a post once 10000 messages wait in a thread's queue
// (ERROR_NOT_ENOUGH_QUOTA); this Wine takes every post, so a test cannot
// fill a queue here. While a FullQueue lives, every post that this
// program's code makes to its window fails as on a full queue. The first
// refused post of the watched message is recorded, and the thread that made
// it is stopped at its next ReleaseMutex until Resume(): for a console's
// device-change worker, the moment when its hand-over has failed and it is
// giving up its turn, but still lives. One FullQueue at a time.
#pragma once

#include "support/ImportPatch.h"

#include <windows.h>

namespace testsupport {

class FullQueue {
public:
    FullQueue(HWND window, UINT watched);
    // Takes posts again and resumes a stopped thread.
    ~FullQueue();
    FullQueue(const FullQueue&) = delete;
    FullQueue& operator=(const FullQueue&) = delete;

    // Whether both imports could be replaced.
    bool active() const { return post_.patched() && release_.patched(); }
    // The lParam of the first refused post of the watched message.
    bool WaitForRefusal(DWORD ms, LPARAM* lParam);
    // The thread of that post is stopped at its ReleaseMutex.
    bool WaitUntilStopped(DWORD ms);
    void Resume();

private:
    bool armed_;
    ImportPatch post_;
    ImportPatch release_;
};

}  // namespace testsupport
