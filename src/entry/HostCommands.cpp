// The host commands: a console instance per host, its integrated console
// window, and the launch of a standalone console process.
#include "entry/EntryPoints.h"

#include "base/BoundedText.h"
#include "camera/CameraDiscovery.h"
#include "entry/WindowSeams.h"
#include "launch/KernelObjectNames.h"
#include "launch/LaunchContextOwner.h"
#include "skin/ResourceLibrary.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

namespace ostrivan {

namespace {

constexpr size_t kArgumentOffset = 4;
constexpr size_t kArgumentFieldSize = 256;
constexpr size_t kInstanceWordOffset = 260;
constexpr uint32_t kMinimumOpenBlockSize = 12;

}  // namespace

uint32_t CreateInstance(uint8_t* block) {
    auto* instance =
        static_cast<HostInstance*>(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(HostInstance)));
    if (!instance) return kStatusOutOfMemory;
    instance->magic = kHostInstanceMagic;
    if (FindCameras(&instance->context) == kStatusNoCamera) {
        instance->magic = 0;
        ::HeapFree(::GetProcessHeap(), 0, instance);
        return kStatusNoCamera;
    }
    // The host's text need not be terminated within its 256 bytes.
    CopyText(instance->argument, reinterpret_cast<const char*>(block + kArgumentOffset), kArgumentFieldSize);
    std::memcpy(block + kInstanceWordOffset, &instance, sizeof(instance));
    instance->context.integratedMutex = ::CreateMutexA(nullptr, TRUE, kIntegratedConsoleMutex);
    return kStatusOk;
}

uint32_t DestroyInstance(HostInstance* instance) {
    LaunchContext& context = instance->context;
    if (context.consoleWindowObject) {
        if (ConsoleWindows().destroyIntegratedConsole) ConsoleWindows().destroyIntegratedConsole(context.consoleWindowObject);
        context.consoleWindowObject = nullptr;
        context.consoleWindow = nullptr;
    }
    if (context.resourceLibrary) {
        if (ResourceSource() == context.resourceLibrary) SetResourceSource(nullptr);
        ::FreeLibrary(context.resourceLibrary);
        context.resourceLibrary = nullptr;
    }
    if (context.integratedMutex) {
        ::ReleaseMutex(context.integratedMutex);
        ::CloseHandle(context.integratedMutex);
        context.integratedMutex = nullptr;
    }
    instance->magic = 0;
    ::HeapFree(::GetProcessHeap(), 0, instance);
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
    std::memcpy(&size, block + 4, sizeof(size));
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
    std::memcpy(block + 8, &context.consoleWindow, sizeof(HWND));
    return kStatusOk;
}

}  // namespace ostrivan
