#include "BareCalls.h"

#include "client/BareCamera.h"

namespace bench {

using testbed::ControlGroup;

namespace {

constexpr long kExposure = 4;  // camera control
constexpr long kBrightness = 0;  // picture control
constexpr long kContrast = 1;

bool Read(testbed::BareCamera& camera, ControlGroup group, long id) {
    testbed::ControlState range;
    LONG value = 0, flags = 0;
    return SUCCEEDED(camera.Range(group, id, &range)) && SUCCEEDED(camera.Get(group, id, &value, &flags));
}

}  // namespace

bool BareRefresh(const std::string& name) {
    testbed::BareCamera camera;
    return camera.Open(name) == S_OK && Read(camera, ControlGroup::CameraControl, kExposure) &&
           Read(camera, ControlGroup::ProcAmp, kBrightness) && Read(camera, ControlGroup::ProcAmp, kContrast);
}

bool BareWrite(const std::string& name, long brightness) {
    testbed::BareCamera camera;
    return camera.Open(name) == S_OK && SUCCEEDED(camera.Set(ControlGroup::ProcAmp, kBrightness, brightness, 2));
}

}  // namespace bench
