// The records handed to the skinning library, laid out byte for byte as the
// library reads them. Sizes in the x86 module, then the x64 one:
//
//   SkinControlSkin        28 / 32 bytes: how one control is drawn
//   SkinControlEntry       12 / 16 bytes: a control id and its skin
//   SkinDescriptor         40 / 64 bytes: how a window is drawn (SkinWindow)
//   SkinDescriptorWithIds  52 / 88 bytes: a descriptor and a list of control ids
//   SkinNumberQuery        block of ReadSkinNumber
//   SkinDataQuery          block of ReadSkinData
#pragma once

#include <cstddef>
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

// x86: the 32-bit records byte for byte. x64: the same fields in the same
// order, pointers at their natural alignment.
#if defined(_WIN64)
static_assert(sizeof(SkinControlSkin) == 32, "control skin layout");
static_assert(sizeof(SkinControlEntry) == 16, "control entry layout");
static_assert(offsetof(SkinDescriptor, windowKind) == 16 && offsetof(SkinDescriptor, controls) == 56 &&
                  sizeof(SkinDescriptor) == 64, "descriptor layout");
static_assert(offsetof(SkinDescriptorWithIds, idCount) == 72 && sizeof(SkinDescriptorWithIds) == 88,
              "descriptor with ids layout");
static_assert(sizeof(SkinNumberQuery) == 24 && sizeof(SkinDataQuery) == 32, "query blocks");
#else
static_assert(sizeof(SkinControlSkin) == 28, "control skin layout");
static_assert(sizeof(SkinControlEntry) == 12, "control entry layout");
static_assert(sizeof(SkinDescriptor) == 40, "descriptor layout");
static_assert(sizeof(SkinDescriptorWithIds) == 52, "descriptor with ids layout");
static_assert(sizeof(SkinNumberQuery) == 16 && sizeof(SkinDataQuery) == 16, "query blocks");
#endif

}  // namespace ostrivan
