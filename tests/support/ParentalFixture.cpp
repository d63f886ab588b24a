#include "support/ParentalFixture.h"

#include "ResourceIds.h"
#include "base/ResourceSource.h"
#include "base/UniqueHandle.h"
#include "devices/TestBedRegistry.h"
#include "devices/VirtualCameraStore.h"
#include "driving/MessageBoxes.h"
#include "driving/Wait.h"
#include "parental/PasswordHash.h"

#include <cstring>

namespace testsupport {

using testbed::ControlGroup;

void ParentalBed::SetUp() {
    VirtualCameraBed::SetUp();
    DeleteStoredHash();
    PlugStandardCamera(kCamera, kCameraName);
    ASSERT_TRUE(library_.Load());
}

void ParentalBed::TearDown() {
    DeleteStoredHash();
    VirtualCameraBed::TearDown();
}

void ParentalBed::StoreHashOf(const std::string& password) {
    DWORD hash = HashOf(password);
    ostrivan::UniqueKey key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey, 0, nullptr, 0,
                                               KEY_SET_VALUE, nullptr, key.put(), nullptr));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key.get(), testbed::kPasswordHashValue, 0, REG_DWORD,
                                              reinterpret_cast<const BYTE*>(&hash), sizeof(hash)));
}

void ParentalBed::DeleteStoredHash() {
    ostrivan::UniqueKey key;
    if (::RegOpenKeyExA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key.get(), testbed::kPasswordHashValue);
    }
}

int64_t ParentalBed::StoredHash() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (::RegGetValueA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey, testbed::kPasswordHashValue, RRF_RT_ANY, &type,
                       &value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return -1;
    }
    return value;
}

uint32_t ParentalBed::HashOf(const std::string& password) {
    uint32_t hash = 0;
    EXPECT_TRUE(ostrivan::PasswordHash(password.c_str(), &hash));
    return hash;
}

void ParentalBed::SetLockState(LONG state) {
    testbed::ControlState lock;
    ASSERT_TRUE(testbed::ReadControl(kCamera, ControlGroup::Vendor, 2053, &lock));
    lock.value = state;
    ASSERT_TRUE(testbed::OfferControl(kCamera, ControlGroup::Vendor, 2053, lock));
}

LONG ParentalBed::LockState() {
    testbed::ControlState lock;
    EXPECT_TRUE(testbed::ReadControl(kCamera, ControlGroup::Vendor, 2053, &lock));
    return lock.value;
}

DWORD ParentalBed::LockWrites() { return testbed::SetCallCount(kCamera, ControlGroup::Vendor, 2053); }

namespace {
uint32_t LastLockField(size_t offset) {
    std::string sent = testbed::LastBuffer(1, 2053);
    uint32_t value = 0xFFFFFFFF;
    if (sent.size() >= offset + sizeof(value)) std::memcpy(&value, sent.data() + offset, sizeof(value));
    return value;
}
}  // namespace

uint32_t ParentalBed::LastLockCommand() { return LastLockField(28); }
uint32_t ParentalBed::LastLockData() { return LastLockField(32); }

void ParentalBed::TypeNewPassword(HWND setPassword, const std::string& password) {
    TypeText(setPassword, IDC_NEW_PASSWORD, password);
    TypeText(setPassword, IDC_CONFIRM_PASSWORD, password);
}

void ParentalBed::RefuseHashSlowly() {
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::Vendor, 2053, testbed::kFailKeepHash));
    // Two late answers (the next bind and its call) lie between the hash
    // write and the next lock call: far more than a test needs to react.
    ASSERT_TRUE(testbed::SetCameraLatency(kCamera, 400));
}

void ParentalBed::UnplugAfterTheHashWrite() {
    // The lock, then the hash.
    ASSERT_TRUE(driving::WaitUntil([] { return LockWrites() >= 2; })) << "the hash never reached the camera";
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, ControlGroup::Vendor, 2053,
                                            testbed::kFailKeepHash | testbed::kUnplugAtCall));
}

std::string ParentalBed::Text(UINT id) { return ostrivan::LoadResourceString(id); }

void ParentalBed::ExpectMessage(HWND over, UINT textId, LPCSTR icon, int answer) {
    SCOPED_TRACE(testing::Message() << "message " << textId);
    ExpectMessageText(over, Text(textId), icon, answer);
}

void ParentalBed::ExpectMessageText(HWND over, const std::string& text, LPCSTR icon, int answer) {
    driving::MessageBoxSeen box;
    ASSERT_TRUE(driving::WaitForMessageBox(driving::MessageBoxes().OnThreadOf(over), &box))
        << "no message \"" << text << "\"";
    EXPECT_EQ(Text(IDS_PARENTAL_CAPTION), box.caption);
    EXPECT_EQ(text, box.text);
    if (icon) {
        EXPECT_EQ(::LoadIconA(nullptr, icon), box.icon) << "icon of the message";
    }
    EXPECT_TRUE(driving::AnswerMessageBox(box.window, answer));
}

}  // namespace testsupport
