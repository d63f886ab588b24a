// Where the camera test bed keeps what the platform cannot tell by itself.
#pragma once

namespace testbed {

// HKLM: one REG_DWORD per device instance ID, the device-node status bits.
constexpr const char* kDevNodeStatusKey = "Software\\CameraTestBed\\DevNodeStatus";

}  // namespace testbed
