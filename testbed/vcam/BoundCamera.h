// The virtual camera a capture device was made for, and the plug it was
// made in: a camera that acts as a real one is a new device after every
// plug, so a device bound before an unplug never reaches it again.
#pragma once

#include "devices/VirtualCameraStore.h"

namespace vcam {

struct BoundCamera {
    int camera = 0;
    DWORD generation = 0;

    static BoundCamera Bind(int camera) { return BoundCamera{camera, testbed::CameraGeneration(camera)}; }
    // S_OK with the camera's settings, or the error of a device that is gone.
    HRESULT Reach(testbed::VirtualCameraSpec* config) const;
};

}  // namespace vcam
