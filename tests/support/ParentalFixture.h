// A virtual camera with the lock property, the resource library loaded for
// the dialogs' templates and texts, and no stored password before and after
// each test. Helpers read what the camera was told.
#pragma once

#include "skin/ResourceLibrary.h"
#include "support/DialogDriver.h"
#include "support/VirtualCameraFixture.h"

#include <cstdint>
#include <string>

namespace testsupport {

class ParentalBed : public VirtualCameraBed {
protected:
    static constexpr int kCamera = 1;
    static constexpr const char* kCameraName = "XC0730 Web Camera";

    void SetUp() override;
    void TearDown() override;

    // The driver side's stored hash ("Reserved2"), as the camera would keep it.
    static void StoreHashOf(const std::string& password);
    static void DeleteStoredHash();
    // The stored hash, or -1 when there is none.
    static int64_t StoredHash();
    static uint32_t HashOf(const std::string& password);

    static void SetLockState(LONG state);
    static LONG LockState();
    static DWORD LockWrites();
    // The command (byte 28) and data (byte 32) of the last lock write.
    static uint32_t LastLockCommand();
    static uint32_t LastLockData();

    // Types the password into the set-password dialog's new and confirmation edits.
    static void TypeNewPassword(HWND setPassword, const std::string& password);

    // The camera keeps no password hash (command 3 fails) and answers every
    // bind and call late, so that a test has time to take it away between
    // the hash and the write after it.
    static void RefuseHashSlowly();
    // Once the hash write has reached the camera, the camera goes away at
    // its next lock call: the lock it took stays on.
    static void UnplugAfterTheHashWrite();

    static std::string Text(UINT id);
    // Waits for a message box over the window, checks its caption, text and
    // icon, and answers it.
    static void ExpectMessage(HWND over, UINT textId, LPCSTR icon, int answer = IDOK);
    static void ExpectMessageText(HWND over, const std::string& text, LPCSTR icon, int answer = IDOK);

    ostrivan::ResourceLibrary library_;
};

}  // namespace testsupport
