// Named kernel objects: create-or-open under a name and say whether the
// object already existed. Failures are reported by an empty owner.
//
//   CreateNamedEvent, CreateNamedMutex   create or open, and say which
//   SignalNamedEvent                     set an event only if it exists
#pragma once

#include "base/UniqueHandle.h"

namespace ostrivan {

// Auto-reset, unsignalled event.
[[nodiscard]] UniqueHandle CreateNamedEvent(const char* name, bool* alreadyExisted);
[[nodiscard]] UniqueHandle CreateNamedMutex(const char* name, bool initiallyOwned, bool* alreadyExisted);

// Signals another copy's event: create it; if it already existed, set it; close it.
// Returns whether somebody owned the event.
bool SignalNamedEvent(const char* name);

}  // namespace ostrivan
