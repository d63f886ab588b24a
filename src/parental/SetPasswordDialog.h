// SetPasswordDialog: the modal dialog (template 129) that sets the first
// parental password, switching the lock on with it, or changes the password.
// Every refusal is a message box, after which the dialog stays open with the
// focus on the field to correct. It ends with OK only when the camera took
// every write; when it did not, the dialog says so and stays open, and a
// lock switched on for a first password is switched off again.
//
// Error rule: DoModal (the framework's) gives -1 when the template cannot be
// made; skinning failures leave the dialog unskinned.
#pragma once

#include "framework/Dialog.h"
#include "parental/CameraLock.h"
#include "skin/SkinSession.h"

namespace ostrivan {

class PasswordText;

class SetPasswordDialog : public Dialog {
public:
    SetPasswordDialog();
    ~SetPasswordDialog() override;

    // firstTime: set the first password (no old one asked). An empty name
    // keeps the camera named before.
    void Configure(bool firstTime, const char* deviceName);
    bool firstTime() const { return firstTime_ != 0; }
    const CameraLockRecord& lock() const { return lock_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();

    void OnOk();
    // Each check shows its refusal and returns false.
    bool CheckOldPassword();
    bool CheckNewPassword(const PasswordText& password, const PasswordText& confirmation);
    // Sends the lock and the hash; true when the camera took both.
    bool StorePassword(const PasswordText& password);
    void Refuse(UINT message, int focusId);

    CameraLockRecord lock_{};
    SkinSession skin_;
    int firstTime_ = 0;
};

}  // namespace ostrivan
