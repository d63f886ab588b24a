#include "devices/TestBedDevices.h"

#include "devices/TestBedRegistry.h"

#include <windows.h>
#include <cfgmgr32.h>
#include <devguid.h>
#include <setupapi.h>

namespace testbed {

namespace {

struct DevInfoList {
    HDEVINFO handle;
    explicit DevInfoList(HDEVINFO h) : handle(h) {}
    ~DevInfoList() {
        if (handle != INVALID_HANDLE_VALUE) ::SetupDiDestroyDeviceInfoList(handle);
    }
    DevInfoList(const DevInfoList&) = delete;
    DevInfoList& operator=(const DevInfoList&) = delete;
    explicit operator bool() const { return handle != INVALID_HANDLE_VALUE; }
};

bool OpenDevice(const DevInfoList& list, const std::string& instanceId, SP_DEVINFO_DATA* data) {
    data->cbSize = sizeof(*data);
    char id[MAX_DEVICE_ID_LEN + 1];
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(list.handle, i, data); ++i) {
        if (::SetupDiGetDeviceInstanceIdA(list.handle, data, id, sizeof(id), nullptr) &&
            ::lstrcmpiA(id, instanceId.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

bool WriteStatus(const std::string& instanceId, bool loaded) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(SharedMachineKey(), kDevNodeStatusKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    DWORD status = loaded ? (DN_DRIVER_LOADED | DN_STARTED) : 0;
    bool ok = ::RegSetValueExA(key, instanceId.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&status),
                               sizeof(status)) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return ok;
}

void DeleteStatus(const std::string& instanceId) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(SharedMachineKey(), kDevNodeStatusKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, instanceId.c_str());
        ::RegCloseKey(key);
    }
}

std::vector<std::string> StatusEntries() {
    std::vector<std::string> ids;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(SharedMachineKey(), kDevNodeStatusKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return ids;
    char name[MAX_DEVICE_ID_LEN + 1];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (::RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        ids.emplace_back(name, length);
    }
    ::RegCloseKey(key);
    return ids;
}

}  // namespace

bool SetHardwareIdBytes(const std::string& instanceId, const std::string& bytes) {
    DevInfoList list(::SetupDiGetClassDevsA(&GUID_DEVCLASS_IMAGE, nullptr, nullptr, 0));
    SP_DEVINFO_DATA data;
    if (!list || !OpenDevice(list, instanceId, &data)) return false;
    return ::SetupDiSetDeviceRegistryPropertyA(list.handle, &data, SPDRP_HARDWAREID,
                                               reinterpret_cast<const BYTE*>(bytes.data()),
                                               static_cast<DWORD>(bytes.size())) != FALSE;
}

bool AddImageDevice(const DeviceSpec& device) {
    DevInfoList list(::SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_IMAGE, nullptr));
    if (!list) return false;
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof(data);
    if (!::SetupDiCreateDeviceInfoA(list.handle, device.instanceId.c_str(), &GUID_DEVCLASS_IMAGE,
                                    device.description.c_str(), nullptr, 0, &data)) {
        return false;
    }
    std::string ids;
    for (const auto& id : device.hardwareIds) {
        ids += id;
        ids.push_back('\0');
    }
    ids.push_back('\0');
    if (!::SetupDiSetDeviceRegistryPropertyA(list.handle, &data, SPDRP_HARDWAREID,
                                             reinterpret_cast<const BYTE*>(ids.data()),
                                             static_cast<DWORD>(ids.size())))
        return false;
    if (!::SetupDiSetDeviceRegistryPropertyA(list.handle, &data, SPDRP_DEVICEDESC,
                                             reinterpret_cast<const BYTE*>(device.description.c_str()),
                                             static_cast<DWORD>(device.description.size() + 1)))
        return false;
    if (!::SetupDiRegisterDeviceInfo(list.handle, &data, 0, nullptr, nullptr, nullptr)) return false;
    return WriteStatus(device.instanceId, device.driverLoaded);
}

bool SetDriverLoaded(const std::string& instanceId, bool loaded) { return WriteStatus(instanceId, loaded); }

bool SetDriverKeyValue(const std::string& instanceId, const char* name, unsigned long type, const std::string& bytes) {
    DevInfoList list(::SetupDiGetClassDevsA(&GUID_DEVCLASS_IMAGE, nullptr, nullptr, 0));
    SP_DEVINFO_DATA data;
    if (!list || !OpenDevice(list, instanceId, &data)) return false;
    HKEY key = ::SetupDiCreateDevRegKeyA(list.handle, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, nullptr, nullptr);
    if (key == INVALID_HANDLE_VALUE) return false;
    bool ok = ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return ok;
}

bool RemoveImageDevice(const std::string& instanceId) {
    DeleteStatus(instanceId);
    DevInfoList list(::SetupDiGetClassDevsA(&GUID_DEVCLASS_IMAGE, nullptr, nullptr, 0));
    SP_DEVINFO_DATA data;
    if (!list || !OpenDevice(list, instanceId, &data)) return false;
    return ::SetupDiRemoveDevice(list.handle, &data) != FALSE;
}

void RemoveAllImageDevices() {
    for (const auto& id : StatusEntries()) RemoveImageDevice(id);
}

std::vector<std::string> ListImageDevices() {
    std::vector<std::string> ids;
    DevInfoList list(::SetupDiGetClassDevsA(&GUID_DEVCLASS_IMAGE, nullptr, nullptr, 0));
    if (!list) return ids;
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof(data);
    char id[MAX_DEVICE_ID_LEN + 1];
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(list.handle, i, &data); ++i) {
        if (::SetupDiGetDeviceInstanceIdA(list.handle, &data, id, sizeof(id), nullptr)) ids.emplace_back(id);
    }
    return ids;
}

}  // namespace testbed
