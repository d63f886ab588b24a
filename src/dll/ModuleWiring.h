// Wires the module together when it is loaded: records its instance,
// registers the skinning library's messages and puts the windows into the
// entry points' seams.
#pragma once

#include <windows.h>

namespace ostrivan {

void WireModule(HINSTANCE module);

}  // namespace ostrivan
