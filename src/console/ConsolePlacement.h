// ConsolePlacement: where the standalone console stands on screen. It keeps
// the window's rectangle under the console key (the width always comes
// from the template) and applies the "AlwaysOnTop" setting.
//
// Failures are quiet: a rectangle that is incomplete or that nobody could
// reach counts as none, and an unreadable setting as 0.
#pragma once

#include "settings/WindowPositionStore.h"

#include <windows.h>

namespace ostrivan {

class ConsolePlacement {
public:
    // Moves the window to the stored rectangle's place and height, above the
    // others when the setting says so; false when there is no rectangle.
    bool Restore(HWND window);
    // Stores the window's rectangle.
    void Save(HWND window);
    // The setting as it is now: the window goes above the others or back
    // among them.
    static void ApplyAlwaysOnTop(HWND window);

    // Whether a stored rectangle was applied.
    bool restored() const { return restored_; }

private:
    WindowPositionStore store_;
    bool restored_ = false;
};

}  // namespace ostrivan
