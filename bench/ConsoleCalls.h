// The console's side of the benchmark: the view panel's window itself, for
// one refresh and for one slider movement. Each returns false when it failed.
#pragma once

#include <string>

namespace bench {

// The panel's refresh on its timer: open a channel on the camera, read its
// three records, close, show them. The first call makes the panel.
bool ConsoleRefresh(const std::string& name);
// One slider movement: a key moves the brightness slider one step, and the
// panel writes its records through a new channel (only the changed one
// reaches the camera). The value given is not used: the slider goes one
// step on, turning at the ends of its range.
bool ConsoleWrite(const std::string& name, long brightness);
// Destroys the panel.
void ConsoleDone();

}  // namespace bench
