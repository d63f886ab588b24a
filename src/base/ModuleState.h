// What the module records when it is loaded, and the names it goes by.
//
//   kModuleName            the module's file name
//   kConsoleRunTarget      what rundll32 is given to start the standalone console
//   ModuleInstance         the module's own instance handle
#pragma once

#include <windows.h>

namespace ostrivan {

// The module's file name, the same for both architectures.
constexpr const char* kModuleName = "Ostrivan.dll";
// The module and its export, as rundll32 takes them: the start-menu shortcut's
// arguments, and the head of the command line a host's launch gives.
constexpr const char* kConsoleRunTarget = "Ostrivan.dll,ksCVWConsoleRunDLL32EP";

// The module's own instance handle (null in a program that links the code statically).
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE module);

}  // namespace ostrivan
