// The power-line frequency: its two codings, and its way to the camera
// through the published property or, where the camera lacks that, through
// the private one.
#include "camera/PowerLineFrequency.h"
#include "camera/VendorProperty.h"
#include "support/VirtualCameraFixture.h"

#include <climits>
#include <string>

using namespace ostrivan;
using testbed::ControlGroup;

namespace {

int32_t ValueOf(PowerLineFrequency setting) { return static_cast<int32_t>(setting); }

TEST(PowerLineCodingTest, EverySettingHasItsPrivateCodeAndBack) {
    struct Case {
        PowerLineFrequency setting;
        uint32_t code;
    };
    for (Case c : {Case{PowerLineFrequency::Off, 1}, Case{PowerLineFrequency::Hz50, 2},
                   Case{PowerLineFrequency::Hz60, 3}}) {
        EXPECT_EQ(c.code, ToFallbackCode(ValueOf(c.setting))) << c.code;
        EXPECT_EQ(ValueOf(c.setting), FromFallbackCode(c.code)) << c.code;
    }
}

TEST(PowerLineCodingTest, WhatNamesNoSettingCodesAsOff) {
    for (int32_t value : {3, -1, 100, INT32_MIN, INT32_MAX}) EXPECT_EQ(1u, ToFallbackCode(value)) << value;
    for (uint32_t code : {0u, 4u, 0xFFFFFFFFu}) EXPECT_EQ(0, FromFallbackCode(code)) << code;
}

class PowerLineFrequencyTest : public testsupport::VirtualCameraBed {
protected:
    static constexpr int kCamera = 1;
    static constexpr const char* kName = "XC0730 Web Camera";
    static constexpr LONG kPublished = 13;  // picture control
    static constexpr LONG kPrivate = 259;

    void TearDown() override {
        CloseCameraChannel(&channel_);
        VirtualCameraBed::TearDown();
    }
    // A camera without the published property, its private one holding 3 (60 Hz), opened.
    void OpenFallbackCamera() {
        PlugCamera(kCamera, kName, testbed::CameraPreset::PowerLineFallback);
        ASSERT_TRUE(OpenCameraChannel(kName, &channel_));
    }
    static LONG PrivateValue() {
        testbed::ControlState state;
        EXPECT_TRUE(testbed::ReadControl(kCamera, ControlGroup::Vendor, kPrivate, &state));
        return state.value;
    }

    CameraChannel channel_;
};

TEST_F(PowerLineFrequencyTest, ACameraWithoutThePublishedPropertyIsReadPrivately) {
    OpenFallbackCamera();
    CameraProperty record{};
    ASSERT_TRUE(ReadPowerLineFrequency(&channel_, &record));
    EXPECT_EQ(1, record.valid);
    EXPECT_EQ(ValueOf(PowerLineFrequency::Hz60), record.value);
    EXPECT_EQ(record.value, record.appliedValue);
    // The private property's own fixed range, in its own coding.
    EXPECT_EQ(1, record.minimum);
    EXPECT_EQ(3, record.maximum);
    EXPECT_EQ(1, record.step);
    EXPECT_EQ(2, record.defaultValue);
    EXPECT_EQ(kFlagManual, record.flags);
    EXPECT_EQ(kFlagManual, record.appliedFlags);
    EXPECT_EQ(kFlagManual, record.capabilities);
    EXPECT_EQ(0, record.automatic);
}

TEST_F(PowerLineFrequencyTest, APrivateWriteSendsTheCodeAtByte28) {
    OpenFallbackCamera();
    CameraProperty record{};
    ASSERT_TRUE(ReadPowerLineFrequency(&channel_, &record));
    record.value = ValueOf(PowerLineFrequency::Off);
    EXPECT_TRUE(WritePowerLineFrequency(&channel_, &record));
    std::string sent = testbed::LastBuffer(kCamera, kPrivate);
    ASSERT_EQ(36u, sent.size());
    EXPECT_EQ(1, sent[28]);
    EXPECT_EQ(1, PrivateValue());
    EXPECT_EQ(record.value, record.appliedValue);
}

TEST_F(PowerLineFrequencyTest, ARefusedPrivateWriteStillCountsAsApplied) {
    OpenFallbackCamera();
    CameraProperty record{};
    ASSERT_TRUE(ReadPowerLineFrequency(&channel_, &record));
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::Vendor, kPrivate, testbed::kFailSet));
    record.value = ValueOf(PowerLineFrequency::Hz50);
    EXPECT_FALSE(WritePowerLineFrequency(&channel_, &record));
    EXPECT_EQ(3, PrivateValue());
    EXPECT_EQ(record.value, record.appliedValue) << "the next write waits for another change";
    EXPECT_FALSE(PropertyNeedsWrite(record));
}

TEST_F(PowerLineFrequencyTest, APrivatePropertyThatDoesNotAnswerLeavesTheRecordInvalid) {
    PlugCamera(kCamera, kName, testbed::CameraPreset::PowerLineFallback);
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::Vendor, kPrivate, testbed::kFailGet));
    ASSERT_TRUE(OpenCameraChannel(kName, &channel_));
    CameraProperty record{};
    record.valid = 1;
    EXPECT_FALSE(ReadPowerLineFrequency(&channel_, &record));
    EXPECT_EQ(0, record.valid);
}

TEST_F(PowerLineFrequencyTest, ACameraThatPublishesThePropertyIsNeverAskedPrivately) {
    PlugStandardCamera(kCamera, kName);
    ASSERT_TRUE(testbed::OfferControl(kCamera, ControlGroup::ProcAmp, kPublished,
                                      testbed::OfferedState(0, 2, 1, 1, 2, 2, 3)));
    ASSERT_TRUE(OpenCameraChannel(kName, &channel_));
    CameraProperty record{};
    ASSERT_TRUE(ReadPowerLineFrequency(&channel_, &record));
    EXPECT_EQ(0, record.minimum) << "the published range";
    EXPECT_EQ(2, record.maximum);
    EXPECT_EQ(ValueOf(PowerLineFrequency::Hz60), record.value);

    record.value = ValueOf(PowerLineFrequency::Off);
    EXPECT_TRUE(WritePowerLineFrequency(&channel_, &record));
    testbed::ControlState state;
    ASSERT_TRUE(testbed::ReadControl(kCamera, ControlGroup::ProcAmp, kPublished, &state));
    EXPECT_EQ(0, state.value);
    EXPECT_EQ(0u, testbed::SetCallCount(kCamera, ControlGroup::Vendor, kPrivate));
}

}  // namespace
