#include "driving/Pump.h"

#include "driving/Wait.h"

namespace driving {

bool DispatchPending() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return true;
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms, PendingPump pump) {
    const ULONGLONG start = ::GetTickCount64();
    while (!done()) {
        if (::GetTickCount64() - start > ms) return false;
        // Wakes for anything new, timers among it; the poll catches a state
        // that another thread changes without a message.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
        if (!pump()) return done();
    }
    return true;
}

}  // namespace driving
