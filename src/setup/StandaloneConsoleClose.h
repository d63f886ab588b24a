// Ends a running standalone console before the settings it would write on
// closing are removed.
#pragma once

namespace ostrivan {

// Signals the standalone console's Quit event and, when a console in another
// process took it, waits a bounded time for that process to end.
void CloseStandaloneConsole();

}  // namespace ostrivan
