// OptionsDialog: the console's modal options dialog (template 128): start the
// console automatically (1110), keep it on top (1111), and the parental
// lock's doors: the toggle 1132, which switches the lock on or off behind
// the password or sets the first password, and 1113, which changes it.
// OK stores the two options; Cancel stores nothing. The two password dialogs
// are members, shown over this one and closed first when it is closed.
//
// Error rule: DoModal (the framework's) gives -1 when the template cannot be
// made. A camera whose lock cannot be read gets both lock buttons disabled;
// option writes are not checked (a failed write leaves the old value).
#pragma once

#include "framework/Dialog.h"
#include "parental/CameraLock.h"
#include "parental/PasswordPromptDialog.h"
#include "parental/SetPasswordDialog.h"
#include "skin/SkinSession.h"

#include <cstdint>

namespace ostrivan {

class OptionsDialog : public Dialog {
public:
    OptionsDialog();
    ~OptionsDialog() override;

    // The camera whose lock the dialog shows; an empty name keeps the last.
    void SetDeviceName(const char* deviceName);
    bool lockShownOnForTesting() const { return lockShownOn_ != 0; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnInitDialog();
    // Takes the clicks of its own buttons; false for everything else.
    bool OnCommand(const Command& command);
    // Closes an open password dialog; default processing then ends this one.
    void OnClose();
    void OnDestroy();

    void OnLockToggle();
    void OnChangePassword();
    void OnOk();
    // Reads the lock and whether a password is stored; false when the lock
    // cannot be read (the shown state is then kept).
    bool RefreshLockState();
    void EnableLockButtons(bool enable);
    void ShowLockText();

    CameraLockRecord lock_{};
    SkinSession skin_;
    SetPasswordDialog setPassword_;
    PasswordPromptDialog prompt_;
    uint32_t lockShownOn_ = 0;
    bool passwordStored_ = false;
};

}  // namespace ostrivan
