#include "parental/ParentalRuns.h"

#include "parental/PasswordPromptDialog.h"
#include "parental/SetPasswordDialog.h"

namespace ostrivan {

void RunFirstPasswordDialog(LaunchContext* context) {
    if (!context) return;
    SetPasswordDialog dialog;
    dialog.Configure(true, context->selectedDevice);
    (void)dialog.DoModal(nullptr);
}

void RunQuietPasswordPrompt(LaunchContext* context) {
    if (!context) return;
    PasswordPromptDialog dialog;
    dialog.Configure(true, true, context->selectedDevice);
    (void)dialog.DoModal(nullptr);
}

}  // namespace ostrivan
