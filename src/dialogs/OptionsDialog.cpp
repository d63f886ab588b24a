#include "dialogs/OptionsDialog.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ResourceSource.h"
#include "parental/PasswordHash.h"
#include "settings/SettingsStore.h"
#include "skin/DialogSkin.h"
#include "skin/SkinImages.h"

namespace ostrivan {

namespace {

bool IsChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) != BST_UNCHECKED; }

}  // namespace

OptionsDialog::OptionsDialog() : Dialog(IDD_OPTIONS) {}

OptionsDialog::~OptionsDialog() {
    // The skin goes before the dialog, while the window still takes its messages.
    DestroyWindow();
}

void OptionsDialog::SetDeviceName(const char* deviceName) {
    if (deviceName && deviceName[0] != '\0') CopyText(lock_.deviceName, deviceName);
}

LRESULT OptionsDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: if (OnCommand(CommandOf(wParam, lParam))) return 0; break;
    case WM_CLOSE: OnClose(); break;
    case WM_DESTROY: OnDestroy(); break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT OptionsDialog::OnInitDialog() {
    (void)SkinDialogWindow(skin_, hwnd(), kDialogBackgroundImage);
    if (!ReadCameraLock(&lock_)) EnableLockButtons(false);
    (void)RefreshLockState();
    if (!passwordStored_) ::EnableWindow(::GetDlgItem(hwnd(), IDC_CHANGE_PASSWORD), FALSE);
    ShowLockText();
    ::CheckDlgButton(hwnd(), IDC_AUTO_LAUNCH, ReadSettingNumberOrZero(HKEY_CURRENT_USER, kNoAutoLaunchValue) == 0 ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(hwnd(), IDC_ALWAYS_ON_TOP, ReadSettingNumberOrZero(HKEY_CURRENT_USER, kAlwaysOnTopValue) != 0 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;  // the system sets the focus
}

bool OptionsDialog::OnCommand(const Command& command) {
    if (command.code != BN_CLICKED) return false;
    const int id = static_cast<int>(command.id);
    switch (id) {
    case IDC_AUTO_LAUNCH:
    case IDC_ALWAYS_ON_TOP:
        // The mark follows what the box itself reports; nothing is stored yet.
        ::CheckDlgButton(hwnd(), id, IsChecked(hwnd(), id) ? BST_CHECKED : BST_UNCHECKED);
        return true;
    case IDC_LOCK_TOGGLE: OnLockToggle(); return true;
    case IDC_CHANGE_PASSWORD: OnChangePassword(); return true;
    case IDOK: OnOk(); return true;
    default: return false;
    }
}

void OptionsDialog::OnClose() {
    // A password dialog over this one ends first.
    if (setPassword_.IsWindow()) ::SendMessageA(setPassword_.hwnd(), WM_CLOSE, 0, 0);
    if (prompt_.IsWindow()) ::SendMessageA(prompt_.hwnd(), WM_CLOSE, 0, 0);
}

void OptionsDialog::OnDestroy() { skin_.Close(); }

bool OptionsDialog::RefreshLockState() {
    bool read = ReadCameraLock(&lock_);
    lockShownOn_ = lock_.locked;
    uint32_t stored = 0;
    passwordStored_ = ReadStoredPasswordHash(&stored);
    return read;
}

void OptionsDialog::EnableLockButtons(bool enable) {
    ::EnableWindow(::GetDlgItem(hwnd(), IDC_LOCK_TOGGLE), enable ? TRUE : FALSE);
    ::EnableWindow(::GetDlgItem(hwnd(), IDC_CHANGE_PASSWORD), enable ? TRUE : FALSE);
}

void OptionsDialog::ShowLockText() {
    ::SetDlgItemTextA(hwnd(), IDC_LOCK_TOGGLE,
                      LoadResourceString(lockShownOn_ ? IDS_LOCK_BUTTON_ON : IDS_LOCK_BUTTON_OFF).c_str());
}

void OptionsDialog::OnLockToggle() {
    // A camera that cannot say whether it is locked (unplugged meanwhile)
    // must not have a stale state decide which dialog opens.
    if (!RefreshLockState()) {
        EnableLockButtons(false);
        return;
    }
    if (!passwordStored_) {
        setPassword_.Configure(true, lock_.deviceName);
        if (setPassword_.DoModal(hwnd()) == IDOK) ::EnableWindow(::GetDlgItem(hwnd(), IDC_CHANGE_PASSWORD), TRUE);
        // The first password switched the lock on; so did an attempt whose
        // camera went away before the lock could be switched off again.
        if (setPassword_.lock().locked) {
            lockShownOn_ = 1;
            ShowLockText();
        }
        return;
    }
    prompt_.Configure(lockShownOn_ == 0, false, lock_.deviceName);
    if (prompt_.DoModal(hwnd()) == IDOK) {
        lockShownOn_ = lockShownOn_ ? 0 : 1;
        ShowLockText();
    }
}

void OptionsDialog::OnChangePassword() {
    setPassword_.Configure(false, lock_.deviceName);
    (void)setPassword_.DoModal(hwnd());
}

void OptionsDialog::OnOk() {
    (void)WriteSettingNumber(HKEY_CURRENT_USER, kNoAutoLaunchValue, IsChecked(hwnd(), IDC_AUTO_LAUNCH) ? 0 : 1);
    (void)WriteSettingNumber(HKEY_CURRENT_USER, kAlwaysOnTopValue, IsChecked(hwnd(), IDC_ALWAYS_ON_TOP) ? 1 : 0);
    EndDialog(IDOK);
}

}  // namespace ostrivan
