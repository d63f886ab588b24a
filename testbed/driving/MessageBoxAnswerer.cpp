#include "driving/MessageBoxAnswerer.h"

#include "driving/Wait.h"

namespace driving {

MessageBoxAnswerer::MessageBoxAnswerer(WindowQuery which, int button, DWORD ms)
    : which_(std::move(which)), button_(button), thread_([this, ms] { Answer(ms); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

bool MessageBoxAnswerer::Join() {
    if (thread_.joinable()) thread_.join();
    return answered_;
}

void MessageBoxAnswerer::Answer(DWORD ms) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return stop_ || (box = which_.Find()) != nullptr; }, ms) || !box) return;
    MessageBoxSeen seen;
    if (!ReadMessageBox(box, &seen) || !AnswerMessageBox(box, button_, ms)) return;
    seen_ = seen;
    answered_ = true;
}

}  // namespace driving
