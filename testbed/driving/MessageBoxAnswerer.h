// Answers one message box from a thread of its own, as soon as it shows:
// for a box that comes while the caller's thread is busy waiting for
// something else (a window that shows only once the box is answered).
//
// Join reports with a bool whether a box was answered and has gone; what
// it showed is in seen() afterwards. Whatever happens, the destructor stops
// the wait and joins the thread.
#pragma once

#include "driving/HangLimit.h"
#include "driving/MessageBoxes.h"
#include "driving/WindowSearch.h"

#include <windows.h>

#include <atomic>
#include <thread>

namespace driving {

class MessageBoxAnswerer {
public:
    // The first box which finds gets button; waits for it at most ms.
    MessageBoxAnswerer(WindowQuery which, int button, DWORD ms = kHangLimitMs);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    [[nodiscard]] bool Join();
    const MessageBoxSeen& seen() const { return seen_; }

private:
    void Answer(DWORD ms);

    WindowQuery which_;
    int button_;
    MessageBoxSeen seen_;
    std::atomic<bool> stop_{false};
    bool answered_ = false;
    std::thread thread_;
};

}  // namespace driving
