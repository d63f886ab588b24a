// The records handed to the skinning library, laid out byte for byte as the
// library reads them (32-bit fields; the module is a 32-bit module).
//
//   SkinControlSkin        28 bytes: how one control is drawn
//   SkinControlEntry       12 bytes: a control id and its skin
//   SkinDescriptor         40 bytes: how a window is drawn (SkinWindow)
//   SkinDescriptorWithIds  52 bytes: a descriptor and a list of control ids
//   SkinNumberQuery        block of ReadSkinNumber
//   SkinDataQuery          block of ReadSkinData
#pragma once

#include <cstdint>

namespace ostrivan {

constexpr uint32_t kSkinWindowKind = 8;
constexpr uint32_t kSkinWindowKindPlain = 9;  // a window without image name
constexpr uint32_t kSkinControlImageButton = 2;

struct SkinControlSkin {
    uint32_t size = sizeof(SkinControlSkin);
    uint32_t kind = kSkinControlImageButton;
    const char* imageName = nullptr;
    uint32_t unused[4] = {0, 0, 0, 0};  // the library's own; always zero here
};

struct SkinControlEntry {
    uint32_t size = sizeof(SkinControlEntry);
    uint32_t controlId = 0;
    const SkinControlSkin* skin = nullptr;
};

struct SkinDescriptor {
    uint32_t size = sizeof(SkinDescriptor);
    const char* bundlePath = nullptr;
    uint32_t windowKind = kSkinWindowKind;
    const char* imageName = nullptr;
    uint32_t reserved[4] = {0, 0, 0, 0};
    uint32_t controlCount = 0;
    const SkinControlEntry* controls = nullptr;
};

struct SkinDescriptorWithIds {
    uint32_t size = sizeof(SkinDescriptorWithIds);
    SkinDescriptor descriptor;
    uint32_t idCount = 0;
    const uint32_t* ids = nullptr;
};

struct SkinNumberQuery {
    const char* section;
    const char* key;
    uint32_t unset;
    int32_t defaultValue;
};

struct SkinDataQuery {
    const char* section;
    const char* key;
    void* buffer;
    uint32_t capacity;
};

static_assert(sizeof(void*) == 4, "the skinning library takes 32-bit records");
static_assert(sizeof(SkinControlSkin) == 28, "control skin layout");
static_assert(sizeof(SkinControlEntry) == 12, "control entry layout");
static_assert(sizeof(SkinDescriptor) == 40, "descriptor layout");
static_assert(sizeof(SkinDescriptorWithIds) == 52, "descriptor with ids layout");
static_assert(sizeof(SkinNumberQuery) == 16 && sizeof(SkinDataQuery) == 16, "query blocks");

}  // namespace ostrivan
