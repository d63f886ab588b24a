// Plugging and unplugging virtual cameras as one act, the way a real camera
// arrives: its image-class device node (with the supported hardware ID and a
// loaded driver) and its capture device appear or go together, then top-level
// windows get the device-change broadcast Windows sends. Every call reports
// success as a bool.
//
// A camera's description (UTF-8) is both the device node's description and
// the capture device's "FriendlyName".
#pragma once

#include "devices/VirtualCameraStore.h"

#include <string>

namespace testbed {

// The virtual camera server as every process of the prefix loads it.
constexpr const char* kVirtualCameraServer = "testbedvcam.dll";
std::string VirtualCameraServerPath();

std::string VirtualCameraInstanceId(int index);  // "ROOT\IMAGE\VCAM<index>"

// The properties a defined camera offers: brightness, contrast, sharpness,
// backlight compensation, power-line frequency, exposure (automatic), and the
// private power-line and lock properties.
enum class CameraPreset {
    // Plain values, and a camera that stores whatever it is told.
    Standard,
    // Acts as a real camera (kRealCamera): backlight 0 to 1 (default 1), power
    // line 0 to 3 holding 3 (automatic), exposure automatic at the camera's
    // own choice -5 (stored manual value -6).
    Real,
    // Real, but without power line on the picture interface: the private
    // property 259 holds 3 (60 Hz).
    PowerLineFallback,
};

// Writes the camera and its properties (set-call and bind counts start anew).
bool DefineCamera(int index, const std::string& description, CameraPreset preset);
bool DefineStandardCamera(int index, const std::string& description);

bool PlugVirtualCamera(int index);
bool UnplugVirtualCamera(int index);
// Unplugs and forgets every virtual camera.
void RemoveAllVirtualCameras();

// Registers the capture devices of the plugged cameras, unregisters the rest.
bool SyncCaptureDevices();
void BroadcastDeviceChange();

}  // namespace testbed
