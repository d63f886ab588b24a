// The host commands: a console instance per host, its integrated console
// window, and the launch of a standalone console process.
#include "entry/EntryPoints.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ExclusiveLock.h"
#include "base/ModuleState.h"
#include "base/NamedObjects.h"
#include "base/SystemFolders.h"
#include "camera/CameraDiscovery.h"
#include "entry/HostConsole.h"
#include "entry/HostInstanceBlock.h"
#include "entry/HostRequestWindow.h"
#include "entry/WindowSeams.h"
#include "launch/KernelObjectNames.h"
#include "launch/LaunchContextOwner.h"
#include "skin/ResourceLibrary.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace ostrivan {

uint32_t CreateInstance(uint8_t* block) {
    UniqueHostInstance owned = NewHostInstance();
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
    HWND requests = nullptr;
    {
        ExclusiveLock lock(InstanceLock());
        // Dead from now on: a second call, or an open, is refused.
        instance->magic = 0;
        block->destroyRequested = true;
        HostConsole* console = block->console.get();
        if (console && console->thread() != ::GetCurrentThreadId()) {
            // The console's thread carries it out, whenever it runs again; an
            // open still under way there does so before it returns.
            requests = console->requestWindow();
            if (!requests) return kStatusOk;
        }
    }
    if (requests) {
        (void)HostRequestWindow::Post(requests);  // in a full queue, its timer finds the mark
        return kStatusOk;
    }
    (void)ServicePending(block, CalledFrom::EntryPoint);
    return kStatusOk;
}

uint32_t LaunchStandaloneConsole(HostInstance* instance) {
    char parameters[kPathSize];
    std::snprintf(parameters, sizeof(parameters), "%s /stay %s", kConsoleRunTarget, instance->argument);
    ::ShellExecuteA(nullptr, "open", kLauncherFileName, parameters, nullptr, SW_SHOWNORMAL);
    return kStatusOk;
}

namespace {

// Claims the instance's console for this thread: 0 and the new console, or
// the status that refuses the open.
uint32_t ClaimConsole(HostInstanceBlock* block, uint32_t blockSize, HostConsole** claimed) {
    for (bool cleared = false;; cleared = true) {
        {
            ExclusiveLock lock(InstanceLock());
            if (block->instance.magic != kHostInstanceMagic) return kStatusBadArgument;
            HostConsole* console = block->console.get();
            if (!console) {
                if (blockSize < kMinimumOpenBlockSize) return kStatusBadArgument;
                console = new (std::nothrow) HostConsole(block);
                if (!console) return kStatusOutOfMemory;
                block->console.reset(console);
                console->SetOpening(true);
                *claimed = console;
                return kStatusOk;
            }
            // Open, being opened, or closed by its user but not yet cleared
            // away, which only its own thread can do.
            if (cleared || !console->windowGone() || console->thread() != ::GetCurrentThreadId()) {
                return kStatusAlreadyOpen;
            }
        }
        if (ServicePending(block, CalledFrom::EntryPoint) != Serviced::ConsoleEnded) return kStatusAlreadyOpen;
    }
}

// Ends a claim that made no window; the instance stays, unless a destroy
// came meanwhile, which is then carried out.
void DropConsole(HostInstanceBlock* block) {
    std::unique_ptr<HostConsole> console;
    {
        ExclusiveLock lock(InstanceLock());
        if (!block->destroyRequested) {
            block->instance.context.consoleWindowObject = nullptr;
            console = std::move(block->console);
        }
    }
    if (!console) (void)ServicePending(block, CalledFrom::EntryPoint);
}

}  // namespace

uint32_t OpenIntegratedConsole(HostInstance* instance, uint8_t* block) {
    uint32_t size = 0;
    std::memcpy(&size, block + offsetof(OpenConsoleBlock, size), sizeof(size));
    HostInstanceBlock* state = BlockOf(instance);
    HostConsole* console = nullptr;
    if (uint32_t status = ClaimConsole(state, size, &console)) return status;
    if (!console->Start()) {
        DropConsole(state);
        return kStatusOutOfMemory;
    }

    LaunchContext& context = instance->context;
    context.selectedDevice = instance->argument;
    if (!context.resourceLibrary) {
        ResourceLibrary library;
        if (library.Load()) context.resourceLibrary = library.Detach();
    }
    if (context.resourceLibrary) SetResourceSource(context.resourceLibrary);

    HWND window = nullptr;
    if (ConsoleWindows().makeIntegratedConsole) {
        console->Adopt(ConsoleWindows().makeIntegratedConsole(&context, FoundDevices(context), console));
    }
    if (IntegratedConsole* made = console->console()) {
        {
            ExclusiveLock lock(InstanceLock());
            context.consoleWindowObject = made;
        }
        // Creation may run a message box's loop, where the host's code runs.
        if (made->Create()) window = made->WindowHandle();
    }
    bool destroyed = false;
    {
        ExclusiveLock lock(InstanceLock());
        console->SetOpening(false);
        context.consoleWindow = window;
        destroyed = state->destroyRequested;
    }
    if (destroyed) {
        // Asked for while the console was made: carried out here, on the
        // console's thread, before the host hears of a window.
        (void)ServicePending(state, CalledFrom::EntryPoint);
        window = nullptr;
    } else if (!window) {
        // Nothing to show (no resource library): a later open tries again.
        DropConsole(state);
    }
    std::memcpy(block + offsetof(OpenConsoleBlock, window), &window, sizeof(window));
    return kStatusOk;
}

}  // namespace ostrivan
