#include "parental/PasswordDialog.h"

#include "base/BoundedText.h"
#include "parental/PasswordField.h"
#include "skin/DialogSkin.h"
#include "skin/SkinImages.h"

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
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: if (OnCommand(CommandOf(wParam, lParam))) return 0; break;
    case WM_DESTROY: OnDestroy(); break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT PasswordDialog::OnInitDialog() {
    (void)SkinDialogWindow(skin_, hwnd(), kDialogBackgroundImage);
    for (size_t i = 0; i < editCount_; ++i) PreparePasswordEdit(hwnd(), edits_[i]);
    OnOpen();
    return FALSE;  // OnOpen has set the focus
}

bool PasswordDialog::OnCommand(const Command& command) {
    if (command.code == EN_UPDATE) {
        KeepPasswordInLimit(hwnd(), static_cast<int>(command.id));
        return true;
    }
    if (command.code == BN_CLICKED && command.id == IDOK) {
        OnOk();
        return true;
    }
    return false;
}

void PasswordDialog::OnDestroy() {
    for (size_t i = 0; i < editCount_; ++i) ClearPasswordEdit(hwnd(), edits_[i]);
    skin_.Close();
}

}  // namespace ostrivan
