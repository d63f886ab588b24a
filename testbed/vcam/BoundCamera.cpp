#include "vcam/BoundCamera.h"

#include "devices/BindGate.h"
#include "vcam/DeviceErrors.h"

namespace vcam {

HRESULT BoundCamera::Reach(testbed::VirtualCameraSpec* config) const {
    if (!testbed::IsCameraPlugged(camera) || !testbed::ReadVirtualCamera(camera, config)) return NotConnected();
    if ((config->behaviour & testbed::kDeadAfterUnplug) && testbed::CameraGeneration(camera) != generation) {
        return NotConnected();
    }
    if (config->latencyMs) ::Sleep(config->latencyMs);
    return S_OK;
}

void BoundCamera::AnswerLate() const {
    if (DWORD latency = testbed::AnswerLatency(camera)) ::Sleep(latency);
}

void BoundCamera::HoldInBackground() const {
    testbed::VirtualCameraSpec config;
    if (testbed::ReadVirtualCamera(camera, &config) && (config.behaviour & testbed::kHoldBackgroundBinds)) {
        testbed::WaitAtBindGate(camera);
    }
}

HRESULT BoundCamera::Reach(testbed::ControlGroup group, LONG id, testbed::VirtualCameraSpec* config,
                           testbed::ControlState* state) const {
    HRESULT hr = Reach(config);
    if (FAILED(hr)) return hr;
    if (!testbed::ReadControl(camera, group, id, state)) return PropertyIdUnsupported();
    if (state->failures & testbed::kUnplugAtCall) {
        testbed::SetControlFailures(camera, group, id, state->failures & ~testbed::kUnplugAtCall);
        testbed::SetCameraPlugged(camera, false);
        return NotConnected();
    }
    return S_OK;
}

}  // namespace vcam
