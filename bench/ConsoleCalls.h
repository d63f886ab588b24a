// The console's side of the benchmark: what the view panel does for one
// refresh and for one slider movement. Each returns false when it failed.
#pragma once

#include <string>

namespace bench {

// The panel's refresh: open a channel on the camera, read its three records, close.
bool ConsoleRefresh(const std::string& name);
// One slider movement: brightness moved, then the panel's write of its
// three records through a new channel (only the changed one reaches the camera).
bool ConsoleWrite(const std::string& name, long brightness);

}  // namespace bench
