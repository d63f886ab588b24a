#include "setup/ConsoleFolderName.h"

#include "base/UniqueHandle.h"
#include "camera/CameraDiscovery.h"

#include <setupapi.h>

#include <cstring>

namespace ostrivan {

namespace {

constexpr const char* kFolderValue = "KsConsoleFolder";
constexpr size_t kIdBufferSize = 260;

bool HasSupportedId(HDEVINFO list, SP_DEVINFO_DATA* device) {
    char ids[kIdBufferSize] = {};
    if (!::SetupDiGetDeviceRegistryPropertyA(list, device, SPDRP_HARDWAREID, nullptr, reinterpret_cast<BYTE*>(ids),
                                             sizeof(ids) - 1, nullptr)) {
        return false;
    }
    return HardwareIdListMatches(ids, sizeof(ids));
}

UniqueKey OpenDriverKey(HDEVINFO list, SP_DEVINFO_DATA* device) {
    HKEY key = ::SetupDiOpenDevRegKey(list, device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
    return UniqueKey(key == INVALID_HANDLE_VALUE ? nullptr : key);
}

FolderNameResult ReadFolderName(HKEY driverKey, char (&name)[MAX_PATH]) {
    // One byte more than is offered, so a value that fills the offer is
    // still terminated.
    char value[MAX_PATH + 1] = {};
    DWORD type = 0;
    DWORD size = MAX_PATH;
    LONG result = ::RegQueryValueExA(driverKey, kFolderValue, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    if (result == ERROR_FILE_NOT_FOUND) return FolderNameResult::Found;
    if (result != ERROR_SUCCESS || type != REG_SZ) return FolderNameResult::Refused;
    if (std::strlen(value) >= MAX_PATH || !IsPlainFolderName(value)) return FolderNameResult::Refused;
    std::memcpy(name, value, std::strlen(value) + 1);
    return FolderNameResult::Found;
}

}  // namespace

bool IsPlainFolderName(const char* name) {
    return std::strpbrk(name, "\\/:") == nullptr && std::strstr(name, "..") == nullptr;
}

FolderNameResult FindConsoleFolderName(char (&name)[MAX_PATH]) {
    std::memset(name, 0, sizeof(name));
    UniqueDevInfo list(::SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES));
    if (!list) return FolderNameResult::NoDevice;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(list.get(), index, &device); ++index) {
        if (!HasSupportedId(list.get(), &device)) continue;
        UniqueKey driverKey = OpenDriverKey(list.get(), &device);
        if (!driverKey) continue;
        return ReadFolderName(driverKey.get(), name);
    }
    return FolderNameResult::NoDevice;
}

}  // namespace ostrivan
