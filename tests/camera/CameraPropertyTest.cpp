// Reading and writing control properties through a channel: the record gets
// the corrected range and value, and the device gets the corrective sets.
#include "camera/CameraChannel.h"
#include "support/VirtualCameraFixture.h"

#include <climits>
#include <string>

using namespace ostrivan;
using testbed::ControlGroup;
using testbed::ControlState;

namespace {

class CameraPropertyTest : public testsupport::OneCameraBed {
protected:
    void Offer(ControlGroup group, long id, const ControlState& state) {
        ASSERT_TRUE(testbed::OfferControl(kCamera, group, id, state));
    }
    ControlState Device(ControlGroup group, long id) {
        ControlState state;
        EXPECT_TRUE(testbed::ReadControl(kCamera, group, id, &state));
        return state;
    }
    DWORD SetCalls(ControlGroup group, long id) { return testbed::SetCallCount(kCamera, group, id); }
    void OpenChannel() { ASSERT_TRUE(OpenCameraChannel(kName, &channel_)); }
};

ControlState Reported(LONG minimum, LONG maximum, LONG step, LONG defaultValue, LONG value, LONG flags) {
    return testbed::OfferedState(minimum, maximum, step, defaultValue, value, flags, 3);
}

struct Corrected {
    int32_t minimum, maximum, step, defaultValue, value, flags;
};

struct CorrectionCase {
    const char* name;
    ControlState reported;
    Corrected record;
    LONG deviceValue;  // what the device holds after the read
    LONG deviceFlags;
    DWORD setCalls;
};

class ReadCorrections : public CameraPropertyTest, public ::testing::WithParamInterface<CorrectionCase> {};

TEST_P(ReadCorrections, ReachTheRecordAndTheDevice) {
    const CorrectionCase& c = GetParam();
    // The same corrections for both control interfaces.
    const struct {
        ControlGroup group;
        const GUID& set;
        long id;
    } targets[] = {{ControlGroup::ProcAmp, IID_IAMVideoProcAmp, 0}, {ControlGroup::CameraControl, IID_IAMCameraControl, 4}};
    for (const auto& target : targets) {
        Offer(target.group, target.id, c.reported);
        OpenChannel();
        CameraProperty property{};
        ASSERT_TRUE(ReadCameraProperty(&channel_, target.set, target.id, &property));
        CloseCameraChannel(&channel_);

        EXPECT_EQ(1, property.valid);
        EXPECT_EQ(c.record.minimum, property.minimum);
        EXPECT_EQ(c.record.maximum, property.maximum);
        EXPECT_EQ(c.record.step, property.step);
        EXPECT_EQ(c.record.defaultValue, property.defaultValue);
        EXPECT_EQ(c.record.value, property.value);
        EXPECT_EQ(c.record.flags, property.flags);
        EXPECT_EQ(c.record.value, property.appliedValue);
        EXPECT_EQ(c.record.flags, property.appliedFlags);
        EXPECT_EQ(c.record.flags & 1, property.automatic);
        EXPECT_EQ(3, property.capabilities);

        ControlState device = Device(target.group, target.id);
        EXPECT_EQ(c.deviceValue, device.value);
        EXPECT_EQ(c.deviceFlags, device.flags);
        EXPECT_EQ(c.setCalls, SetCalls(target.group, target.id));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ReadCorrections,
    ::testing::Values(
        CorrectionCase{"PlainRange", Reported(0, 255, 1, 128, 100, 2), {0, 255, 1, 128, 100, 2}, 100, 2, 0},
        CorrectionCase{"InvertedRange", Reported(10, 0, 1, 5, 5, 2), {0, 10, 1, 5, 5, 2}, 5, 2, 0},
        CorrectionCase{"ZeroStep", Reported(0, 100, 0, 50, 50, 2), {0, 100, 1, 50, 50, 2}, 50, 2, 0},
        CorrectionCase{"NegativeStep", Reported(0, 100, -4, 50, 50, 2), {0, 100, 1, 50, 50, 2}, 50, 2, 0},
        CorrectionCase{"StepWiderThanRange", Reported(0, 10, 11, 5, 5, 2), {0, 10, 1, 5, 5, 2}, 5, 2, 0},
        CorrectionCase{"StepAsWideAsRange", Reported(0, 10, 10, 0, 10, 2), {0, 10, 10, 0, 10, 2}, 10, 2, 0},
        CorrectionCase{"DefaultAboveRange", Reported(0, 255, 1, 300, 10, 2), {0, 255, 1, 255, 10, 2}, 10, 2, 0},
        CorrectionCase{"DefaultBelowRange", Reported(0, 255, 1, -3, 10, 2), {0, 255, 1, 0, 10, 2}, 10, 2, 0},
        CorrectionCase{"ManualValueBelowRange", Reported(0, 100, 1, 50, -5, 2), {0, 100, 1, 50, 0, 2}, 0, 2, 1},
        CorrectionCase{"ManualValueAboveRange", Reported(0, 100, 1, 50, 101, 2), {0, 100, 1, 50, 100, 2}, 100, 2, 1},
        // An automatic value out of range is corrected in the record only.
        CorrectionCase{"AutomaticValueAboveRange", Reported(0, 100, 1, 50, 150, 1), {0, 100, 1, 50, 100, 1}, 150, 1, 0},
        CorrectionCase{"BothFlagBits", Reported(0, 100, 1, 50, 40, 3), {0, 100, 1, 50, 40, 1}, 40, 1, 1},
        CorrectionCase{"NoFlagBits", Reported(0, 100, 1, 50, 40, 0), {0, 100, 1, 50, 40, 1}, 40, 1, 1},
        CorrectionCase{"OtherFlagBitsKept", Reported(0, 100, 1, 50, 40, 0x13), {0, 100, 1, 50, 40, 0x11}, 40, 0x11, 1},
        // Out of range with both bits: the manual set, then the automatic one.
        CorrectionCase{"BothBitsAndOutOfRange", Reported(0, 100, 1, 50, 200, 3), {0, 100, 1, 50, 100, 1}, 100, 1, 2},
        // The width of this range does not fit 32 bits; the step is kept.
        CorrectionCase{"WidestRangeKeepsWideStep", Reported(INT_MIN, INT_MAX, INT_MAX, 0, 0, 2),
                       {INT_MIN, INT_MAX, INT_MAX, 0, 0, 2}, 0, 2, 0},
        CorrectionCase{"WidestRangeInverted", Reported(INT_MAX, INT_MIN, 0, INT_MIN, INT_MAX, 2),
                       {INT_MIN, INT_MAX, 1, INT_MIN, INT_MAX, 2}, INT_MAX, 2, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CameraPropertyTest, FailedReadsLeaveTheRecordInvalid) {
    OpenChannel();
    CameraProperty property{};
    property.valid = 1;
    ControlState failing = Device(ControlGroup::ProcAmp, 0);

    failing.failures = testbed::kFailRange;
    Offer(ControlGroup::ProcAmp, 0, failing);
    EXPECT_FALSE(ReadCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &property));
    EXPECT_EQ(0, property.valid);

    property.valid = 1;
    failing.failures = testbed::kFailGet;
    Offer(ControlGroup::ProcAmp, 0, failing);
    EXPECT_FALSE(ReadCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &property));
    EXPECT_EQ(0, property.valid);

    property.valid = 1;
    EXPECT_FALSE(ReadCameraProperty(&channel_, IID_IAMVideoProcAmp, 99, &property));  // not offered
    EXPECT_EQ(0, property.valid);

    property.valid = 1;
    EXPECT_FALSE(ReadCameraProperty(&channel_, IID_IAMVideoControl, 0, &property));  // not a property set
    EXPECT_EQ(0, property.valid);

    EXPECT_FALSE(ReadCameraProperty(&channel_, IID_IAMVideoProcAmp, 1, nullptr));
    EXPECT_FALSE(ReadCameraProperty(nullptr, IID_IAMVideoProcAmp, 1, &property));
    EXPECT_FALSE(WriteCameraProperty(&channel_, IID_IAMVideoProcAmp, 1, nullptr));
    EXPECT_FALSE(WriteCameraProperty(nullptr, IID_IAMVideoProcAmp, 1, &property));
}

TEST_F(CameraPropertyTest, ReadOnAChannelThatIsNotOpenFails) {
    CameraProperty property{};
    EXPECT_FALSE(ReadCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &property));
    EXPECT_FALSE(WriteCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &property));
}

