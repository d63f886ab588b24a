#include "launch/LaunchContextOwner.h"

#include "base/NoThrow.h"

namespace ostrivan {

void CloseAndClear(HANDLE* handle) {
    if (*handle) {
        ::CloseHandle(*handle);
        *handle = nullptr;
    }
}

void CloseContextHandles(LaunchContext* context) {
    CloseAndClear(&context->closeEvent);
    CloseAndClear(&context->quitEvent);
    CloseAndClear(&context->integratedMutex);
    CloseAndClear(&context->restoreEvent);
    // Normally cleared by their owners already (the entry point, the window).
    CloseAndClear(&context->watcherThread);
    CloseAndClear(&context->deviceChangeMutex);
}

void LaunchContextDeleter::operator()(LaunchContext* context) const {
    if (!context) return;
    CloseContextHandles(context);
    ::HeapFree(::GetProcessHeap(), 0, context);
}

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
