// The companion camera-manager library "KsCamMgr.dll": one entry point taking
// a command and a block. Its commands and the blocks it is handed are fixed;
// what it does with them is its own business.
//
//   CameraManager      loads the library and opens it for one session
//   NameBlock          block of commands 0x204 and 0x205
//   DeviceBlock        block of commands 0x206 and 0x207
#pragma once

#include "base/UniqueHandle.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ostrivan {

enum : uint32_t {
    kManagerOpen = 0x202,
    kManagerClose = 0x203,
    kManagerRegisterNames = 0x204,
    kManagerUnregisterNames = 0x205,
    kManagerAssociateDevice = 0x206,
    kManagerRemoveDevice = 0x207,
};

constexpr uint32_t kManagerBlockVersion = 0x101;
constexpr const char* kManagerRegistrationName = "CustomViewWin";

// Layouts the manager reads byte for byte; every block starts zero-filled.
constexpr size_t kNameFieldSize = 144;
constexpr size_t kNameBlockNamesOffset = 8;
constexpr size_t kNameBlockSpare = 152;

constexpr size_t kDeviceClassOffset = 8;
constexpr size_t kDeviceClassSize = 64;
constexpr size_t kHardwareIdOffset = 72;
constexpr size_t kHardwareIdSize = 64;
constexpr size_t kDeviceCountOffset = 392;
constexpr size_t kDeviceEntriesOffset = 396;
constexpr size_t kDeviceEntrySize = 388;
constexpr size_t kDeviceBlockSpare = 784;

// Name block: version, count, then count names of 144 bytes.
std::vector<uint8_t> NameBlock(const char* const* names, uint32_t count);
// Device block for the supported camera: class and hardware-ID texts, then
// count entries each beginning with a name (none for command 0x207).
std::vector<uint8_t> DeviceBlock(const char* const* names, uint32_t count);

// A session with the manager. Available() is false when the library or its
// entry point is missing; the open command's own answer does not matter.
// The session is closed (0x203) and the library freed on destruction.
class CameraManager {
public:
    CameraManager();
    ~CameraManager();
    CameraManager(const CameraManager&) = delete;
    CameraManager& operator=(const CameraManager&) = delete;

    bool Available() const { return entry_ != nullptr; }
    // The manager's result, 0 meaning success; 1 when it is not available.
    uint32_t Call(uint32_t command, void* block);

private:
    using EntryPoint = uint32_t(__stdcall*)(uint32_t command, void* block);
    UniqueModule library_;
    EntryPoint entry_ = nullptr;
};

}  // namespace ostrivan
