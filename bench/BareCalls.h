// The bare platform calls the console's work needs, with nothing of the
// console in between: the yardstick of the benchmarks. Each returns false
// when a call failed (the measurement is then worthless).
#pragma once

#include <string>

namespace bench {

// What a read of one property gives a slider.
struct BareProperty {
    long minimum = 0;
    long maximum = 0;
    long step = 1;
    long value = 0;
    long flags = 0;  // 1 automatic, 2 manual
};

enum BareRead { kExposureRead, kBrightnessRead, kContrastRead, kReadCount };
enum BareAdvancedRead { kPowerLineRead, kSharpnessRead, kBacklightRead, kAdvancedReadCount };

// One refresh's calls: enumerate the video input devices, bind the named
// one, read exposure, brightness and contrast (range and value each), release.
bool BareRefresh(const std::string& name, BareProperty (&read)[kReadCount]);
bool BareRefresh(const std::string& name);
// The advanced settings' refresh: the same for power-line frequency,
// sharpness and backlight compensation.
bool BareAdvancedRefresh(const std::string& name, BareProperty (&read)[kAdvancedReadCount]);
// One write's calls: enumerate, bind the named one, set brightness, release.
bool BareWrite(const std::string& name, long brightness);

}  // namespace bench
