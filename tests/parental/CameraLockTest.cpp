// The parental lock against a virtual camera: what the console sends in the
// lock buffer, what it reads back, and where the driver side keeps the hash.
#include "parental/CameraLock.h"
#include "parental/PasswordHash.h"
#include "support/VirtualCameraFixture.h"

#include "base/BoundedText.h"
#include "base/UniqueHandle.h"
#include "camera/VendorProperty.h"
#include "devices/TestBedRegistry.h"

#include <cstring>
#include <string>

using namespace ostrivan;
using testbed::ControlGroup;

namespace {

constexpr int kCamera = 1;
constexpr char kName[] = "XC0730 Web Camera";

void DeleteStoredHash() {
    UniqueKey key;
    if (::RegOpenKeyExA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key.get(), testbed::kPasswordHashValue);
    }
}

// The lock buffer as the camera must receive it.
std::string LockBuffer(uint32_t request, uint32_t command, uint32_t data) {
    VendorPropertyBuffer buffer;
    buffer.PutGuid(0, kVendorPropertySet);
    buffer.Put(16, 2053);
    buffer.Put(20, request);
    buffer.Put(28, command);
    buffer.Put(32, data);
    return std::string(reinterpret_cast<const char*>(buffer.Bytes()), VendorPropertyBuffer::kSize);
}

class CameraLockTest : public testsupport::VirtualCameraBed {
protected:
    void SetUp() override {
        VirtualCameraBed::SetUp();
        DeleteStoredHash();
        PlugStandardCamera(kCamera, kName);
        CopyText(record_.deviceName, kName);
    }
    void TearDown() override {
        DeleteStoredHash();
        VirtualCameraBed::TearDown();
    }
    void SetCameraLock(LONG state) {
        testbed::ControlState lock;
        ASSERT_TRUE(testbed::ReadControl(kCamera, ControlGroup::Vendor, 2053, &lock));
        lock.value = state;
        ASSERT_TRUE(testbed::OfferControl(kCamera, ControlGroup::Vendor, 2053, lock));
    }
    LONG CameraLockState() {
        testbed::ControlState lock;
        EXPECT_TRUE(testbed::ReadControl(kCamera, ControlGroup::Vendor, 2053, &lock));
        return lock.value;
    }
    DWORD LockSetCalls() { return testbed::SetCallCount(kCamera, ControlGroup::Vendor, 2053); }
    std::string Sent() { return testbed::LastBuffer(kCamera, 2053); }

    CameraLockRecord record_{};
};

TEST_F(CameraLockTest, QueryReportsTheCameraState) {
    const struct {
        LONG state;
        uint32_t locked;
    } cases[] = {{0, 0}, {1, 1}, {5, 1}, {0, 0}};
    for (const auto& c : cases) {
        SetCameraLock(c.state);
        ASSERT_TRUE(ReadCameraLock(&record_));
        EXPECT_EQ(c.locked, record_.locked) << "camera state " << c.state;
    }
    EXPECT_EQ(0u, LockSetCalls());
}

TEST_F(CameraLockTest, ModeZeroSendsTheRecordsLockedFlag) {
    // Never queried: the zero-filled record sends "off".
    ASSERT_TRUE(WriteCameraLock(&record_, 0));
    EXPECT_EQ(LockBuffer(2, 0, 0), Sent());
    EXPECT_EQ(0, CameraLockState());

    record_.locked = 1;
    ASSERT_TRUE(WriteCameraLock(&record_, 0));
    EXPECT_EQ(LockBuffer(2, 1, 0), Sent());
    EXPECT_EQ(1, CameraLockState());
    ASSERT_TRUE(ReadCameraLock(&record_));
    EXPECT_EQ(1u, record_.locked);

    record_.locked = 2;  // only exactly 1 means "on"
    ASSERT_TRUE(WriteCameraLock(&record_, 0));
    EXPECT_EQ(LockBuffer(2, 0, 0), Sent());
    EXPECT_EQ(0, CameraLockState());
    EXPECT_EQ(3u, LockSetCalls());
}

