#include "skin/DialogSkin.h"

#include "skin/SkinPaths.h"
#include "skin/WindowSkin.h"

namespace ostrivan {

namespace {

// Without a bundle path nothing can be skinned; a missing folder only
// means the library is looked for by plain name.
template <typename Describe>
bool SkinWith(const char* imageName, Describe open) {
    const WindowSkin look(imageName, {});
    if (!look.hasBundlePath()) return false;
    char folder[MAX_PATH] = {};
    (void)BuildSkinLibraryFolder(folder);
    return open(look.descriptor(), folder) != 0;
}

}  // namespace

bool SkinDialogWindow(SkinSession& session, HWND window, const char* imageName) {
    return SkinWith(imageName, [&](const SkinDescriptor& descriptor, const char* folder) {
        return session.Open(window, descriptor, folder);
    });
}

bool SkinDialogWindow(SkinSession& session, HWND window, const char* imageName, const uint32_t* ids,
                      uint32_t idCount) {
    return SkinWith(imageName, [&](const SkinDescriptor& descriptor, const char* folder) {
        SkinDescriptorWithIds extended;
        extended.descriptor = descriptor;
        extended.idCount = idCount;
        extended.ids = ids;
        return session.Open(window, extended, folder);
    });
}

}  // namespace ostrivan
