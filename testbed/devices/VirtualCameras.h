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

// Writes the camera and offers the console's properties with plain values:
// brightness, contrast, sharpness, backlight compensation, power-line
// frequency, exposure (automatic), and the vendor power-line and lock properties.
bool DefineStandardCamera(int index, const std::string& description);

bool PlugVirtualCamera(int index);
bool UnplugVirtualCamera(int index);
// Unplugs and forgets every virtual camera.
void RemoveAllVirtualCameras();

// Registers the capture devices of the plugged cameras, unregisters the rest.
bool SyncCaptureDevices();
void BroadcastDeviceChange();

}  // namespace testbed
