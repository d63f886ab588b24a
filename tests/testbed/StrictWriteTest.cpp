// Writes a real camera refuses: flags other than exactly automatic or
// manual, a mode its capabilities do not offer, a value outside the range;
// and a value off the step, refused or rounded as the camera is set up.
#include "RealCameraFixture.h"

#include <string>

namespace {

using testbed::ControlGroup;
using testsupport::RealCameraTest;

struct WriteCase {
    const char* name;
    ControlGroup group;
    LONG id;
    LONG value;
    LONG flags;
    HRESULT result;
};

class StrictWrites : public RealCameraTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(StrictWrites, RefusedWritesChangeNothing) {
    const WriteCase& c = GetParam();
    // Exposure manual at -6 first, so that a refused write is seen to keep both value and mode.
    ASSERT_EQ(S_OK, camera_.Set(ControlGroup::CameraControl, kExposure, -6, 2));
    const testbed::ControlState before = Stored(c.group, c.id);
    const DWORD calls = SetCalls(c.group, c.id);

    EXPECT_EQ(c.result, camera_.Set(c.group, c.id, c.value, c.flags));

    const testbed::ControlState after = Stored(c.group, c.id);
    EXPECT_EQ(calls + 1, SetCalls(c.group, c.id)) << "every write reaches the camera and is counted";
    if (FAILED(c.result)) {
        EXPECT_EQ(before.value, after.value);
        EXPECT_EQ(before.flags, after.flags);
    } else {
        EXPECT_EQ(c.value, after.value);
        EXPECT_EQ(c.flags, after.flags);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrictWrites,
    ::testing::Values(
        WriteCase{"NoModeFlag", ControlGroup::ProcAmp, RealCameraTest::kBrightness, 10, 0, E_INVALIDARG},
        WriteCase{"BothModeFlags", ControlGroup::CameraControl, RealCameraTest::kExposure, -3, 3, E_INVALIDARG},
        WriteCase{"OtherFlagBits", ControlGroup::ProcAmp, RealCameraTest::kBrightness, 10, 0x12, E_INVALIDARG},
        WriteCase{"AutomaticNotOffered", ControlGroup::ProcAmp, RealCameraTest::kBrightness, 10, 1, E_INVALIDARG},
        WriteCase{"AboveTheRange", ControlGroup::ProcAmp, RealCameraTest::kBrightness, 256, 2, E_INVALIDARG},
        WriteCase{"BelowTheRange", ControlGroup::CameraControl, RealCameraTest::kExposure, -14, 2, E_INVALIDARG},
        WriteCase{"BacklightPastOne", ControlGroup::ProcAmp, RealCameraTest::kBacklight, 2, 2, E_INVALIDARG},
        WriteCase{"TopOfTheRange", ControlGroup::ProcAmp, RealCameraTest::kBrightness, 255, 2, S_OK},
        WriteCase{"BottomOfTheRange", ControlGroup::CameraControl, RealCameraTest::kExposure, -13, 2, S_OK},
        WriteCase{"PowerLineAutomatic", ControlGroup::ProcAmp, RealCameraTest::kPowerLine, 3, 2, S_OK}),
    [](const auto& info) { return std::string(info.param.name); });

class OffStep : public RealCameraTest {
protected:
    void SetUp() override {
        RealCameraTest::SetUp();
        Offer(ControlGroup::ProcAmp, kSharpness, testbed::OfferedState(0, 254, 5, 10, 10, 2, 2));
    }
    HRESULT Write(LONG value) { return camera_.Set(ControlGroup::ProcAmp, kSharpness, value, 2); }
    LONG Held() { return Stored(ControlGroup::ProcAmp, kSharpness).value; }
};

TEST_F(OffStep, TheRealCameraRefusesAValueOffTheStep) {
    EXPECT_EQ(E_INVALIDARG, Write(12));
    EXPECT_EQ(10, Held());
    EXPECT_EQ(S_OK, Write(15));
    EXPECT_EQ(15, Held());
}

TEST_F(OffStep, ARoundingCameraTakesTheNearestStep) {
    ASSERT_TRUE(testbed::SetCameraBehaviour(kCamera, testbed::kStrictWrites | testbed::kRoundOffStep));
    const struct {
        LONG written, held;
    } cases[] = {{12, 10}, {13, 15}, {17, 15}, {15, 15}, {0, 0}, {254, 250}};
    for (const auto& c : cases) {
        EXPECT_EQ(S_OK, Write(c.written)) << c.written;
        EXPECT_EQ(c.held, Held()) << c.written;
    }
    EXPECT_EQ(E_INVALIDARG, Write(255)) << "still strict about the range";
}

TEST_F(OffStep, ALenientCameraStoresAnythingItIsGiven) {
    ASSERT_TRUE(testbed::SetCameraBehaviour(kCamera, 0));
    const struct {
        LONG value, flags;
    } cases[] = {{12, 2}, {999, 2}, {-4, 0x11}, {7, 0}};
    for (const auto& c : cases) {
        ASSERT_EQ(S_OK, camera_.Set(ControlGroup::ProcAmp, kSharpness, c.value, c.flags));
        EXPECT_EQ(c.value, Held());
        EXPECT_EQ(c.flags, Stored(ControlGroup::ProcAmp, kSharpness).flags);
    }
}

}  // namespace
