// Where the camera test bed keeps what the platform cannot tell by itself.
#pragma once

namespace testbed {

// HKLM: one REG_DWORD per device instance ID, the device-node status bits.
constexpr const char* kDevNodeStatusKey = "Software\\CameraTestBed\\DevNodeStatus";

// HKLM: one subkey per virtual camera (see VirtualCameraStore.h).
constexpr const char* kVirtualCamerasKey = "Software\\CameraTestBed\\VirtualCameras";

// HKLM: where the camera's driver side keeps the parental password hash.
constexpr const char* kDriverConsoleKey = "Software\\Kestrane Tech\\Web Cameras\\XC0730\\Console";
constexpr const char* kPasswordHashValue = "Reserved2";

}  // namespace testbed

namespace testbed {

// HKLM: the camera-manager stand-in's orders ("Absent", "Refuse") and,
// in its subkey "Calls", one binary value per call it was given.
constexpr const char* kCameraManagerKey = "Software\\CameraTestBed\\CameraManager";

}  // namespace testbed
