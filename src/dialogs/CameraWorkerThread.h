// The thread of a camera worker (see CameraWorker.h for what it does for
// the window).
#pragma once

namespace ostrivan {

// Thread procedure over a CameraWork, whose reference it takes over and
// releases when it ends.
unsigned __stdcall RunCameraWorker(void* work);

}  // namespace ostrivan
