// The camera-private property set through a channel: the 36-byte buffer and
// the power-line fallback's value at byte 28.
#include "camera/VendorProperty.h"
#include "support/VirtualCameraFixture.h"

#include <cstring>
#include <string>

using namespace ostrivan;
using testbed::ControlGroup;

namespace {

class VendorPropertyTest : public testsupport::OneCameraBed {
protected:
    void SetDeviceValue(long id, LONG value) {
        testbed::ControlState state;
        ASSERT_TRUE(testbed::ReadControl(kCamera, ControlGroup::Vendor, id, &state));
        state.value = value;
        ASSERT_TRUE(testbed::OfferControl(kCamera, ControlGroup::Vendor, id, state));
    }
};

TEST_F(VendorPropertyTest, PowerLineFallbackIsReadAtByte28) {
    SetDeviceValue(kPowerLineFallbackProperty, 3);
    ASSERT_TRUE(OpenCameraChannel(kName, &channel_));
    VendorPropertyBuffer buffer;
    ASSERT_TRUE(GetVendorProperty(&channel_, kPowerLineFallbackProperty, &buffer));
    EXPECT_EQ(3u, buffer.At(VendorPropertyBuffer::kValueOffset));
}

TEST_F(VendorPropertyTest, PowerLineFallbackSetSendsAZeroBufferWithTheValue) {
    ASSERT_TRUE(OpenCameraChannel(kName, &channel_));
    VendorPropertyBuffer buffer;
    buffer.Put(VendorPropertyBuffer::kValueOffset, 1);
    ASSERT_TRUE(SetVendorProperty(&channel_, kPowerLineFallbackProperty, &buffer));

    std::string sent = testbed::LastBuffer(kCamera, kPowerLineFallbackProperty);
    ASSERT_EQ(36u, sent.size());
    std::string expected(36, '\0');
    expected[28] = 1;
    EXPECT_EQ(expected, sent);
    testbed::ControlState state;
    ASSERT_TRUE(testbed::ReadControl(kCamera, ControlGroup::Vendor, kPowerLineFallbackProperty, &state));
    EXPECT_EQ(1, state.value);
}

TEST_F(VendorPropertyTest, FailuresAreReported) {
    VendorPropertyBuffer buffer;
    EXPECT_FALSE(GetVendorProperty(&channel_, kPowerLineFallbackProperty, &buffer));  // not open
    ASSERT_TRUE(OpenCameraChannel(kName, &channel_));
    EXPECT_FALSE(GetVendorProperty(&channel_, 4711, &buffer));  // not offered
    EXPECT_FALSE(GetVendorProperty(&channel_, kPowerLineFallbackProperty, nullptr));
    EXPECT_FALSE(SetVendorProperty(nullptr, kPowerLineFallbackProperty, &buffer));
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::Vendor, kPowerLineFallbackProperty,
                                            testbed::kFailGet | testbed::kFailSet));
    EXPECT_FALSE(GetVendorProperty(&channel_, kPowerLineFallbackProperty, &buffer));
    EXPECT_FALSE(SetVendorProperty(&channel_, kPowerLineFallbackProperty, &buffer));
}

TEST(VendorPropertyBufferTest, FieldsOutsideTheBufferAreIgnored) {
    VendorPropertyBuffer buffer;
    buffer.Put(33, 0xFFFFFFFF);
    buffer.Put(SIZE_MAX, 0xFFFFFFFF);
    buffer.PutGuid(21, kVendorPropertySet);
    EXPECT_EQ(0u, buffer.At(32));
    EXPECT_EQ(0u, buffer.At(33));
    EXPECT_EQ(0u, buffer.At(SIZE_MAX));
    const uint8_t zeros[36] = {};
    EXPECT_EQ(0, std::memcmp(zeros, buffer.Bytes(), 36));
    buffer.Put(32, 0x01020304);
    EXPECT_EQ(0x01020304u, buffer.At(32));
}

}  // namespace
