#include "devices/CameraManagerRecord.h"

#include "devices/TestBedRegistry.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace testbed {

namespace {

constexpr const char* kCallsKey = "CameraTestBed\\CameraManager\\Calls";

HKEY CreateKey(const char* path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(SharedMachineKey(), path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

bool WriteNumber(const char* name, DWORD value) {
    HKEY key = CreateKey(kCameraManagerKey);
    if (!key) return false;
    bool ok = ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
              ERROR_SUCCESS;
    ::RegCloseKey(key);
    return ok;
}

DWORD ReadNumber(const char* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegGetValueA(SharedMachineKey(), kCameraManagerKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return 0;
    }
    return value;
}

}  // namespace

void ResetCameraManager() { ::RegDeleteTreeA(SharedMachineKey(), kCameraManagerKey); }

bool SetCameraManagerAbsent(bool absent) { return WriteNumber("Absent", absent ? 1 : 0); }
bool SetCameraManagerRefusal(uint32_t command) { return WriteNumber("Refuse", command); }
bool CameraManagerAbsent() { return ReadNumber("Absent") != 0; }
uint32_t CameraManagerRefusal() { return ReadNumber("Refuse"); }

bool RecordManagerCall(const ManagerCall& call) {
    HKEY key = CreateKey(kCallsKey);
    if (!key) return false;
    DWORD count = 0;
    ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                       nullptr);
    char name[16];
    std::snprintf(name, sizeof(name), "%04lu", static_cast<unsigned long>(count));
    std::vector<uint8_t> bytes(sizeof(call.command) + call.block.size());
    std::memcpy(bytes.data(), &call.command, sizeof(call.command));
    if (!call.block.empty()) std::memcpy(bytes.data() + sizeof(call.command), call.block.data(), call.block.size());
    bool ok = ::RegSetValueExA(key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size())) ==
              ERROR_SUCCESS;
    ::RegCloseKey(key);
    return ok;
}

std::vector<ManagerCall> RecordedManagerCalls() {
    std::vector<ManagerCall> calls;
    for (DWORD index = 0;; ++index) {
        char name[16];
        std::snprintf(name, sizeof(name), "%04lu", static_cast<unsigned long>(index));
        DWORD size = 0;
        if (::RegGetValueA(SharedMachineKey(), kCallsKey, name, RRF_RT_REG_BINARY, nullptr, nullptr, &size) !=
                ERROR_SUCCESS ||
            size < sizeof(uint32_t)) {
            break;
        }
        std::vector<uint8_t> bytes(size);
        if (::RegGetValueA(SharedMachineKey(), kCallsKey, name, RRF_RT_REG_BINARY, nullptr, bytes.data(), &size) !=
            ERROR_SUCCESS) {
            break;
        }
        ManagerCall call;
        std::memcpy(&call.command, bytes.data(), sizeof(call.command));
        call.block.assign(bytes.begin() + sizeof(call.command), bytes.begin() + size);
        calls.push_back(call);
    }
    return calls;
}

}  // namespace testbed
