// The standalone console's watcher thread: restores the window when another
// launch signals Restore, and closes it on Quit or Close.
//
// The watcher closes and clears the context's Restore, Quit and Close events
// when it ends. The entry point signals Quit only through StopConsoleWatcher,
// which holds the same lock, so no event is signalled after it is closed.
#pragma once

#include "launch/LaunchContext.h"

namespace ostrivan {

// Watcher -> console window (posted): another launch asked for the running
// console; the window restores itself and comes to the front on its own
// thread, so the watcher never waits on it.
constexpr UINT kMsgBringToFront = WM_APP + 0x20;

// Starts the watcher for a context whose consoleWindow is set; the thread
// handle goes to context->watcherThread. False when no thread was started.
bool StartConsoleWatcher(LaunchContext* context);

// Signals Quit (when the watcher still holds it), waits for the watcher to
// end, and closes and clears watcherThread.
void StopConsoleWatcher(LaunchContext* context);

// The thread procedure itself.
unsigned __stdcall ConsoleWatcher(void* context);

}  // namespace ostrivan
