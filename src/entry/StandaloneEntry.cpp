// ksCVWConsoleRunDLL32EP: the standalone console in its own rundll32 process.
#include "entry/EntryPoints.h"

#include "base/NamedObjects.h"
#include "camera/CameraDiscovery.h"
#include "entry/CommandLine.h"
#include "entry/WindowSeams.h"
#include "launch/ConsoleWatcher.h"
#include "launch/KernelObjectNames.h"
#include "launch/LaunchContextOwner.h"
#include "launch/SessionCheck.h"
#include "settings/SettingsStore.h"
#include "skin/ResourceLibrary.h"

namespace ostrivan {

namespace {

constexpr size_t kStayLength = 6;  // "/stay "

// The guards of an automatic launch. Empty when it may not go on; else the
// Close event, which marks this console as automatically launched, so that
// "/closed" can end it.
UniqueHandle AutoLaunchCloseEvent() {
    bool hostHoldsInstance = false;
    UniqueHandle probe = CreateNamedMutex(kIntegratedConsoleMutex, false, &hostHoldsInstance);
    // A probe that cannot be made (another user's or an elevated host's
    // mutex) ends the launch like every named object that cannot be created.
    if (!probe || hostHoldsInstance) return UniqueHandle();
    probe.reset();

    DWORD noAutoLaunch = 0;
    if (ReadSettingNumber(HKEY_CURRENT_USER, kNoAutoLaunchValue, &noAutoLaunch) && noAutoLaunch != 0) {
        return UniqueHandle();
    }
    return CreateNamedEvent(kCloseEventName, nullptr);
}

void RunStandaloneConsole(LaunchContext* context) {
    ResourceLibrary library;
    if (!library.Load()) return;  // no templates: no window can be made
    if (ConsoleWindows().runStandaloneConsole) ConsoleWindows().runStandaloneConsole(context, FoundDevices(*context));
}

void RunStandalone(LaunchContext* context, const char* line) {
    // Held here until all of them exist; then the console watcher owns them.
    UniqueHandle closeEvent;
    if (line[0] != '\0') {
        if (ContainsWord(line, "/closed")) {
            SignalNamedEvent(kCloseEventName);
            return;
        }
        if (ContainsWord(line, "/quit")) {
            SignalNamedEvent(kQuitEventName);
            return;
        }
        bool stay = ContainsWord(line, "/stay");
        const char* rest = stay ? TextAfter(line, kStayLength) : line;
        if (char* slot = FindDeviceSlot(context, rest)) {
            context->selectedDevice = slot;
            if (!stay) {
                closeEvent = AutoLaunchCloseEvent();
                if (!closeEvent) return;
            }
        }
    }
    if (!SessionAllowsConsole()) return;

    bool existed = false;
    UniqueHandle restoreEvent = CreateNamedEvent(kRestoreEventName, &existed);
    if (!restoreEvent) return;
    if (existed) {
        ::SetEvent(restoreEvent.get());  // the running console comes to the front
        return;
    }
    UniqueHandle quitEvent = CreateNamedEvent(kQuitEventName, &existed);
    if (!quitEvent || existed) return;

    context->closeEvent = closeEvent.release();
    context->restoreEvent = restoreEvent.release();
    context->quitEvent = quitEvent.release();
    RunStandaloneConsole(context);
    StopConsoleWatcher(context);
}

}  // namespace

}  // namespace ostrivan

extern "C" void CALLBACK ksCVWConsoleRunDLL32EP(HWND, HINSTANCE, LPSTR commandLine, int) {
    using namespace ostrivan;
    LaunchContextPtr context = AllocateLaunchContext();
    if (!context) return;
    FindCameras(context.get());  // with no camera the console still opens
    context->selectedDevice = context->deviceNames[0];
    RunStandalone(context.get(), commandLine ? commandLine : "");
}
