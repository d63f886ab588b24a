// The console's side of the benchmark: the view panel's window itself, for
// one refresh and for one slider movement, each timed until its camera
// work is done and shown. Each returns false when it failed.
#pragma once

#include <string>

namespace bench {

// The panel's refresh on its timer: its worker opens a channel on the
// camera, reads its three records and closes; the panel shows them when the
// reading comes back. The first call makes the panel.
bool ConsoleRefresh(const std::string& name);
// One slider movement: a key moves the brightness slider one step, and the
// panel's worker writes the moved record through a new channel (the key's
// release asks for a write too, which changes nothing and opens no
// channel). Over once the worker is idle again. The value given is not
// used: the slider goes one step on, turning at the ends of its range.
bool ConsoleWrite(const std::string& name, long brightness);
// Destroys the panel.
void ConsoleDone();

}  // namespace bench
