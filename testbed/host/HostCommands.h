// What the console host program takes from other programs: messages sent or
// posted to its main window (class "CamTestBedConsoleHost"). A sent message's
// result is the host dispatcher's status.
#pragma once

#include <windows.h>

namespace testbed {

constexpr const char* kConsoleHostClass = "CamTestBedConsoleHost";

enum HostMessage : UINT {
    // wParam instance number (0 or 1): DestroyInstance on the host's thread,
    // wherever its loop is now (inside a dialog's loop of the console, too).
    kHostDestroy = WM_APP + 1,
    // wParam instance number: DestroyInstance from a thread of the host's
    // own; the result comes once that thread has ended.
    kHostDestroyFromThread = WM_APP + 2,
    // wParam instance number: DestroyInstance again with the record it held.
    kHostDestroyStale = WM_APP + 3,
    // wParam instance number: OpenIntegratedConsole once more.
    kHostOpenAgain = WM_APP + 4,
    // wParam instance number: the console's window handle (0 when none).
    kHostConsoleWindow = WM_APP + 5,
};

}  // namespace testbed
