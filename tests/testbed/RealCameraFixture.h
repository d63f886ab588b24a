// A virtual camera that acts as a real one, plugged and bound through the
// platform (system device enumerator, video input category, friendly name)
// the way any program binds it, with COM on the test's thread.
#pragma once

#include "client/BareCamera.h"
#include "support/VirtualCameraFixture.h"

namespace testsupport {

class RealCameraTest : public VirtualCameraBed {
public:
    static constexpr int kCamera = 1;
    static constexpr char kName[] = "XC0730 Web Camera";
    // Ids of the published interfaces.
    static constexpr LONG kBrightness = 0;
    static constexpr LONG kSharpness = 4;
    static constexpr LONG kBacklight = 8;
    static constexpr LONG kPowerLine = 13;
    static constexpr LONG kExposure = 4;

protected:
    void SetUp() override;
    void TearDown() override;
    // Defines and plugs camera kCamera with this preset, and binds camera_ to it.
    void PlugAndBind(testbed::CameraPreset preset);

    testbed::ControlState Stored(testbed::ControlGroup group, LONG id);
    void Offer(testbed::ControlGroup group, LONG id, const testbed::ControlState& state);
    DWORD SetCalls(testbed::ControlGroup group, LONG id) { return testbed::SetCallCount(kCamera, group, id); }

    testbed::BareCamera camera_;

private:
    bool comStarted_ = false;
};

}  // namespace testsupport
