#include "setup/CameraManager.h"

#include "base/BoundedText.h"
#include "base/ModuleFunctions.h"
#include "camera/CameraDiscovery.h"

#include <cstring>

namespace ostrivan {

namespace {

constexpr const char* kManagerLibrary = "KsCamMgr.dll";
constexpr const char* kManagerEntryName = "KsCamMgrInstallEntryPoint";
constexpr const char* kImageClassText = "{6bdd1fc6-810f-11d0-bec7-08002be2092f}";

void PutWord(std::vector<uint8_t>& block, size_t offset, uint32_t value) {
    std::memcpy(block.data() + offset, &value, sizeof(value));
}

void PutText(std::vector<uint8_t>& block, size_t offset, size_t size, const char* text) {
    CopyText(reinterpret_cast<char*>(block.data() + offset), size, text);
}

}  // namespace

std::vector<uint8_t> NameBlock(const char* const* names, uint32_t count) {
    std::vector<uint8_t> block(count * kNameFieldSize + kNameBlockSpare, 0);
    PutWord(block, 0, kManagerBlockVersion);
    PutWord(block, 4, count);
    for (uint32_t i = 0; i < count; ++i) {
        PutText(block, kNameBlockNamesOffset + i * kNameFieldSize, kNameFieldSize, names[i]);
    }
    return block;
}

std::vector<uint8_t> DeviceBlock(const char* const* names, uint32_t count) {
    std::vector<uint8_t> block(count * kDeviceEntrySize + kDeviceBlockSpare, 0);
    PutWord(block, 0, kManagerBlockVersion);
    PutText(block, kDeviceClassOffset, kDeviceClassSize, kImageClassText);
    PutText(block, kHardwareIdOffset, kHardwareIdSize, kSupportedHardwareIds[0]);
    PutWord(block, kDeviceCountOffset, count);
    for (uint32_t i = 0; i < count; ++i) {
        PutText(block, kDeviceEntriesOffset + i * kDeviceEntrySize, kDeviceEntrySize, names[i]);
    }
    return block;
}

CameraManager::CameraManager() : library_(::LoadLibraryA(kManagerLibrary)) {
    if (!library_) return;
    entry_ = LookUpFunction<EntryPoint>(library_.get(), kManagerEntryName);
    if (!entry_) {
        library_.reset();
        return;
    }
    entry_(kManagerOpen, nullptr);
}

CameraManager::~CameraManager() {
    if (entry_) entry_(kManagerClose, nullptr);
}

uint32_t CameraManager::Call(uint32_t command, void* block) { return entry_ ? entry_(command, block) : 1; }

}  // namespace ostrivan
