// The console's list of camera descriptions, refilled from the cameras
// present whenever the console checks them again. Its window-position and
// section-state companions are in settings/WindowPositionStore.h.
#pragma once

#include <string>
#include <vector>

namespace ostrivan {

class CameraList {
public:
    // Empties the list and refills it with the cameras present now; the list
    // stays empty when none is found.
    const std::vector<std::string>& RefreshCameraList();
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::vector<std::string> names_;
};

}  // namespace ostrivan
