// What the module records when it is loaded.
#pragma once

#include <windows.h>

namespace ostrivan {

// The module's file name, the same for both architectures.
constexpr const char* kModuleName = "Ostrivan.dll";

// The module's own instance handle (null in a program that links the code statically).
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE module);

}  // namespace ostrivan
