// Stand-in for the camera-manager library "KsCamMgr.dll". It keeps nothing
// but a record of every command and block it is given, answers as a strict
// manager would (blocks checked, nothing before the open succeeds), and can
// be told to refuse one command or not to load at all.
#include "devices/CameraManagerRecord.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr uint32_t kOpen = 0x202, kClose = 0x203, kRegisterNames = 0x204, kUnregisterNames = 0x205,
                   kAssociate = 0x206, kRemoveAssociation = 0x207;
constexpr uint32_t kVersion = 0x101;
constexpr uint32_t kMaxEntries = 64;
constexpr uint32_t kSucceeded = 0, kRefused = 1, kBadBlock = 2, kNotOpen = 3;

bool opened = false;

uint32_t Word(const uint8_t* block, size_t offset) {
    uint32_t value;
    std::memcpy(&value, block + offset, sizeof(value));
    return value;
}

bool Terminated(const uint8_t* field, size_t size) { return std::memchr(field, 0, size) != nullptr; }

// The bytes a block of this command spans, as its maker must allocate it;
// 0 when its header is already wrong.
size_t BlockSize(uint32_t command, const uint8_t* block) {
    if (!block || Word(block, 0) != kVersion) return 0;
    if (command == kRegisterNames || command == kUnregisterNames) {
        uint32_t count = Word(block, 4);
        return count <= kMaxEntries ? count * 144 + 152 : 0;
    }
    uint32_t count = Word(block, 392);
    return count <= kMaxEntries ? count * 388 + 784 : 0;
}

bool ValidBlock(uint32_t command, const uint8_t* block) {
    if (command == kRegisterNames || command == kUnregisterNames) {
        uint32_t count = Word(block, 4);
        if (count == 0) return false;
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* name = block + 8 + i * 144;
            if (!Terminated(name, 144) || name[0] == 0) return false;
        }
        return true;
    }
    if (!Terminated(block + 8, 64) || !Terminated(block + 72, 64) || !Terminated(block + 136, 128) ||
        !Terminated(block + 264, 128)) {
        return false;
    }
    uint32_t count = Word(block, 392);
    if (command == kRemoveAssociation) return count == 0;
    if (count == 0) return false;
    for (uint32_t i = 0; i < count; ++i) {
        if (!Terminated(block + 396 + i * 388, 388)) return false;
    }
    return true;
}

}  // namespace

extern "C" uint32_t __stdcall KsCamMgrInstallEntryPoint(uint32_t command, void* block) {
    const auto* bytes = static_cast<const uint8_t*>(block);
    testbed::ManagerCall call;
    call.command = command;
    bool blockCommand = command >= kRegisterNames && command <= kRemoveAssociation;
    size_t size = blockCommand ? BlockSize(command, bytes) : 0;
    if (size > 0) call.block.assign(bytes, bytes + size);
    testbed::RecordManagerCall(call);

    if (command < kOpen || command > kRemoveAssociation) return kRefused;
    if (testbed::CameraManagerRefusal() == command) {
        if (command == kOpen) opened = false;
        return kRefused;
    }
    if (command == kOpen) {
        opened = block == nullptr;
        return opened ? kSucceeded : kBadBlock;
    }
    if (!opened) return kNotOpen;
    if (command == kClose) {
        opened = false;
        return block == nullptr ? kSucceeded : kBadBlock;
    }
    return size > 0 && ValidBlock(command, bytes) ? kSucceeded : kBadBlock;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    ::DisableThreadLibraryCalls(module);
    // Told to be absent: the load fails as if the file were missing.
    return testbed::CameraManagerAbsent() ? FALSE : TRUE;
}
