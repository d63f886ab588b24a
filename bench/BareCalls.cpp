#include "BareCalls.h"

#include "client/BareCamera.h"

namespace bench {

using testbed::ControlGroup;

namespace {

constexpr long kExposure = 4;  // camera control
constexpr long kBrightness = 0;  // picture control
constexpr long kContrast = 1;
constexpr long kSharpness = 4;
constexpr long kBacklight = 8;
constexpr long kPowerLine = 13;

bool Read(testbed::BareCamera& camera, ControlGroup group, long id, BareProperty* read) {
    testbed::ControlState range;
    LONG value = 0, flags = 0;
    if (FAILED(camera.Range(group, id, &range)) || FAILED(camera.Get(group, id, &value, &flags))) return false;
    *read = BareProperty{range.minimum, range.maximum, range.step, value, flags};
    return true;
}

}  // namespace

bool BareRefresh(const std::string& name, BareProperty (&read)[kReadCount]) {
    testbed::BareCamera camera;
    return camera.Open(name) == S_OK && Read(camera, ControlGroup::CameraControl, kExposure, &read[kExposureRead]) &&
           Read(camera, ControlGroup::ProcAmp, kBrightness, &read[kBrightnessRead]) &&
           Read(camera, ControlGroup::ProcAmp, kContrast, &read[kContrastRead]);
}

bool BareRefresh(const std::string& name) {
    BareProperty read[kReadCount];
    return BareRefresh(name, read);
}

bool BareAdvancedRefresh(const std::string& name, BareProperty (&read)[kAdvancedReadCount]) {
    testbed::BareCamera camera;
    return camera.Open(name) == S_OK && Read(camera, ControlGroup::ProcAmp, kPowerLine, &read[kPowerLineRead]) &&
           Read(camera, ControlGroup::ProcAmp, kSharpness, &read[kSharpnessRead]) &&
           Read(camera, ControlGroup::ProcAmp, kBacklight, &read[kBacklightRead]);
}

bool BareWrite(const std::string& name, long brightness) {
    testbed::BareCamera camera;
    return camera.Open(name) == S_OK && SUCCEEDED(camera.Set(ControlGroup::ProcAmp, kBrightness, brightness, 2));
}

}  // namespace bench
