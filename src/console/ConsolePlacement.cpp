#include "console/ConsolePlacement.h"

#include "settings/SettingsStore.h"

namespace ostrivan {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool AlwaysOnTop() { return ReadSettingNumberOrZero(HKEY_CURRENT_USER, kAlwaysOnTopValue) != 0; }

// A stored rectangle nobody could reach counts as no rectangle.
bool Reachable(const RECT& r) { return Height(r) > 0 && ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr; }

}  // namespace

bool ConsolePlacement::Restore(HWND window) {
    RECT stored{};
    if (!store_.LoadWindowPosition(kConsoleKey, &stored) || !Reachable(stored)) return false;
    restored_ = true;
    HWND order = AlwaysOnTop() ? HWND_TOPMOST : HWND_TOP;
    ::SetWindowPos(window, order, stored.left, stored.top, 0, 0, SWP_NOSIZE | SWP_NOOWNERZORDER);
    RECT now{};
    ::GetWindowRect(window, &now);
    ::SetWindowPos(window, order, now.left, now.top, Width(now), Height(stored), SWP_NOOWNERZORDER);
    return true;
}

void ConsolePlacement::Save(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    store_.SaveWindowPosition(r.left, r.top, r.right, r.bottom, kConsoleKey);
}

void ConsolePlacement::ApplyAlwaysOnTop(HWND window) {
    HWND order = AlwaysOnTop() ? HWND_TOPMOST : HWND_NOTOPMOST;
    ::SetWindowPos(window, order, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER);
}

}  // namespace ostrivan
