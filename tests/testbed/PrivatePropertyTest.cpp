// The camera-private property set as the camera's driver side answers it,
// called on the bound filter's IKsPropertySet; and the properties the
// presets offer.
#include "RealCameraFixture.h"

#include <wrl/client.h>

#include <cstring>

namespace {

using Microsoft::WRL::ComPtr;
using testbed::ControlGroup;
using testsupport::RealCameraTest;

constexpr GUID kPrivateSet = {0xCCA349DA, 0x4FE2, 0x423A, {0xAA, 0x50, 0xE6, 0xF3, 0x52, 0x57, 0x5C, 0xBC}};
constexpr DWORD kPowerLineFallback = 259;
constexpr DWORD kLock = 2053;

struct Buffer {
    BYTE bytes[40] = {};  // room past the 36 bytes, to see nothing is written there
    explicit Buffer(BYTE fill = 0) { std::memset(bytes, fill, sizeof(bytes)); }
    void Put(size_t offset, DWORD value) { std::memcpy(bytes + offset, &value, sizeof(value)); }
    DWORD At(size_t offset) const {
        DWORD value = 0;
        std::memcpy(&value, bytes + offset, sizeof(value));
        return value;
    }
    // The lock's header: the set, the id and the request kind (1 get, 2 set).
    static Buffer LockRequest(DWORD request) {
        Buffer buffer;
        std::memcpy(buffer.bytes, &kPrivateSet, sizeof(kPrivateSet));
        buffer.Put(16, kLock);
        buffer.Put(20, request);
        return buffer;
    }
};

class PrivateProperty : public RealCameraTest {
protected:
    void SetUp() override {
        RealCameraTest::SetUp();
        ASSERT_TRUE(camera_.IsOpen());
        ASSERT_EQ(S_OK, camera_.Filter()->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(set_.GetAddressOf())));
    }
    void TearDown() override {
        set_.Reset();
        RealCameraTest::TearDown();
    }
    LONG Held(DWORD id) { return Stored(ControlGroup::Vendor, static_cast<LONG>(id)).value; }

    ComPtr<IKsPropertySet> set_;
};

TEST_F(PrivateProperty, ReadWritesTheWholeReplyAndNeedsTheReturnedSize) {
    Buffer instance;
    Buffer reply(0xCC);
    DWORD returned = 0;
    ASSERT_EQ(S_OK, set_->Get(kPrivateSet, kPowerLineFallback, instance.bytes, 36, reply.bytes, 36, &returned));
    EXPECT_EQ(36u, returned);
    for (size_t i = 0; i < 36; ++i) {
        if (i < 28 || i >= 32) {
            EXPECT_EQ(0, reply.bytes[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(2u, reply.At(28));
    EXPECT_EQ(0xCCu, reply.bytes[36]) << "nothing past the reply";

    Buffer untouched(0xCC);
    EXPECT_EQ(E_POINTER, set_->Get(kPrivateSet, kPowerLineFallback, instance.bytes, 36, untouched.bytes, 36, nullptr));
    EXPECT_EQ(0xCCCCCCCCu, untouched.At(28));
}

TEST_F(PrivateProperty, ShortBuffersFailAndChangeNothing) {
    const HRESULT kShort = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    Buffer buffer;
    buffer.Put(28, 1);
    DWORD returned = 0;
    EXPECT_EQ(kShort, set_->Get(kPrivateSet, kPowerLineFallback, buffer.bytes, 36, buffer.bytes, 35, &returned));
    EXPECT_EQ(kShort, set_->Get(kPrivateSet, kPowerLineFallback, buffer.bytes, 35, buffer.bytes, 36, &returned));
    EXPECT_EQ(kShort, set_->Set(kPrivateSet, kPowerLineFallback, buffer.bytes, 36, buffer.bytes, 32));
    EXPECT_EQ(kShort, set_->Set(kPrivateSet, kPowerLineFallback, buffer.bytes, 4, buffer.bytes, 36));
    EXPECT_EQ(2, Held(kPowerLineFallback));
    EXPECT_EQ(0u, SetCalls(ControlGroup::Vendor, kPowerLineFallback));
    EXPECT_EQ(E_POINTER, set_->Set(kPrivateSet, kPowerLineFallback, nullptr, 36, buffer.bytes, 36));
}

TEST_F(PrivateProperty, TheLockHeaderIsCheckedInTheInstanceData) {
    DWORD returned = 0;
    Buffer reply(0xCC);
    Buffer get = Buffer::LockRequest(1);
    ASSERT_EQ(S_OK, set_->Get(kPrivateSet, kLock, get.bytes, 36, reply.bytes, 36, &returned));
    EXPECT_EQ(0, std::memcmp(get.bytes, reply.bytes, 28)) << "the reply repeats the request's header";
    EXPECT_EQ(0u, reply.At(28));
    EXPECT_EQ(0u, reply.At(32));

    // The header only in the property data does not name the request.
    Buffer bare;
    EXPECT_EQ(E_INVALIDARG, set_->Get(kPrivateSet, kLock, bare.bytes, 36, get.bytes, 36, &returned));

    Buffer command;
    command.Put(28, 1);
    Buffer setHeader = Buffer::LockRequest(2);
    EXPECT_EQ(E_INVALIDARG, set_->Set(kPrivateSet, kLock, command.bytes, 36, setHeader.bytes, 36));
    EXPECT_EQ(0, Held(kLock));
    EXPECT_EQ(E_INVALIDARG, set_->Set(kPrivateSet, kLock, get.bytes, 36, command.bytes, 36)) << "a get header";
    EXPECT_EQ(0, Held(kLock));
    EXPECT_EQ(S_OK, set_->Set(kPrivateSet, kLock, setHeader.bytes, 36, command.bytes, 36));
    EXPECT_EQ(1, Held(kLock));
}

TEST_F(PrivateProperty, PowerLineValuesOutsideTheRangeAreRefused) {
    for (LONG value : {0, 4, -1}) {
        EXPECT_EQ(E_INVALIDARG, camera_.SetPrivate(kPowerLineFallback, value)) << value;
        EXPECT_EQ(2, Held(kPowerLineFallback));
    }
    ASSERT_EQ(S_OK, camera_.SetPrivate(kPowerLineFallback, 1));
    EXPECT_EQ(1, Held(kPowerLineFallback));
    EXPECT_EQ(4u, SetCalls(ControlGroup::Vendor, kPowerLineFallback));
    std::string sent = testbed::LastBuffer(kCamera, kPowerLineFallback);
    ASSERT_EQ(36u, sent.size());
    EXPECT_EQ(1, sent[28]);
}

TEST_F(PrivateProperty, FailingPropertiesFailEveryCall) {
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::Vendor, kPowerLineFallback, testbed::kFailGet | testbed::kFailSet));
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::ProcAmp, kBrightness, testbed::kFailRange));
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::CameraControl, kExposure, testbed::kFailSet));
    LONG value = 0, flags = 0;
    testbed::ControlState range;
    EXPECT_EQ(E_FAIL, camera_.GetPrivate(kPowerLineFallback, &value));
    EXPECT_EQ(E_FAIL, camera_.SetPrivate(kPowerLineFallback, 1));
    EXPECT_EQ(E_FAIL, camera_.Range(ControlGroup::ProcAmp, kBrightness, &range));
    EXPECT_EQ(S_OK, camera_.Get(ControlGroup::ProcAmp, kBrightness, &value, &flags));
    EXPECT_EQ(E_FAIL, camera_.Set(ControlGroup::CameraControl, kExposure, -3, 2));
    EXPECT_EQ(-6, Stored(ControlGroup::CameraControl, kExposure).value);
}

