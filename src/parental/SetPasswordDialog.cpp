#include "parental/SetPasswordDialog.h"

#include "ResourceIds.h"
#include "base/ResourceSource.h"
#include "parental/PasswordField.h"
#include "parental/PasswordHash.h"

namespace ostrivan {

namespace {
constexpr size_t kMinPasswordBytes = 6;
constexpr int kPasswordEdits[] = {IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD};
}  // namespace

SetPasswordDialog::SetPasswordDialog()
    : PasswordDialog(IDD_SET_PASSWORD, {IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD}) {}

void SetPasswordDialog::Configure(bool firstTime, const char* deviceName) {
    firstTime_ = firstTime ? 1 : 0;
    SetDeviceName(deviceName);
}

void SetPasswordDialog::OnOpen() {
    bool first = firstTime();
    ::SetWindowTextA(hwnd(), LoadResourceString(first ? IDS_SET_PASSWORD_FIRST_TITLE : IDS_SET_PASSWORD_CHANGE_TITLE).c_str());
    ::SetDlgItemTextA(hwnd(), IDC_SET_PASSWORD_LABEL,
                      LoadResourceString(first ? IDS_SET_PASSWORD_FIRST_LABEL : IDS_SET_PASSWORD_CHANGE_LABEL).c_str());
    ::EnableWindow(::GetDlgItem(hwnd(), IDC_OLD_PASSWORD), first ? FALSE : TRUE);
    // The record tells the opener whether this showing left the lock on.
    lock_.locked = 0;
    // The first field the user has to fill takes the focus.
    ::SetFocus(::GetDlgItem(hwnd(), first ? IDC_NEW_PASSWORD : IDC_OLD_PASSWORD));
}

void SetPasswordDialog::OnOk() {
    if (!firstTime() && !CheckOldPassword()) return;
    PasswordText password;
    PasswordText confirmation;
    password.ReadFrom(hwnd(), IDC_NEW_PASSWORD);
    confirmation.ReadFrom(hwnd(), IDC_CONFIRM_PASSWORD);
    if (!CheckNewPassword(password, confirmation)) return;
    StoreResult stored = StorePassword(password);
    if (stored != StoreResult::Stored) {
        // A lock the camera kept must not read as nothing changed.
        ShowParentalMessage(hwnd(), stored == StoreResult::LockLeftOn ? IDS_LOCK_LEFT_ON : IDS_LOCK_WRITE_FAILED,
                            MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ShowParentalMessage(hwnd(), firstTime() ? IDS_FIRST_PASSWORD_SET : IDS_PASSWORD_CHANGED,
                        MB_OK | MB_ICONINFORMATION);
    EndDialog(IDOK);
}

bool SetPasswordDialog::CheckOldPassword() {
    PasswordText old;
    old.ReadFrom(hwnd(), IDC_OLD_PASSWORD);
    if (CheckPassword(old.c_str())) return true;
    ShowParentalMessage(hwnd(), IDS_OLD_PASSWORD_WRONG, MB_OK | MB_ICONEXCLAMATION);
    for (int id : kPasswordEdits) ClearPasswordEdit(hwnd(), id);
    ::SetFocus(::GetDlgItem(hwnd(), IDC_OLD_PASSWORD));
    return false;
}

bool SetPasswordDialog::CheckNewPassword(const PasswordText& password, const PasswordText& confirmation) {
    if (password.empty() || confirmation.empty()) {
        Refuse(IDS_NEW_PASSWORD_EMPTY, IDC_CONFIRM_PASSWORD);
    } else if (password.bytes() < kMinPasswordBytes || confirmation.bytes() < kMinPasswordBytes) {
        Refuse(IDS_PASSWORD_TOO_SHORT, IDC_NEW_PASSWORD);
    } else if (!password.SameAs(confirmation)) {
        Refuse(IDS_PASSWORDS_DIFFER, IDC_NEW_PASSWORD);
    } else {
        return true;
    }
    return false;
}

void SetPasswordDialog::Refuse(UINT message, int focusId) {
    ShowParentalMessage(hwnd(), message, MB_OK | MB_ICONEXCLAMATION);
    ClearPasswordEdit(hwnd(), IDC_NEW_PASSWORD);
    ClearPasswordEdit(hwnd(), IDC_CONFIRM_PASSWORD);
    ::SetFocus(::GetDlgItem(hwnd(), focusId));
}

SetPasswordDialog::StoreResult SetPasswordDialog::StorePassword(const PasswordText& password) {
    uint32_t hash = 0;
    if (!PasswordHash(password.c_str(), &hash)) return StoreResult::NothingChanged;
    if (!firstTime()) {
        return WriteCameraLockCode(&lock_, kLockModeCode, hash) ? StoreResult::Stored : StoreResult::NothingChanged;
    }
    // The camera expects the lock first and the hash second; a lock without
    // the hash would keep the camera shut behind a password nobody knows.
    uint32_t wasLocked = lock_.locked;
    lock_.locked = 1;
    if (!WriteCameraLock(&lock_, kLockModeFromRecord)) {
        lock_.locked = wasLocked;
        return StoreResult::NothingChanged;
    }
    if (WriteCameraLockCode(&lock_, kLockModeCode, hash)) return StoreResult::Stored;
    lock_.locked = 0;
    if (WriteCameraLock(&lock_, kLockModeFromRecord)) return StoreResult::NothingChanged;
    // The camera went away between the writes and kept the lock.
    lock_.locked = 1;
    return StoreResult::LockLeftOn;
}

}  // namespace ostrivan
