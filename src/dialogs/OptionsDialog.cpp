#include "dialogs/OptionsDialog.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ResourceSource.h"
#include "parental/PasswordHash.h"
#include "settings/SettingsStore.h"
#include "skin/DialogSkin.h"

namespace ostrivan {

namespace {

constexpr char kNoAutoLaunch[] = "NoAutoLaunch";
constexpr char kAlwaysOnTop[] = "AlwaysOnTop";

DWORD OptionSetting(const char* name) {
    DWORD value = 0;
    if (!ReadSettingNumber(HKEY_CURRENT_USER, name, &value)) value = 0;
    return value;
}

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
    case WM_INITDIALOG: return OnInitDialog(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_CLOSE: return OnClose();
    case WM_DESTROY: return OnDestroy();
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT OptionsDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    LRESULT result = Dialog::WindowProc(WM_INITDIALOG, wParam, lParam);
    (void)SkinDialogWindow(skin_, hwnd(), "InfoPanelWnd.png");
    if (!ReadCameraLock(&lock_)) EnableLockButtons(false);
    (void)RefreshLockState();
    if (!passwordStored_) ::EnableWindow(::GetDlgItem(hwnd(), IDC_CHANGE_PASSWORD), FALSE);
    ShowLockText();
    ::CheckDlgButton(hwnd(), IDC_AUTO_LAUNCH, OptionSetting(kNoAutoLaunch) == 0 ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(hwnd(), IDC_ALWAYS_ON_TOP, OptionSetting(kAlwaysOnTop) != 0 ? BST_CHECKED : BST_UNCHECKED);
    return result;
}

LRESULT OptionsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_AUTO_LAUNCH:
        case IDC_ALWAYS_ON_TOP:
            // The mark follows what the box itself reports; nothing is stored yet.
            ::CheckDlgButton(hwnd(), LOWORD(wParam), IsChecked(hwnd(), LOWORD(wParam)) ? BST_CHECKED : BST_UNCHECKED);
            return 0;
        case IDC_LOCK_TOGGLE: OnLockToggle(); return 0;
        case IDC_CHANGE_PASSWORD: OnChangePassword(); return 0;
        case IDOK: OnOk(); return 0;
        }
    }
    return Dialog::WindowProc(WM_COMMAND, wParam, lParam);
}

LRESULT OptionsDialog::OnClose() {
    // A password dialog over this one ends first.
    if (setPassword_.IsWindow()) ::SendMessageA(setPassword_.hwnd(), WM_CLOSE, 0, 0);
    if (prompt_.IsWindow()) ::SendMessageA(prompt_.hwnd(), WM_CLOSE, 0, 0);
    return Dialog::WindowProc(WM_CLOSE, 0, 0);
}

LRESULT OptionsDialog::OnDestroy() {
    skin_.Close();
    return Dialog::WindowProc(WM_DESTROY, 0, 0);
}

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
        if (setPassword_.DoModal(hwnd()) == IDOK) {
            ::EnableWindow(::GetDlgItem(hwnd(), IDC_CHANGE_PASSWORD), TRUE);
            // The first password switched the lock on.
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
    (void)WriteSettingNumber(HKEY_CURRENT_USER, kNoAutoLaunch, IsChecked(hwnd(), IDC_AUTO_LAUNCH) ? 0 : 1);
    (void)WriteSettingNumber(HKEY_CURRENT_USER, kAlwaysOnTop, IsChecked(hwnd(), IDC_ALWAYS_ON_TOP) ? 1 : 0);
    EndDialog(IDOK);
}

}  // namespace ostrivan
