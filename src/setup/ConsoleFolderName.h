// The name of the camera's own folder in the start menu, as its driver key
// gives it ("KsConsoleFolder").
#pragma once

#include <windows.h>

namespace ostrivan {

enum class FolderNameResult {
    Found,     // name holds the folder name (empty when the value is absent)
    NoDevice,  // no supported device whose driver key opens
    Refused,   // the value is not a string, too long, or names a path
};

// Looks through every device of every class for the first one with the
// supported hardware ID whose driver key opens for reading. name is cleared
// first and is MAX_PATH bytes.
FolderNameResult FindConsoleFolderName(char (&name)[MAX_PATH]);

// A folder name that stays one level below its parent: no separators, no
// drive, no "..".
bool IsPlainFolderName(const char* name);

}  // namespace ostrivan
