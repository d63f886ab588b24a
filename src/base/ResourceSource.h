// The module that dialog templates, strings and icons are looked up in: the
// resource library while it is loaded, else none.
#pragma once

#include <windows.h>

#include <string>

namespace ostrivan {

// Null when no resource library is loaded.
HMODULE ResourceSource();
void SetResourceSource(HMODULE module);

// A string of the current resource source, empty when it has none.
std::string LoadResourceString(UINT id);

}  // namespace ostrivan
