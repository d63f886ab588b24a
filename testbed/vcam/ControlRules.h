// What a camera does with a value it is told to set: the range and step
// checks of a strict camera, shared by the control interfaces and the
// private property set.
#pragma once

#include "devices/VirtualCameraStore.h"

namespace vcam {

// S_OK with *value as the camera takes it (rounded onto the step when the
// camera rounds), or E_INVALIDARG when the camera refuses it.
HRESULT TakeValue(DWORD behaviour, const testbed::ControlState& state, LONG* value);

}  // namespace vcam
