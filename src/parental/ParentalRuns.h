// The parental dialogs as the parental entry point runs them: one showing,
// modal, without owner, for the launch record's selected camera.
#pragma once

#include "launch/LaunchContext.h"

namespace ostrivan {

// The set-password dialog in first-time mode.
void RunFirstPasswordDialog(LaunchContext* context);
// The quiet prompt that switches the lock on.
void RunQuietPasswordPrompt(LaunchContext* context);

}  // namespace ostrivan
