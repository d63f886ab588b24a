// Whether this process runs in a session where a console window may appear.
#pragma once

namespace ostrivan {

// True in the physical console's session or in a remote-desktop session.
[[nodiscard]] bool SessionAllowsConsole();

}  // namespace ostrivan
