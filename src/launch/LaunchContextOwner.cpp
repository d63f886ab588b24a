#include "launch/LaunchContextOwner.h"

#include "base/NoThrow.h"
#include "base/UniqueHandle.h"

#include <utility>

namespace ostrivan {

void CloseAndClear(HANDLE* field) { UniqueHandle closing(std::exchange(*field, nullptr)); }

void LaunchContextDeleter::operator()(LaunchContext* context) const { UniqueHeap<LaunchContext> block(context); }

LaunchContextPtr AllocateLaunchContext() {
    return LaunchContextPtr(
        static_cast<LaunchContext*>(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(LaunchContext))));
}

std::vector<std::string> FoundDevices(const LaunchContext& context) {
    std::vector<std::string> devices;
    bool listed = TryAllocating([&] {
        for (uint32_t i = 0; i < context.deviceCount && i < kMaxDevices; ++i) devices.emplace_back(context.deviceNames[i]);
    });
    if (!listed) devices.clear();
    return devices;
}

}  // namespace ostrivan
