// A LaunchContext taken from the process heap, zero-filled. Freeing it frees
// the memory only: each handle field is closed by the one party that
// LaunchContext.h names for it.
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

// Closes a handle field of the record, if it holds one, and clears it.
void CloseAndClear(HANDLE* field);

// The descriptions of the cameras found, in slot order; empty when there is
// no memory for them.
std::vector<std::string> FoundDevices(const LaunchContext& context);

}  // namespace ostrivan
