#include "vcam/BoundCamera.h"

#include "vcam/DeviceErrors.h"

namespace vcam {

HRESULT BoundCamera::Reach(testbed::VirtualCameraSpec* config) const {
    if (!testbed::IsCameraPlugged(camera) || !testbed::ReadVirtualCamera(camera, config)) return NotConnected();
    if ((config->behaviour & testbed::kDeadAfterUnplug) && testbed::CameraGeneration(camera) != generation) {
        return NotConnected();
    }
    return S_OK;
}

}  // namespace vcam
