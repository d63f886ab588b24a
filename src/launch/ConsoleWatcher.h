// The standalone console's watcher thread: restores the window when another
// launch signals Restore, and closes it on Quit or Close.
//
// The watcher closes and clears the context's Restore, Quit and Close events
// when it ends; StopConsoleWatcher closes those still held when no watcher
// ran. The entry point signals Quit only through StopConsoleWatcher, which
// holds the same lock, so no event is signalled after it is closed.
#pragma once

#include "launch/LaunchContext.h"

namespace ostrivan {

// Starts the watcher for a context whose consoleWindow is set; the thread
// handle goes to context->watcherThread. False when no thread was started.
bool StartConsoleWatcher(LaunchContext* context);

// Signals Quit (when the watcher still holds it), waits for the watcher to
// end, closes and clears watcherThread and closes the events still held.
void StopConsoleWatcher(LaunchContext* context);

// The thread procedure itself.
unsigned __stdcall ConsoleWatcher(void* context);

}  // namespace ostrivan
