// Where the system keeps its files, as the x86 and the x64 module see them.
//
//   kLauncherFileName          the rundll32 launcher's file name
//   Find32BitSystemFolder      the 32-bit system folder, in a 32-bit process of a 64-bit system
//   FindModuleSystemFolder     the system folder of the module's own architecture
//   FindOtherArchitectureFile  a file beside the other architecture's module
//   FindConsoleLauncher        the launcher that starts the standalone console
#pragma once

#include <windows.h>

namespace ostrivan {

// The launcher of the module's rundll32 entry points, as a system folder holds it.
constexpr const char* kLauncherFileName = "RunDLL32.exe";

// True only in a 32-bit process on a 64-bit system (WOW64 functions looked up
// at run time); then folder (MAX_PATH bytes) = the 32-bit system folder and,
// when runDllPath (MAX_PATH bytes) is given, runDllPath = that folder +
// "\RunDLL32.exe". Out-values are untouched when it returns false; callers
// then use the plain system folder.
[[nodiscard]] bool Find32BitSystemFolder(char* runDllPath, char* folder);

// The system folder of the module's own architecture (MAX_PATH bytes): the
// 32-bit one for the x86 module under WOW64, else the plain one.
[[nodiscard]] bool FindModuleSystemFolder(char* folder);

// Where the other architecture's module of a 64-bit system would lie: the
// x86 module looks in the native system folder (through "Sysnative"), the
// x64 module in the 32-bit one. True, with path (MAX_PATH bytes) filled, only
// when that file exists.
[[nodiscard]] bool FindOtherArchitectureFile(const char* name, char* path);

// What starts the standalone console ("RunDLL32.exe" with the module's
// name): the 32-bit system folder's RunDLL32.exe on a 64-bit system whose
// 32-bit system folder holds the x86 module (so both modules make the same
// shortcut), else "rundll32.exe" of the module's own system folder. folder
// (MAX_PATH bytes) receives the launcher's system folder, where the resource
// library lies beside the module.
[[nodiscard]] bool FindConsoleLauncher(const char* moduleName, char* launcher, char* folder);

}  // namespace ostrivan
