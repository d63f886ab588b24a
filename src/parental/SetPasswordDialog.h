// SetPasswordDialog: the modal dialog (template 129) that sets the first
// parental password, switching the lock on with it, or changes the password.
// Every refusal is a message box, after which the dialog stays open with the
// focus on the field to correct. It ends with OK only when the camera took
// every write; when it did not, the dialog says so and stays open, and a
// lock switched on for a first password is switched off again. When that
// fails too, the dialog says the camera is locked, and lock() shows the lock
// on until the next showing.
//
// Error rule: as PasswordDialog.
#pragma once

#include "parental/PasswordDialog.h"

namespace ostrivan {

class PasswordText;

class SetPasswordDialog : public PasswordDialog {
public:
    SetPasswordDialog();

    // firstTime: set the first password (no old one asked). An empty name
    // keeps the camera named before.
    void Configure(bool firstTime, const char* deviceName);
    bool firstTime() const { return firstTime_ != 0; }

private:
    void OnOpen() override;
    void OnOk() override;
    // Each check shows its refusal and returns false.
    bool CheckOldPassword();
    bool CheckNewPassword(const PasswordText& password, const PasswordText& confirmation);
    enum class StoreResult {
        Stored,          // the camera took every write
        NothingChanged,  // refused, and the lock is as it was
        LockLeftOn,      // the hash refused, and the lock could not be switched off again
    };
    // Sends the lock and the hash.
    [[nodiscard]] StoreResult StorePassword(const PasswordText& password);
    void Refuse(UINT message, int focusId);

    int firstTime_ = 0;
};

}  // namespace ostrivan