TEST_F(CameraLockTest, ModeOneSendsThePromptCommand) {
    ASSERT_TRUE(WriteCameraLock(&record_, 1));
    EXPECT_EQ(LockBuffer(2, 2, 0), Sent());
}

TEST_F(CameraLockTest, OtherModesWriteNothing) {
    for (int mode : {-1, 2, 3, 100}) {
        EXPECT_FALSE(WriteCameraLock(&record_, mode)) << mode;
    }
    EXPECT_EQ(0u, LockSetCalls());
}

TEST_F(CameraLockTest, CodeWithModeTwoStoresTheHash) {
    uint32_t hash = 0;
    ASSERT_TRUE(PasswordHash("abc", &hash));
    ASSERT_TRUE(WriteCameraLockCode(&record_, 2, hash));
    EXPECT_EQ(LockBuffer(2, 3, hash), Sent());

    uint32_t stored = 0;
    ASSERT_TRUE(ReadStoredPasswordHash(&stored));
    EXPECT_EQ(15605u, stored);
    EXPECT_TRUE(CheckPassword("abc"));
    EXPECT_FALSE(CheckPassword("abd"));
}

TEST_F(CameraLockTest, CodeWithAnotherModeWritesNothing) {
    for (int mode : {0, 1, 3}) {
        EXPECT_FALSE(WriteCameraLockCode(&record_, mode, 15605)) << mode;
    }
    EXPECT_EQ(0u, LockSetCalls());
    uint32_t stored = 0;
    EXPECT_FALSE(ReadStoredPasswordHash(&stored));
}

TEST_F(CameraLockTest, EveryOperationFailsWithoutPropertySet) {
    SetCameraLock(1);
    testbed::VirtualCameraSpec config;
    ASSERT_TRUE(testbed::ReadVirtualCamera(kCamera, &config));
    config.interfaces &= ~testbed::kOfferPropertySet;
    ASSERT_TRUE(testbed::WriteVirtualCamera(kCamera, config));

    record_.locked = 0;
    EXPECT_FALSE(ReadCameraLock(&record_));
    EXPECT_EQ(0u, record_.locked);
    EXPECT_FALSE(WriteCameraLock(&record_, 0));
    EXPECT_FALSE(WriteCameraLock(&record_, 1));
    EXPECT_FALSE(WriteCameraLockCode(&record_, 2, 1234));
    EXPECT_EQ(0u, LockSetCalls());
    EXPECT_EQ(1, CameraLockState());
    uint32_t stored = 0;
    EXPECT_FALSE(ReadStoredPasswordHash(&stored));
}

TEST_F(CameraLockTest, FailedPropertyCallsAreReported) {
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::Vendor, 2053, testbed::kFailGet | testbed::kFailSet));
    record_.locked = 1;
    EXPECT_FALSE(ReadCameraLock(&record_));
    EXPECT_EQ(1u, record_.locked);
    EXPECT_FALSE(WriteCameraLock(&record_, 0));
    EXPECT_FALSE(WriteCameraLockCode(&record_, 2, 99));
}

TEST_F(CameraLockTest, UnknownOrBadDeviceNamesFail) {
    CameraLockRecord unknown{};
    CopyText(unknown.deviceName, "Another Camera");
    EXPECT_FALSE(ReadCameraLock(&unknown));
    CameraLockRecord unterminated;
    std::memset(unterminated.deviceName, 'X', sizeof(unterminated.deviceName));
    unterminated.locked = 0;
    EXPECT_FALSE(ReadCameraLock(&unterminated));
    EXPECT_FALSE(WriteCameraLock(&unterminated, 0));
    EXPECT_FALSE(ReadCameraLock(nullptr));
    EXPECT_FALSE(WriteCameraLock(nullptr, 0));
    EXPECT_FALSE(WriteCameraLockCode(nullptr, 2, 1));
    EXPECT_EQ(0u, LockSetCalls());
}

}  // namespace
