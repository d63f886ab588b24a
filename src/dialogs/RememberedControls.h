// The controls of a camera panel that follow the camera, looked up once
// when the window is made: refreshes come every 1.5 s and enable them by id.
//
// Error rule: ids that are not remembered (or past kMaxControls) are
// ignored; nothing reports failure.
#pragma once

#include <windows.h>

#include <cstddef>

namespace ostrivan {

class RememberedControls {
public:
    static constexpr size_t kMaxControls = 16;

    // Looks the control up in the dialog; an id remembered before takes the new window.
    void Remember(HWND dialog, int id);
    // A control whose state is right already is left alone.
    void Enable(int id, bool enable);

private:
    struct Control {
        int id;
        HWND window;
    };

    Control controls_[kMaxControls] = {};
    size_t count_ = 0;
};

}  // namespace ostrivan
