// Automatic mode as a real camera has it: a write with the automatic flag
// switches only the mode, and while automatic a read reports the camera's
// own choice, which the test bed changes without writing.
#include "RealCameraFixture.h"

namespace {

using testbed::ControlGroup;
using testsupport::RealCameraTest;

class AutomaticMode : public RealCameraTest {
protected:
    void ExpectExposure(LONG value, LONG flags) {
        LONG read = 0, readFlags = 0;
        ASSERT_EQ(S_OK, camera_.Get(ControlGroup::CameraControl, kExposure, &read, &readFlags));
        EXPECT_EQ(value, read);
        EXPECT_EQ(flags, readFlags);
    }
};

TEST_F(AutomaticMode, ReadReportsTheCamerasOwnChoiceAsItChanges) {
    ExpectExposure(-5, 1);  // the preset: automatic at -5, manual value -6 kept
    for (LONG choice : {-9, -1, -13}) {
        ASSERT_TRUE(testbed::SetAutomaticChoice(kCamera, ControlGroup::CameraControl, kExposure, choice));
        ExpectExposure(choice, 1);
    }
    EXPECT_EQ(0u, SetCalls(ControlGroup::CameraControl, kExposure));
    EXPECT_EQ(-6, Stored(ControlGroup::CameraControl, kExposure).value);
}

TEST_F(AutomaticMode, AutomaticWriteSwitchesOnlyTheMode) {
    ASSERT_EQ(S_OK, camera_.Set(ControlGroup::CameraControl, kExposure, -2, 2));
    ExpectExposure(-2, 2);

    // The value of an automatic write goes nowhere; the camera chooses.
    ASSERT_EQ(S_OK, camera_.Set(ControlGroup::CameraControl, kExposure, -11, 1));
    ExpectExposure(-5, 1);
    EXPECT_EQ(-2, Stored(ControlGroup::CameraControl, kExposure).value);

    // Back to manual at the value the write gives.
    ASSERT_EQ(S_OK, camera_.Set(ControlGroup::CameraControl, kExposure, -7, 2));
    ExpectExposure(-7, 2);
    // A choice made while manual shows only once the camera is automatic again.
    ASSERT_TRUE(testbed::SetAutomaticChoice(kCamera, ControlGroup::CameraControl, kExposure, -3));
    ExpectExposure(-7, 2);
    ASSERT_EQ(S_OK, camera_.Set(ControlGroup::CameraControl, kExposure, -7, 1));
    ExpectExposure(-3, 1);
    EXPECT_EQ(4u, SetCalls(ControlGroup::CameraControl, kExposure));
}

TEST_F(AutomaticMode, ALenientCameraStoresWhatTheWriteGives) {
    PlugAndBind(testbed::CameraPreset::Standard);
    ASSERT_EQ(S_OK, camera_.Set(ControlGroup::CameraControl, kExposure, -11, 1));
    ExpectExposure(-11, 1);
    ASSERT_TRUE(testbed::SetAutomaticChoice(kCamera, ControlGroup::CameraControl, kExposure, -3));
    ExpectExposure(-11, 1);
}

}  // namespace
