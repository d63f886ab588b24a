// The power-line frequency (anti-flicker) of a camera. Cameras publish it as
// picture-control property 13; those that do not are reached through the
// camera-private property 259 (VendorProperty.h), which codes the same three
// settings one higher.
//
//   PowerLineFrequency                        the record's values: off, 50 Hz, 60 Hz
//   ToFallbackCode / FromFallbackCode         the private property's coding, and back
//   ReadPowerLineFrequency / WritePowerLineFrequency   published property first, then the private one
//
// Error rule: the read reports whether the record holds the camera's
// setting, the write whether either way took it; neither throws.
#pragma once

#include "camera/CameraChannel.h"

#include <cstdint>

namespace ostrivan {

// The published picture-control property; older headers do not name it.
constexpr long kPowerLineFrequencyProperty = 13;

enum class PowerLineFrequency : int32_t { Off = 0, Hz50 = 1, Hz60 = 2 };
// The private property's codes for the same settings.
enum class PowerLineFallbackCode : uint32_t { Off = 1, Hz50 = 2, Hz60 = 3 };

// A value without a setting of its own codes as off, both ways.
uint32_t ToFallbackCode(int32_t value);
int32_t FromFallbackCode(uint32_t code);

// Through IAMVideoProcAmp; when that fails and the channel has the private
// property set, the record gets the private property's fixed range (1 to 3,
// step 1, default 2, manual) and its value, applied state included. A
// record the private property does not answer is marked invalid.
[[nodiscard]] bool ReadPowerLineFrequency(CameraChannel* channel, CameraProperty* record);
// Through IAMVideoProcAmp; when that fails and the channel has the private
// property set, the coded value is set there and the record counts as
// applied whatever the camera answered.
bool WritePowerLineFrequency(CameraChannel* channel, CameraProperty* record);

}  // namespace ostrivan
