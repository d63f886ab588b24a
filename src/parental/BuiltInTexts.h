// Texts the module carries itself for the parental messages that resource
// libraries gained after the first ones: with an earlier library the user
// still reads what happened to the lock, not an empty warning.
#pragma once

#include <windows.h>

namespace ostrivan {

// The module's own English text for that string id, or null when every
// resource library carries it.
const char* BuiltInParentalText(UINT id);

}  // namespace ostrivan
