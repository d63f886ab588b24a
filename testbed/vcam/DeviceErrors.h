// Answers of the virtual camera when it cannot serve a call.
#pragma once

#include <dshow.h>

namespace vcam {

// A camera that was unplugged after it was bound.
inline HRESULT NotConnected() { return HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED); }
// A property the camera does not offer.
inline HRESULT PropertyIdUnsupported() { return E_PROP_ID_UNSUPPORTED; }
inline HRESULT PropertySetUnsupported() { return E_PROP_SET_UNSUPPORTED; }

}  // namespace vcam
