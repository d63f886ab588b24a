// Where the console's windows find the skin bundle and the skinning library.
#pragma once

#include <windows.h>

namespace ostrivan {

constexpr const char* kSkinBundleName = "Ostrivan.bff";
constexpr const char* kSkinLibrarySubfolder = "TWAIN_32\\Kestrane\\XC0730";

// "Ostrivan.bff" in the 32-bit system folder under WOW64, else in the system
// folder. False (path empty) when it does not fit.
[[nodiscard]] bool BuildSkinBundlePath(char (&path)[MAX_PATH]);
// The Windows folder + "\TWAIN_32\Kestrane\XC0730". False (folder empty) when it does not fit.
[[nodiscard]] bool BuildSkinLibraryFolder(char (&folder)[MAX_PATH]);

}  // namespace ostrivan
