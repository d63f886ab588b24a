#include "dialogs/RememberedControls.h"

namespace ostrivan {

void RememberedControls::Remember(HWND dialog, int id) {
    HWND window = ::GetDlgItem(dialog, id);
    if (!window) return;
    for (size_t i = 0; i < count_; ++i) {
        if (controls_[i].id == id) {
            controls_[i].window = window;
            return;
        }
    }
    if (count_ < kMaxControls) controls_[count_++] = Control{id, window};
}

void RememberedControls::Enable(int id, bool enable) {
    for (size_t i = 0; i < count_; ++i) {
        if (controls_[i].id != id) continue;
        HWND window = controls_[i].window;
        if ((::IsWindowEnabled(window) != FALSE) != enable) ::EnableWindow(window, enable ? TRUE : FALSE);
        return;
    }
}

}  // namespace ostrivan
