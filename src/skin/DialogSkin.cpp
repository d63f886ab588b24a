#include "skin/DialogSkin.h"

#include "skin/SkinPaths.h"
#include "skin/WindowSkin.h"

namespace ostrivan {

bool SkinDialogWindow(SkinSession& session, HWND window, const char* imageName) {
    const WindowSkin look(imageName, {});
    // Without a bundle path nothing can be skinned; a missing folder only
    // means the library is looked for by plain name.
    if (!look.hasBundlePath()) return false;
    char folder[MAX_PATH] = {};
    (void)BuildSkinLibraryFolder(folder);
    return session.Open(window, look.descriptor(), folder) != 0;
}

}  // namespace ostrivan
