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

// The guards of an automatic launch; true when it may go on.
bool AutoLaunchAllowed(LaunchContext* context) {
    bool hostHoldsInstance = false;
    UniqueHandle probe = CreateNamedMutex(kIntegratedConsoleMutex, false, &hostHoldsInstance);
    if (hostHoldsInstance) return false;
    probe.reset();

    DWORD noAutoLaunch = 0;
    if (ReadSettingNumber(HKEY_CURRENT_USER, "NoAutoLaunch", &noAutoLaunch) && noAutoLaunch != 0) return false;

    // Marks this console as automatically launched, so "/closed" can end it.
    context->closeEvent = CreateNamedEvent(kCloseEventName, nullptr).release();
    return context->closeEvent != nullptr;
}

void RunStandaloneConsole(LaunchContext* context) {
    ResourceLibrary library;
    if (!library.Load()) return;  // no templates: no window can be made
    if (ConsoleWindows().runStandaloneConsole) ConsoleWindows().runStandaloneConsole(context, FoundDevices(*context));
}

void RunStandalone(LaunchContext* context, const char* line) {
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
            if (!stay && !AutoLaunchAllowed(context)) return;
        }
    }
    if (!SessionAllowsConsole()) return;

    bool existed = false;
    context->restoreEvent = CreateNamedEvent(kRestoreEventName, &existed).release();
    if (!context->restoreEvent) return;
    if (existed) {
        ::SetEvent(context->restoreEvent);  // the running console comes to the front
        return;
    }
    context->quitEvent = CreateNamedEvent(kQuitEventName, &existed).release();
    if (!context->quitEvent || existed) return;

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
