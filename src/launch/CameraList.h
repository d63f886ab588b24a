// The console's list of camera descriptions. It also carries the window
// position and section state operations of the settings store, which use
// none of its fields; keyPath is always the console key.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ostrivan {

class CameraList {
public:
    // Empties the list and refills it with the cameras present now.
    const std::vector<std::string>& RefreshCameraList();
    const std::vector<std::string>& Names() const { return names_; }

    bool SaveWindowPosition(LONG left, LONG top, LONG right, LONG bottom, const char* keyPath);
    // Stops at the first side that cannot be read; sides read stay read.
    bool LoadWindowPosition(const char* keyPath, RECT* rectangle);
    bool SavePanelState(DWORD state, const char* keyPath, int index);
    bool LoadPanelState(DWORD* state, const char* keyPath, int index);

private:
    std::vector<std::string> names_;
};

}  // namespace ostrivan
