#include "skin/DialogSkin.h"

#include "skin/SkinPaths.h"

namespace ostrivan {

bool SkinDialogWindow(SkinSession& session, HWND window, const char* imageName) {
    char bundle[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    // Without a bundle path nothing can be skinned; a missing folder only
    // means the library is looked for by plain name.
    if (!BuildSkinBundlePath(bundle)) return false;
    (void)BuildSkinLibraryFolder(folder);
    SkinDescriptor descriptor;
    descriptor.bundlePath = bundle;
    descriptor.windowKind = kSkinWindowKind;
    descriptor.imageName = imageName;
    return session.Open(window, descriptor, folder) != 0;
}

}  // namespace ostrivan
