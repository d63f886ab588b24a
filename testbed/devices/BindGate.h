// The gate at which a camera holds the binds of threads that show no
// window (kHoldBackgroundBinds): a named manual-reset event per camera. A
// test closes the gate by making a BindGate and opens it with Open() or by
// letting the BindGate go, so that no bind stays held after the test. While
// no BindGate of the camera lives, binds pass.
#pragma once

#include "base/UniqueHandle.h"

namespace testbed {

class BindGate {
public:
    // Closed; valid() is false when the gate could not be made.
    explicit BindGate(int index);
    ~BindGate() { Open(); }
    BindGate(const BindGate&) = delete;
    BindGate& operator=(const BindGate&) = delete;

    bool valid() const { return static_cast<bool>(event_); }
    void Open();

private:
    ostrivan::UniqueHandle event_;
};

// The capture device's side: waits while the camera's gate is closed, at
// most kMaxBindHoldMs.
void WaitAtBindGate(int index);

}  // namespace testbed