struct RangeCase {
    ControlGroup group;
    LONG id;
    LONG minimum, maximum, defaultValue, value, flags, capabilities;
};

TEST_F(PrivateProperty, TheRealPresetOffersWhatTheConsoleUses) {
    const RangeCase cases[] = {
        {ControlGroup::ProcAmp, kBrightness, 0, 255, 128, 128, 2, 2},
        {ControlGroup::ProcAmp, 1, 0, 100, 50, 50, 2, 2},  // contrast
        {ControlGroup::ProcAmp, kSharpness, 0, 15, 7, 7, 2, 2},
        {ControlGroup::ProcAmp, kBacklight, 0, 1, 1, 1, 2, 2},
        {ControlGroup::ProcAmp, RealCameraTest::kPowerLine, 0, 3, 3, 3, 2, 2},
        {ControlGroup::CameraControl, kExposure, -13, -1, -6, -5, 1, 3},
    };
    for (const RangeCase& c : cases) {
        testbed::ControlState range;
        LONG value = 0, flags = 0;
        ASSERT_EQ(S_OK, camera_.Range(c.group, c.id, &range)) << c.id;
        ASSERT_EQ(S_OK, camera_.Get(c.group, c.id, &value, &flags)) << c.id;
        EXPECT_EQ(c.minimum, range.minimum) << c.id;
        EXPECT_EQ(c.maximum, range.maximum) << c.id;
        EXPECT_EQ(1, range.step) << c.id;
        EXPECT_EQ(c.defaultValue, range.defaultValue) << c.id;
        EXPECT_EQ(c.capabilities, range.capabilities) << c.id;
        EXPECT_EQ(c.value, value) << c.id;
        EXPECT_EQ(c.flags, flags) << c.id;
    }
}

TEST_F(PrivateProperty, TheFallbackPresetHasPowerLineOnlyPrivately) {
    set_.Reset();
    PlugAndBind(testbed::CameraPreset::PowerLineFallback);
    testbed::ControlState range;
    LONG value = 0, flags = 0;
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, camera_.Range(ControlGroup::ProcAmp, RealCameraTest::kPowerLine, &range));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, camera_.Get(ControlGroup::ProcAmp, RealCameraTest::kPowerLine, &value, &flags));
    ASSERT_EQ(S_OK, camera_.GetPrivate(kPowerLineFallback, &value));
    EXPECT_EQ(3, value);
    ASSERT_EQ(S_OK, camera_.Get(ControlGroup::ProcAmp, kSharpness, &value, &flags));
    EXPECT_EQ(7, value);
}

}  // namespace
