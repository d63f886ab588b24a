#include "parental/PasswordPromptDialog.h"

#include "ResourceIds.h"
#include "base/ResourceSource.h"
#include "parental/PasswordField.h"
#include "parental/PasswordHash.h"

namespace ostrivan {

PasswordPromptDialog::PasswordPromptDialog() : PasswordDialog(IDD_PASSWORD_PROMPT, {IDC_PROMPT_PASSWORD}) {}

void PasswordPromptDialog::Configure(bool lock, bool quiet, const char* deviceName) {
    lockMode_ = lock ? 1 : 0;
    quiet_ = quiet ? 1 : 0;
    SetDeviceName(deviceName);
}

void PasswordPromptDialog::OnOpen() {
    UINT title = quiet() ? IDS_PROMPT_QUIET_TITLE : locking() ? IDS_PROMPT_LOCK_TITLE : IDS_PROMPT_UNLOCK_TITLE;
    UINT label = quiet() ? IDS_PROMPT_QUIET_LABEL : locking() ? IDS_PROMPT_LOCK_LABEL : IDS_PROMPT_UNLOCK_LABEL;
    ::SetWindowTextA(hwnd(), LoadResourceString(title).c_str());
    ::SetDlgItemTextA(hwnd(), IDC_PROMPT_LABEL, LoadResourceString(label).c_str());
    // The note belongs to switching the lock off from the options.
    if (quiet() || locking()) ::ShowWindow(::GetDlgItem(hwnd(), IDC_UNLOCK_NOTE), SW_HIDE);
    ::SetFocus(::GetDlgItem(hwnd(), IDC_PROMPT_PASSWORD));
}

void PasswordPromptDialog::OnOk() {
    HWND edit = ::GetDlgItem(hwnd(), IDC_PROMPT_PASSWORD);
    {
        PasswordText password;
        password.ReadFrom(hwnd(), IDC_PROMPT_PASSWORD);
        if (password.empty() || !CheckPassword(password.c_str())) {
            ShowParentalMessage(hwnd(), IDS_PASSWORD_WRONG, MB_OK | MB_ICONEXCLAMATION);
            if (!password.empty()) ClearPasswordEdit(hwnd(), IDC_PROMPT_PASSWORD);
            ::SetFocus(edit);
            return;
        }
    }
    if (!SwitchLock()) {
        ShowParentalMessage(hwnd(), IDS_LOCK_WRITE_FAILED, MB_OK | MB_ICONEXCLAMATION);
        if (quiet()) EndDialog(IDCANCEL);
        return;
    }
    if (!quiet()) {
        ShowParentalMessage(hwnd(), locking() ? IDS_LOCK_SWITCHED_ON : IDS_LOCK_SWITCHED_OFF,
                            MB_OK | MB_ICONINFORMATION);
    }
    EndDialog(IDOK);
}

bool PasswordPromptDialog::SwitchLock() {
    uint32_t wasLocked = lock_.locked;
    lock_.locked = locking() ? 1 : 0;
    if (!WriteCameraLock(&lock_, kLockModeFromRecord)) {
        lock_.locked = wasLocked;
        return false;
    }
    return !locking() || WriteCameraLock(&lock_, kLockModePrompted);
}

}  // namespace ostrivan
