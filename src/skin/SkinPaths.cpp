#include "skin/SkinPaths.h"

#include "base/SystemFolders.h"

#include <cstdio>

namespace ostrivan {

namespace {
bool JoinPath(char (&out)[MAX_PATH], const char* folder, const char* name) {
    int written = std::snprintf(out, MAX_PATH, "%s\\%s", folder, name);
    if (written < 0 || written >= MAX_PATH) {
        out[0] = '\0';
        return false;
    }
    return true;
}
}  // namespace

bool BuildSkinBundlePath(char (&path)[MAX_PATH]) {
    char folder[MAX_PATH] = {};
    if (!FindModuleSystemFolder(folder)) {
        path[0] = '\0';
        return false;
    }
    return JoinPath(path, folder, kSkinBundleName);
}

bool BuildSkinLibraryFolder(char (&folder)[MAX_PATH]) {
    char windows[MAX_PATH] = {};
    UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        folder[0] = '\0';
        return false;
    }
    return JoinPath(folder, windows, kSkinLibrarySubfolder);
}

}  // namespace ostrivan
