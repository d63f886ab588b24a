// Finding the supported cameras in the system's device-installation
// database. Results are plain values; nothing is logged or shown.
#pragma once

#include "launch/LaunchContext.h"

#include <cstddef>
#include <cstdint>

namespace ostrivan {

// The one supported hardware ID.
extern const char* const kSupportedHardwareIds[];
extern const size_t kSupportedHardwareIdCount;

// Fills deviceCount and deviceNames of a zero-filled context. Returns
// kStatusOk when at least one camera was recorded, else kStatusNoCamera.
uint32_t FindCameras(LaunchContext* context);

// Whether the hardware-ID list (NUL-separated strings ending with an empty
// one, at most `size` bytes) names a supported ID. Each string is split at
// its commas and every piece is compared. Never reads past `size` bytes.
bool HardwareIdListMatches(const char* list, size_t size);

}  // namespace ostrivan
