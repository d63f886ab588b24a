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
    // S_OK with the camera's settings, or the error of a device that is gone;
    // a slow camera answers S_OK only after its latency.
    HRESULT Reach(testbed::VirtualCameraSpec* config) const;
    // S_OK with the camera's settings and the property's state; the error of
    // a device that is gone (also one that goes away at this call), or of a
    // property it does not offer.
    HRESULT Reach(testbed::ControlGroup group, LONG id, testbed::VirtualCameraSpec* config,
                  testbed::ControlState* state) const;
    // Waits out a slow camera's latency, for a call that answers without
    // looking at the camera's state.
    void AnswerLate() const;
    // For a bind by a thread that shows no window: waits at the camera's
    // bind gate when the camera holds such binds.
    void HoldInBackground() const;
};

}  // namespace vcam
