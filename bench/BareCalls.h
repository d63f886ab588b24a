// The bare platform calls the console's work needs, with nothing of the
// console in between: the yardstick of the benchmark. Each returns false
// when a call failed (the measurement is then worthless).
#pragma once

#include <string>

namespace bench {

// One refresh's calls: enumerate the video input devices, bind the named
// one, read exposure, brightness and contrast (range and value each), release.
bool BareRefresh(const std::string& name);
// One write's calls: enumerate, bind the named one, set brightness, release.
bool BareWrite(const std::string& name, long brightness);

}  // namespace bench
