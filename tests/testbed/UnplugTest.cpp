// Unplugging a real camera: a capture device bound before the unplug stays
// dead after the camera is back, since the camera is then a new device;
// only a fresh enumeration and bind reach it.
#include "RealCameraFixture.h"

namespace {

using testbed::ControlGroup;
using testsupport::RealCameraTest;

const HRESULT kGone = HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED);

class Unplug : public RealCameraTest {
protected:
    HRESULT ReadBrightness(testbed::BareCamera& camera, LONG* value) {
        LONG flags = 0;
        return camera.Get(ControlGroup::ProcAmp, kBrightness, value, &flags);
    }
};

TEST_F(Unplug, ABindFromBeforeTheUnplugStaysDead) {
    LONG value = 0, flags = 0;
    ASSERT_TRUE(testbed::UnplugVirtualCamera(kCamera));
    EXPECT_EQ(kGone, ReadBrightness(camera_, &value));
    EXPECT_EQ(kGone, camera_.GetPrivate(259, &value));

    ASSERT_TRUE(testbed::PlugVirtualCamera(kCamera));
    EXPECT_EQ(kGone, ReadBrightness(camera_, &value));
    EXPECT_EQ(kGone, camera_.Get(ControlGroup::CameraControl, kExposure, &value, &flags));
    EXPECT_EQ(kGone, camera_.Set(ControlGroup::ProcAmp, kBrightness, 40, 2));
    EXPECT_EQ(kGone, camera_.SetPrivate(259, 1));
    EXPECT_EQ(128, Stored(ControlGroup::ProcAmp, kBrightness).value);
    EXPECT_EQ(0u, SetCalls(ControlGroup::ProcAmp, kBrightness));

    testbed::BareCamera fresh;
    ASSERT_EQ(S_OK, fresh.Open(kName));
    ASSERT_EQ(S_OK, fresh.Set(ControlGroup::ProcAmp, kBrightness, 40, 2));
    EXPECT_EQ(S_OK, ReadBrightness(fresh, &value));
    EXPECT_EQ(40, value);
    EXPECT_EQ(kGone, ReadBrightness(camera_, &value)) << "the old bind does not come back either";
}

TEST_F(Unplug, ACameraThatIsNotReplacedAnswersOldBindsAgain) {
    ASSERT_TRUE(testbed::SetCameraBehaviour(kCamera, testbed::kRealCamera & ~testbed::kDeadAfterUnplug));
    LONG value = 0;
    ASSERT_TRUE(testbed::UnplugVirtualCamera(kCamera));
    EXPECT_EQ(kGone, ReadBrightness(camera_, &value));
    ASSERT_TRUE(testbed::PlugVirtualCamera(kCamera));
    EXPECT_EQ(S_OK, ReadBrightness(camera_, &value));
    EXPECT_EQ(128, value);
}

TEST_F(Unplug, TheCameraCanGoAwayInTheMiddleOfARefresh) {
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::ProcAmp, kBrightness, testbed::kUnplugAtCall));
    LONG value = 0, flags = 0;
    ASSERT_EQ(S_OK, camera_.Get(ControlGroup::CameraControl, kExposure, &value, &flags));
    EXPECT_EQ(kGone, ReadBrightness(camera_, &value));
    EXPECT_EQ(kGone, camera_.Get(ControlGroup::CameraControl, kExposure, &value, &flags));
    EXPECT_FALSE(testbed::IsCameraPlugged(kCamera));
    EXPECT_EQ(0u, Stored(ControlGroup::ProcAmp, kBrightness).failures) << "it goes away once";

    // The removal finished and the camera back: a fresh bind reads it.
    ASSERT_TRUE(testbed::UnplugVirtualCamera(kCamera));
    ASSERT_TRUE(testbed::PlugVirtualCamera(kCamera));
    testbed::BareCamera fresh;
    ASSERT_EQ(S_OK, fresh.Open(kName));
    EXPECT_EQ(S_OK, ReadBrightness(fresh, &value));
    EXPECT_EQ(128, value);
}

TEST_F(Unplug, TheCameraCanGoAwayAtAWrite) {
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::Vendor, 259, testbed::kUnplugAtCall));
    EXPECT_EQ(kGone, camera_.SetPrivate(259, 1));
    EXPECT_EQ(2, Stored(ControlGroup::Vendor, 259).value);
    EXPECT_EQ(0u, SetCalls(ControlGroup::Vendor, 259));
    EXPECT_EQ(kGone, camera_.Set(ControlGroup::ProcAmp, kBrightness, 40, 2));
}

TEST_F(Unplug, AnUnpluggedCameraIsNotAmongTheDevices) {
    ASSERT_TRUE(testbed::UnplugVirtualCamera(kCamera));
    testbed::BareCamera fresh;
    EXPECT_NE(S_OK, fresh.Open(kName));
    EXPECT_FALSE(fresh.IsOpen());
}

}  // namespace
