#include "skin/WindowSkin.h"

#include "skin/SkinPaths.h"

namespace ostrivan {

WindowSkin::WindowSkin(const char* bundlePath, const char* imageName, std::initializer_list<SkinButton> buttons) {
    Build(bundlePath, imageName, buttons);
}

WindowSkin::WindowSkin(const char* imageName, std::initializer_list<SkinButton> buttons) {
    (void)BuildSkinBundlePath(ownBundlePath_);  // left empty when it does not fit
    Build(ownBundlePath_, imageName, buttons);
}

void WindowSkin::Build(const char* bundlePath, const char* imageName, std::initializer_list<SkinButton> buttons) {
    const bool named = imageName && *imageName;
    descriptor_.bundlePath = bundlePath;
    descriptor_.windowKind = named ? kSkinWindowKind : kSkinWindowKindPlain;
    descriptor_.imageName = named ? imageName : nullptr;
    uint32_t count = 0;
    for (const SkinButton& button : buttons) {
        if (count == kMaxButtons) break;
        skins_[count].imageName = button.imageName;
        entries_[count].controlId = button.controlId;
        entries_[count].skin = &skins_[count];
        ++count;
    }
    descriptor_.controlCount = count;
    descriptor_.controls = count ? entries_ : nullptr;
}

}  // namespace ostrivan
