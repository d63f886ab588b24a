#include "camera/CameraList.h"

#include "camera/CameraDiscovery.h"

#include <memory>

namespace ostrivan {

const std::vector<std::string>& CameraList::RefreshCameraList() {
    names_.clear();
    auto context = std::make_unique<LaunchContext>();  // zero-filled
    if (FindCameras(context.get()) == kStatusOk) {
        for (uint32_t i = 0; i < context->deviceCount; ++i) names_.emplace_back(context->deviceNames[i]);
    }
    return names_;
}

}  // namespace ostrivan
