#include "RealCameraFixture.h"

namespace testsupport {

void RealCameraTest::SetUp() {
    VirtualCameraBed::SetUp();
    comStarted_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ASSERT_TRUE(comStarted_);
    PlugAndBind(testbed::CameraPreset::Real);
}

void RealCameraTest::TearDown() {
    camera_.Close();
    if (comStarted_) ::CoUninitialize();
    VirtualCameraBed::TearDown();
}

void RealCameraTest::PlugAndBind(testbed::CameraPreset preset) {
    camera_.Close();
    PlugCamera(kCamera, kName, preset);
    ASSERT_EQ(S_OK, camera_.Open(kName));
}

testbed::ControlState RealCameraTest::Stored(testbed::ControlGroup group, LONG id) {
    testbed::ControlState state;
    EXPECT_TRUE(testbed::ReadControl(kCamera, group, id, &state));
    return state;
}

void RealCameraTest::Offer(testbed::ControlGroup group, LONG id, const testbed::ControlState& state) {
    ASSERT_TRUE(testbed::OfferControl(kCamera, group, id, state));
}

}  // namespace testsupport
