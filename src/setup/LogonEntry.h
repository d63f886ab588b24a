// The logon entry that runs the module's registration again, silently, at
// every logon until it fully succeeds. Its value name is the module's path.
#pragma once

#include <cstddef>

namespace ostrivan {

bool WriteLogonEntry();
void RemoveLogonEntry();

// The entry's command for a system folder and a module path: both quoted, so
// spaces in either path stay inside it. False when command (size bytes) is
// too small.
bool LogonCommand(const char* systemFolder, const char* modulePath, char* command, size_t size);

}  // namespace ostrivan
