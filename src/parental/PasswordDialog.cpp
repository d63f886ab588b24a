#include "parental/PasswordDialog.h"

#include "base/BoundedText.h"
#include "parental/PasswordField.h"
#include "skin/DialogSkin.h"

namespace ostrivan {

PasswordDialog::PasswordDialog(UINT templateId, std::initializer_list<int> passwordEdits) : Dialog(templateId) {
    for (int id : passwordEdits) {
        if (editCount_ < sizeof(edits_) / sizeof(edits_[0])) edits_[editCount_++] = id;
    }
}

PasswordDialog::~PasswordDialog() {
    // The skin goes before the dialog, while the window still takes its messages.
    DestroyWindow();
}

void PasswordDialog::SetDeviceName(const char* deviceName) {
    if (deviceName && deviceName[0] != '\0') CopyText(lock_.deviceName, deviceName);
}

LRESULT PasswordDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_DESTROY: return OnDestroy();
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT PasswordDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    (void)Dialog::WindowProc(WM_INITDIALOG, wParam, lParam);
    (void)SkinDialogWindow(skin_, hwnd(), "InfoPanelWnd.png");
    for (size_t i = 0; i < editCount_; ++i) PreparePasswordEdit(hwnd(), edits_[i]);
    OnOpen();
    return FALSE;  // OnOpen has set the focus
}

LRESULT PasswordDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    int id = LOWORD(wParam);
    switch (HIWORD(wParam)) {
    case EN_UPDATE:
        KeepPasswordInLimit(hwnd(), id);
        return 0;
    case BN_CLICKED:
        if (id == IDOK) {
            OnOk();
            return 0;
        }
        break;
    }
    return Dialog::WindowProc(WM_COMMAND, wParam, lParam);
}

LRESULT PasswordDialog::OnDestroy() {
    for (size_t i = 0; i < editCount_; ++i) ClearPasswordEdit(hwnd(), edits_[i]);
    skin_.Close();
    return Dialog::WindowProc(WM_DESTROY, 0, 0);
}

}  // namespace ostrivan