TEST_F(CameraPropertyTest, CameraUnpluggedBetweenOpenAndReadFailsCleanly) {
    OpenChannel();
    ASSERT_TRUE(testbed::UnplugVirtualCamera(kCamera));
    CameraProperty property{};
    property.valid = 1;
    EXPECT_FALSE(ReadCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &property));
    EXPECT_EQ(0, property.valid);
    property.value = 3;
    EXPECT_FALSE(WriteCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &property));
    CloseCameraChannel(&channel_);
    EXPECT_EQ(0, LiveObjects());
}

TEST_F(CameraPropertyTest, UnchangedWriteMakesNoDeviceCall) {
    OpenChannel();
    CameraProperty brightness{}, exposure{};
    ASSERT_TRUE(ReadCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &brightness));
    ASSERT_TRUE(ReadCameraProperty(&channel_, IID_IAMCameraControl, 4, &exposure));
    EXPECT_TRUE(WriteCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &brightness));
    EXPECT_TRUE(WriteCameraProperty(&channel_, IID_IAMCameraControl, 4, &exposure));
    EXPECT_EQ(0u, SetCalls(ControlGroup::ProcAmp, 0));
    EXPECT_EQ(0u, SetCalls(ControlGroup::CameraControl, 4));
}

TEST_F(CameraPropertyTest, ChangedWriteReachesTheDeviceOnce) {
    OpenChannel();
    CameraProperty brightness{};
    ASSERT_TRUE(ReadCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &brightness));
    brightness.value = 200;
    EXPECT_TRUE(WriteCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &brightness));
    EXPECT_EQ(200, brightness.appliedValue);
    EXPECT_EQ(2, brightness.appliedFlags);
    EXPECT_TRUE(WriteCameraProperty(&channel_, IID_IAMVideoProcAmp, 0, &brightness));
    EXPECT_EQ(1u, SetCalls(ControlGroup::ProcAmp, 0));
    EXPECT_EQ(200, Device(ControlGroup::ProcAmp, 0).value);
    EXPECT_EQ(2, Device(ControlGroup::ProcAmp, 0).flags);
}

