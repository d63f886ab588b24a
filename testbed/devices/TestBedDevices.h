// Devices of the image class in the Wine prefix, as the camera test bed
// adds and removes them. Every call reports success as a bool.
#pragma once

#include <string>
#include <vector>

namespace testbed {

struct DeviceSpec {
    std::string instanceId;                // for example "ROOT\\IMAGE\\0001"
    std::vector<std::string> hardwareIds;  // written as a multi-string
    std::string description;
    bool driverLoaded = true;
};

bool AddImageDevice(const DeviceSpec& device);
bool RemoveImageDevice(const std::string& instanceId);
// Raw hardware-ID bytes, for lists the multi-string form cannot express.
bool SetHardwareIdBytes(const std::string& instanceId, const std::string& bytes);
bool SetDriverLoaded(const std::string& instanceId, bool loaded);
// Creates the device's driver key (as installing its driver does) and sets
// one value in it, of any type and with any bytes.
bool SetDriverKeyValue(const std::string& instanceId, const char* name, unsigned long type, const std::string& bytes);
// Removes every device the test bed added.
void RemoveAllImageDevices();
std::vector<std::string> ListImageDevices();

// The supported camera's hardware ID.
constexpr const char* kCameraHardwareId = "USB\\VID_F9E2&PID_7A31&MI_00";

}  // namespace testbed
