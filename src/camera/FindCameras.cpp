#include "camera/CameraDiscovery.h"

#include "base/BoundedText.h"
#include "base/UniqueHandle.h"

#include <cfgmgr32.h>
#include <devguid.h>
#include <setupapi.h>

#include <cstring>

namespace ostrivan {

const char* const kSupportedHardwareIds[] = {"USB\\VID_F9E2&PID_7A31&MI_00"};
const size_t kSupportedHardwareIdCount = sizeof(kSupportedHardwareIds) / sizeof(kSupportedHardwareIds[0]);

namespace {

constexpr size_t kPropertyBufferSize = 260;
constexpr DWORD kPropertyOffered = 259;  // the last byte stays NUL

bool IsSupportedId(const char* id) {
    for (size_t i = 0; i < kSupportedHardwareIdCount; ++i) {
        if (::lstrcmpiA(id, kSupportedHardwareIds[i]) == 0) return true;
    }
    return false;
}

bool ReadDeviceProperty(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property, char (&buffer)[kPropertyBufferSize]) {
    std::memset(buffer, 0, sizeof(buffer));
    return ::SetupDiGetDeviceRegistryPropertyA(list, device, property, nullptr, reinterpret_cast<BYTE*>(buffer),
                                               kPropertyOffered, nullptr) != FALSE;
}

bool DriverLoaded(DEVINST node) {
    ULONG status = 0;
    ULONG problem = 0;
    if (::CM_Get_DevNode_Status(&status, &problem, node, 0) != CR_SUCCESS) return false;
    return (status & DN_DRIVER_LOADED) != 0;
}

}  // namespace

bool HardwareIdListMatches(const char* list, size_t size) {
    if (!list) return false;
    char piece[kPropertyBufferSize];
    size_t pos = 0;
    // Every comma-separated piece of every string counts; an empty piece ends the list.
    while (pos < size && list[pos] != '\0' && list[pos] != ',') {
        size_t end = pos;
        while (end < size && list[end] != '\0' && list[end] != ',') ++end;
        CopyText(piece, list + pos, end - pos);
        if (IsSupportedId(piece)) return true;
        pos = end + 1;
    }
    return false;
}

uint32_t FindCameras(LaunchContext* context) {
    if (!context) return kStatusNoCamera;
    UniqueDevInfo list(::SetupDiGetClassDevsA(&GUID_DEVCLASS_IMAGE, nullptr, nullptr, 0));
    if (!list) return kStatusNoCamera;

    char buffer[kPropertyBufferSize];
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(list.get(), index, &device); ++index) {
        if (!ReadDeviceProperty(list.get(), &device, SPDRP_HARDWAREID, buffer) || buffer[0] == '\0') continue;
        if (!HardwareIdListMatches(buffer, sizeof(buffer))) continue;
        if (!DriverLoaded(device.DevInst)) continue;
        if (!ReadDeviceProperty(list.get(), &device, SPDRP_DEVICEDESC, buffer)) continue;
        if (context->deviceCount >= kMaxDevices) continue;
        CopyText(context->deviceNames[context->deviceCount], buffer);
        ++context->deviceCount;
    }
    return context->deviceCount > 0 ? kStatusOk : kStatusNoCamera;
}

}  // namespace ostrivan
