#include "skin/SkinPaths.h"

#include "base/BoundedText.h"
#include "base/SystemFolders.h"

namespace ostrivan {

bool BuildSkinBundlePath(char (&path)[MAX_PATH]) {
    char folder[MAX_PATH] = {};
    if (!FindModuleSystemFolder(folder)) {
        path[0] = '\0';
        return false;
    }
    return JoinPath(path, MAX_PATH, folder, kSkinBundleName);
}

bool BuildSkinLibraryFolder(char (&folder)[MAX_PATH]) {
    char windows[MAX_PATH] = {};
    UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        folder[0] = '\0';
        return false;
    }
    return JoinPath(folder, MAX_PATH, windows, kSkinLibrarySubfolder);
}

}  // namespace ostrivan
