// Where the system keeps its files, as a 32-bit module sees them.
#pragma once

#include <windows.h>

namespace ostrivan {

// True only in a 32-bit process on a 64-bit system (WOW64 functions looked up
// at run time); then folder (MAX_PATH bytes) = the 32-bit system folder and,
// when runDllPath (MAX_PATH bytes) is given, runDllPath = that folder +
// "\RunDLL32.exe". Out-values are untouched when it returns false; callers
// then use the plain system folder.
[[nodiscard]] bool Find32BitSystemFolder(char* runDllPath, char* folder);

}  // namespace ostrivan
