// Sizes of the fixed text buffers shared by the launch record, the camera
// channel and the parental lock.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ostrivan {

constexpr uint32_t kMaxDevices = 10;     // cameras one launch records
constexpr size_t kDeviceNameSize = 128;  // one description slot, NUL included
constexpr size_t kPathSize = 260;        // paths and names, NUL included

}  // namespace ostrivan
