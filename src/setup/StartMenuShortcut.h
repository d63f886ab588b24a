// The start-menu shortcut that starts the standalone console: under the
// programs folder's "Kestrane\" folder, in the camera's own folder named by
// its driver key. Failures are reported as false (or a failed HRESULT).
#pragma once

#include <windows.h>

namespace ostrivan {

// Saves a shell link at linkPath (replacing an older file). arguments may be
// null. Returns the save's result, S_OK on success.
HRESULT CreateShortcut(const char* target, const char* arguments, const char* iconFile, int iconIndex,
                       const char* linkPath, const char* description);

// Creates the console's shortcut; false when any step fails.
bool CreateStartMenuShortcut();

// Deletes the console's shortcut and the folders it leaves empty. Files of
// the user's own stay, and so do their folders.
void RemoveStartMenuShortcut();

}  // namespace ostrivan
