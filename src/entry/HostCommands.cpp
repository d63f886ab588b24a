// The host commands: a console instance per host, its integrated console
// window, and the launch of a standalone console process.
#include "entry/EntryPoints.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ModuleState.h"
#include "base/NamedObjects.h"
#include "camera/CameraDiscovery.h"
#include "entry/HostInstanceBlock.h"
#include "entry/WindowSeams.h"
#include "framework/MessageLoop.h"
#include "launch/KernelObjectNames.h"
#include "launch/LaunchContextOwner.h"
#include "skin/ResourceLibrary.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <utility>

namespace ostrivan {

namespace {

// How long another thread's DestroyInstance waits for the window's thread
// to take the request; the request stands even when this runs out.
constexpr UINT kRequestLimitMs = 10000;

}  // namespace

uint32_t CreateInstance(uint8_t* block) {
    UniqueHostInstance owned(static_cast<HostInstanceBlock*>(
        ::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(HostInstanceBlock))));
    if (!owned) return kStatusOutOfMemory;
    HostInstance* instance = &owned.get()->instance;
    instance->magic = kHostInstanceMagic;
    if (FindCameras(&instance->context) == kStatusNoCamera) return kStatusNoCamera;
    CopyText(instance->argument, reinterpret_cast<const char*>(block + offsetof(CreateInstanceBlock, argument)),
             sizeof(CreateInstanceBlock::argument));
    // From here the host holds the instance until DestroyInstance.
    instance = &owned.release()->instance;
    std::memcpy(block + offsetof(CreateInstanceBlock, instance), &instance, sizeof(instance));
    instance->context.integratedMutex = CreateNamedMutex(kIntegratedConsoleMutex, true, nullptr).release();
    return kStatusOk;
}

uint32_t DestroyInstance(HostInstance* instance) {
    HostInstanceBlock* block = BlockOf(instance);
    HWND window = instance->context.consoleWindow;
    DWORD windowThread = window ? ::GetWindowThreadProcessId(window, nullptr) : 0;
    if (windowThread && windowThread != ::GetCurrentThreadId()) {
        // Carried out on the window's thread; dead from now on.
        instance->magic = 0;
        ::InterlockedExchange(&block->destroyRequested, 1);
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(window, kMsgHostRequest, 0, 0, SMTO_NORMAL, kRequestLimitMs, &ignored);
        return kStatusOk;
    }
    EndInstance(block);
    return kStatusOk;
}

uint32_t LaunchStandaloneConsole(HostInstance* instance) {
    char parameters[kPathSize];
    std::snprintf(parameters, sizeof(parameters), "%s,ksCVWConsoleRunDLL32EP /stay %s", kModuleName,
                  instance->argument);
    ::ShellExecuteA(nullptr, "open", "RunDLL32.exe", parameters, nullptr, SW_SHOWNORMAL);
    return kStatusOk;
}

uint32_t OpenIntegratedConsole(HostInstance* instance, uint8_t* block) {
    LaunchContext& context = instance->context;
    HostInstanceBlock* state = BlockOf(instance);
    // Not while it is being created, nor from inside a loop of the console's.
    if (context.consoleWindow || state->opening || MessageLoop::Depth() > 0) return kStatusAlreadyOpen;
    uint32_t size = 0;
    std::memcpy(&size, block + offsetof(OpenConsoleBlock, size), sizeof(size));
    if (size < kMinimumOpenBlockSize) return kStatusBadArgument;

    context.selectedDevice = instance->argument;
    if (!context.resourceLibrary) {
        ResourceLibrary library;
        if (library.Load()) context.resourceLibrary = library.Detach();
    }
    if (context.resourceLibrary) SetResourceSource(context.resourceLibrary);

    HWND window = nullptr;
    if (ConsoleWindows().openIntegratedConsole) {
        state->opening = true;
        context.consoleWindowObject = ConsoleWindows().openIntegratedConsole(&context, FoundDevices(context), &window);
        context.consoleWindow = context.consoleWindowObject ? window : nullptr;
        state->opening = false;
    }
    HWND answer = context.consoleWindow;
    if (instance->magic != kHostInstanceMagic) {
        // Destroyed while its window was being created: it goes once this returns.
        if (answer) ::ShowWindow(answer, SW_HIDE);
        answer = nullptr;
    }
    std::memcpy(block + offsetof(OpenConsoleBlock, window), &answer, sizeof(answer));
    return kStatusOk;
}

}  // namespace ostrivan