TEST_F(CameraPropertyTest, AutomaticModeBecomesTheFlags) {
    OpenChannel();
    CameraProperty exposure{};
    ASSERT_TRUE(ReadCameraProperty(&channel_, IID_IAMCameraControl, 4, &exposure));
    ASSERT_EQ(1, exposure.automatic);

    exposure.automatic = 0;
    exposure.flags |= 0x10;  // bits other than the two modes are kept
    EXPECT_TRUE(WriteCameraProperty(&channel_, IID_IAMCameraControl, 4, &exposure));
    EXPECT_EQ(0x12, exposure.flags);
    EXPECT_EQ(0x12, Device(ControlGroup::CameraControl, 4).flags);

    exposure.automatic = 1;
    EXPECT_TRUE(WriteCameraProperty(&channel_, IID_IAMCameraControl, 4, &exposure));
    EXPECT_EQ(0x11, exposure.flags);
    EXPECT_EQ(0x11, Device(ControlGroup::CameraControl, 4).flags);
    EXPECT_EQ(2u, SetCalls(ControlGroup::CameraControl, 4));
}

TEST_F(CameraPropertyTest, FailedWriteKeepsTheAppliedState) {
    ControlState failing = Device(ControlGroup::ProcAmp, 1);
    OpenChannel();
    CameraProperty contrast{};
    ASSERT_TRUE(ReadCameraProperty(&channel_, IID_IAMVideoProcAmp, 1, &contrast));
    failing.failures = testbed::kFailSet;
    Offer(ControlGroup::ProcAmp, 1, failing);

    const int32_t applied = contrast.appliedValue;
    contrast.value = applied + 1;
    EXPECT_FALSE(WriteCameraProperty(&channel_, IID_IAMVideoProcAmp, 1, &contrast));
    EXPECT_EQ(applied, contrast.appliedValue);
    // So the next write tries again.
    EXPECT_FALSE(WriteCameraProperty(&channel_, IID_IAMVideoProcAmp, 1, &contrast));
    EXPECT_EQ(2u, SetCalls(ControlGroup::ProcAmp, 1));
}

}  // namespace
