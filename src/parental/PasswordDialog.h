// PasswordDialog: what the two parental password dialogs share: the record
// of the camera whose lock they work on, the skin, and password edits that
// hide what is typed, take at most kMaxPasswordBytes bytes and are emptied
// when the window goes. OK is the dialog's own (OnOk); Cancel and the close
// command end it with IDCANCEL without writing anything.
//
// Error rule: DoModal (the framework's) gives -1 when the template cannot be
// made; skinning failures leave the dialog unskinned.
#pragma once

#include "framework/Dialog.h"
#include "parental/CameraLock.h"
#include "skin/SkinSession.h"

#include <initializer_list>

namespace ostrivan {

class PasswordDialog : public Dialog {
public:
    ~PasswordDialog() override;
    const CameraLockRecord& lock() const { return lock_; }

protected:
    PasswordDialog(UINT templateId, std::initializer_list<int> passwordEdits);

    // An empty name keeps the camera named before.
    void SetDeviceName(const char* deviceName);
    // Titles, labels and focus once the window and its edits are ready.
    virtual void OnOpen() = 0;
    virtual void OnOk() = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CameraLockRecord lock_{};

private:
    LRESULT OnInitDialog();
    // Takes OK and the edits' changes; false for everything else.
    bool OnCommand(const Command& command);
    void OnDestroy();

    SkinSession skin_;
    int edits_[3] = {};
    size_t editCount_ = 0;
};

}  // namespace ostrivan
