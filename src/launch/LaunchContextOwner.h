// A LaunchContext taken from the process heap, zero-filled, whose held
// kernel objects are closed and cleared when it is freed.
#pragma once

#include "launch/LaunchContext.h"

#include <memory>
#include <string>
#include <vector>

namespace ostrivan {

struct LaunchContextDeleter {
    void operator()(LaunchContext* context) const;
};
using LaunchContextPtr = std::unique_ptr<LaunchContext, LaunchContextDeleter>;

// Null when the heap has no room.
LaunchContextPtr AllocateLaunchContext();

// Closes a held handle and clears the field.
void CloseAndClear(HANDLE* handle);

// Closes and clears every kernel object the context still holds.
void CloseContextHandles(LaunchContext* context);

// The descriptions of the cameras found, in slot order; empty when there is
// no memory for them.
std::vector<std::string> FoundDevices(const LaunchContext& context);

}  // namespace ostrivan
