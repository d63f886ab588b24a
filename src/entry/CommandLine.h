// Reading the rundll32 command lines: words are found anywhere in the line
// without regard to case; device names are compared whole, without regard
// to case, with the cameras found.
//
//   ContainsWord     a word anywhere in the line
//   TextAfter        the rest of the line after its first characters
//   FindDeviceSlot   the launch record's slot of a named camera
#pragma once

#include "launch/LaunchContext.h"

#include <cstddef>

namespace ostrivan {

[[nodiscard]] bool ContainsWord(const char* line, const char* word);

// The text after the first `skip` characters, or the empty text when the
// line is shorter.
[[nodiscard]] const char* TextAfter(const char* line, size_t skip);

// The slot among the first deviceCount ones whose text equals `name`, or null.
[[nodiscard]] char* FindDeviceSlot(LaunchContext* context, const char* name);

}  // namespace ostrivan
