// PasswordPromptDialog: the modal dialog (template 130) that asks for the
// parental password before the lock is switched on or off. Quiet, as the
// parental entry point opens it, it shows no success message. A wrong or
// empty password is refused with a message and the dialog stays open; it
// ends with OK only when the camera took the writes. When it did not, the
// dialog says so and stays open (quiet: ends with Cancel).
//
// Error rule: as PasswordDialog.
#pragma once

#include "parental/PasswordDialog.h"

namespace ostrivan {

class PasswordPromptDialog : public PasswordDialog {
public:
    PasswordPromptDialog();

    // lock: the password switches the lock on (else off). quiet: opened by
    // the parental entry point. An empty name keeps the camera named before.
    void Configure(bool lock, bool quiet, const char* deviceName);
    bool locking() const { return lockMode_ != 0; }
    bool quiet() const { return quiet_ != 0; }

private:
    void OnOpen() override;
    void OnOk() override;
    // Sends the lock state; true when the camera took every write.
    bool SwitchLock();

    int lockMode_ = 1;
    int quiet_ = 0;
};

}  // namespace ostrivan
