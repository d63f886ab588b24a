// A camera channel opened for the length of a scope: every open has its
// close, on every way out of the scope.
#pragma once

#include "camera/CameraChannel.h"

namespace ostrivan {

class ScopedCameraChannel {
public:
    // deviceName as for OpenCameraChannel.
    explicit ScopedCameraChannel(const char* deviceName) : open_(OpenCameraChannel(deviceName, &channel_)) {}
    ~ScopedCameraChannel() { CloseCameraChannel(&channel_); }
    ScopedCameraChannel(const ScopedCameraChannel&) = delete;
    ScopedCameraChannel& operator=(const ScopedCameraChannel&) = delete;

    bool IsOpen() const { return open_; }
    // The open channel, or null when the open failed.
    CameraChannel* get() { return open_ ? &channel_ : nullptr; }

private:
    CameraChannel channel_;
    bool open_ = false;
};

}  // namespace ostrivan
