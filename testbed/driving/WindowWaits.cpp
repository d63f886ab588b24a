#include "driving/WindowWaits.h"

#include "driving/Wait.h"

namespace driving {

HWND WaitForWindow(const WindowQuery& query, DWORD ms) {
    HWND found = nullptr;
    return WaitUntil([&] { return (found = query.Find()) != nullptr; }, ms) ? found : nullptr;
}

bool WaitUntilGone(HWND window, DWORD ms) {
    return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, ms);
}

}  // namespace driving
