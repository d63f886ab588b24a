// Where the console's windows find the skin bundle and the skinning library.
//
//   kSkinBundleName, BuildSkinBundlePath          the bundle, in the system folder
//   kSkinLibrarySubfolder, BuildSkinLibraryFolder  the library, below the Windows folder
#pragma once

#include <windows.h>

namespace ostrivan {

constexpr const char* kSkinBundleName = "Ostrivan.bff";
// The x64 module's skinning library is a 64-bit one, kept apart from the
// 32-bit library as TWAIN keeps 64-bit sources apart from 32-bit ones.
#if defined(_WIN64)
constexpr const char* kSkinLibrarySubfolder = "TWAIN_64\\Kestrane\\XC0730";
#else
constexpr const char* kSkinLibrarySubfolder = "TWAIN_32\\Kestrane\\XC0730";
#endif

// "Ostrivan.bff" in the module's own system folder: the 32-bit one for the
// x86 module under WOW64. False (path empty) when it does not fit.
[[nodiscard]] bool BuildSkinBundlePath(char (&path)[MAX_PATH]);
// The Windows folder + "\" + kSkinLibrarySubfolder. False (folder empty) when it does not fit.
[[nodiscard]] bool BuildSkinLibraryFolder(char (&folder)[MAX_PATH]);

}  // namespace ostrivan
