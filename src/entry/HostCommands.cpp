// The host commands: a console instance per host, its integrated console
// window, and the launch of a standalone console process.
#include "entry/EntryPoints.h"

#include "base/BoundedText.h"
#include "base/NamedObjects.h"
#include "camera/CameraDiscovery.h"
#include "entry/WindowSeams.h"
#include "launch/KernelObjectNames.h"
#include "launch/LaunchContextOwner.h"
#include "skin/ResourceLibrary.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <utility>

namespace ostrivan {

namespace {

// A host's instance block on the process heap. Its magic is cleared before
// the block is freed, so a stale pointer handed in later is refused.
struct HostInstanceTraits {
    using Type = HostInstance*;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type instance) noexcept {
        instance->magic = 0;
        HeapTraits<HostInstance>::Close(instance);
    }
};
using UniqueHostInstance = UniqueOwner<HostInstanceTraits>;

}  // namespace

uint32_t CreateInstance(uint8_t* block) {
    UniqueHostInstance owned(
        static_cast<HostInstance*>(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(HostInstance))));
    if (!owned) return kStatusOutOfMemory;
    HostInstance* instance = owned.get();
    instance->magic = kHostInstanceMagic;
    if (FindCameras(&instance->context) == kStatusNoCamera) return kStatusNoCamera;
    CopyText(instance->argument, reinterpret_cast<const char*>(block + kCreateArgumentOffset), kCreateArgumentSize);
    // From here the host holds the instance until DestroyInstance.
    instance = owned.release();
    std::memcpy(block + kCreateInstanceOffset, &instance, sizeof(instance));
    instance->context.integratedMutex = CreateNamedMutex(kIntegratedConsoleMutex, true, nullptr).release();
    return kStatusOk;
}

uint32_t DestroyInstance(HostInstance* instance) {
    UniqueHostInstance owned(instance);
    LaunchContext& context = instance->context;
    if (context.consoleWindowObject) {
        if (ConsoleWindows().destroyIntegratedConsole) ConsoleWindows().destroyIntegratedConsole(context.consoleWindowObject);
        context.consoleWindowObject = nullptr;
        context.consoleWindow = nullptr;
    }
    if (context.resourceLibrary) {
        FreeHeldResourceLibrary(UniqueModule(std::exchange(context.resourceLibrary, nullptr)));
    }
    if (context.integratedMutex) {
        UniqueHandle mutex(std::exchange(context.integratedMutex, nullptr));
        HeldMutex held(mutex.get());  // released before the handle is closed
    }
    return kStatusOk;
}

uint32_t LaunchStandaloneConsole(HostInstance* instance) {
    char parameters[kPathSize];
    std::snprintf(parameters, sizeof(parameters), "%s,ksCVWConsoleRunDLL32EP /stay %s", "Ostrivan.dll",
                  instance->argument);
    ::ShellExecuteA(nullptr, "open", "RunDLL32.exe", parameters, nullptr, SW_SHOWNORMAL);
    return kStatusOk;
}

uint32_t OpenIntegratedConsole(HostInstance* instance, uint8_t* block) {
    LaunchContext& context = instance->context;
    if (context.consoleWindow) return kStatusAlreadyOpen;
    uint32_t size = 0;
    std::memcpy(&size, block + kOpenSizeOffset, sizeof(size));
    if (size < kMinimumOpenBlockSize) return kStatusBadArgument;

    context.selectedDevice = instance->argument;
    if (!context.resourceLibrary) {
        ResourceLibrary library;
        if (library.Load()) context.resourceLibrary = library.Detach();
    }
    if (context.resourceLibrary) SetResourceSource(context.resourceLibrary);

    HWND window = nullptr;
    if (ConsoleWindows().openIntegratedConsole) {
        context.consoleWindowObject = ConsoleWindows().openIntegratedConsole(&context, FoundDevices(context), &window);
        context.consoleWindow = context.consoleWindowObject ? window : nullptr;
    }
    std::memcpy(block + kOpenWindowOffset, &context.consoleWindow, sizeof(HWND));
    return kStatusOk;
}

}  // namespace ostrivan
