// WindowSkin: the one place where a window's SkinDescriptor and the records
// it points to are built. The object owns those records (and, when asked
// to, the bundle path), so it must outlive the SkinSession::Open that gets
// descriptor().
#pragma once

#include "skin/SkinDescriptor.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace ostrivan {

// A control drawn as an image button.
struct SkinButton {
    uint32_t controlId;
    const char* imageName;
};

class WindowSkin {
public:
    static constexpr size_t kMaxButtons = 4;

    // A window drawn from the bundle at bundlePath: with imageName as its
    // background, or a plain window when imageName is null or empty. Buttons
    // past kMaxButtons are left out.
    WindowSkin(const char* bundlePath, const char* imageName, std::initializer_list<SkinButton> buttons = {});
    // The same, from the skin bundle in the system folder (BuildSkinBundlePath).
    WindowSkin(const char* imageName, std::initializer_list<SkinButton> buttons);
    WindowSkin(const WindowSkin&) = delete;
    WindowSkin& operator=(const WindowSkin&) = delete;

    const SkinDescriptor& descriptor() const { return descriptor_; }
    // The bundle path the descriptor names (empty when it could not be built).
    const char* bundlePath() const { return descriptor_.bundlePath; }
    bool hasBundlePath() const { return descriptor_.bundlePath && *descriptor_.bundlePath; }

private:
    void Build(const char* bundlePath, const char* imageName, std::initializer_list<SkinButton> buttons);

    char ownBundlePath_[MAX_PATH] = {};
    SkinControlSkin skins_[kMaxButtons];
    SkinControlEntry entries_[kMaxButtons];
    SkinDescriptor descriptor_;
};

}  // namespace ostrivan
