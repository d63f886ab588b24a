// Functions of a loaded library looked up by name at run time.
#pragma once

#include <windows.h>

namespace ostrivan {

// The function as the given pointer type; null when the module is null or
// does not export the name.
template <typename Fn>
Fn LookUpFunction(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace ostrivan
