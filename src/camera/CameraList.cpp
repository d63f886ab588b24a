#include "camera/CameraList.h"

#include "base/NoThrow.h"
#include "camera/CameraDiscovery.h"
#include "launch/LaunchContextOwner.h"

namespace ostrivan {

const std::vector<std::string>& CameraList::RefreshCameraList() {
    names_.clear();
    LaunchContextPtr context = AllocateLaunchContext();
    if (!context || FindCameras(context.get()) != kStatusOk) return names_;
    // Out of memory: the empty list, as when the record cannot be had.
    if (!TryAllocating([&] { names_ = FoundDevices(*context); })) names_.clear();
    return names_;
}

}  // namespace ostrivan
