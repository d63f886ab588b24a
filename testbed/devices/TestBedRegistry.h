// Where the camera test bed keeps what the platform cannot tell by itself.
// Every key lies under SharedMachineKey(): the local machine's software key
// in its 32-bit view, which the x86 and x64 parts of the test bed (and the
// two modules) share.
#pragma once

#include <windows.h>

namespace testbed {

// HKLM\Software in the 32-bit view, opened once for the program or library
// that asks and closed when it is unloaded (null when it cannot be opened,
// which every call then reports).
inline HKEY SharedMachineKey() {
    struct Key {
        HKEY handle = nullptr;
        Key() {
            if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                                  nullptr, &handle, nullptr) != ERROR_SUCCESS) {
                handle = nullptr;
            }
        }
        ~Key() {
            if (handle) ::RegCloseKey(handle);
        }
        Key(const Key&) = delete;
        Key& operator=(const Key&) = delete;
    };
    static const Key key;
    return key.handle;
}

// One REG_DWORD per device instance ID, the device-node status bits.
constexpr const char* kDevNodeStatusKey = "CameraTestBed\\DevNodeStatus";

// One subkey per virtual camera (see VirtualCameraStore.h).
constexpr const char* kVirtualCamerasKey = "CameraTestBed\\VirtualCameras";

// Where the camera's driver side keeps the parental password hash.
constexpr const char* kDriverConsoleKey = "Kestrane Tech\\Web Cameras\\XC0730\\Console";
constexpr const char* kPasswordHashValue = "Reserved2";

}  // namespace testbed

namespace testbed {

// The camera-manager stand-in's orders ("Absent", "Refuse") and,
// in its subkey "Calls", one binary value per call it was given.
constexpr const char* kCameraManagerKey = "CameraTestBed\\CameraManager";

}  // namespace testbed
