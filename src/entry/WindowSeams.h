// Where the entry points hand over to the windows. The module fills each
// slot with the window that plays that part when it is loaded (dll/); the
// entry points know only the slots. A call site whose slot is empty ends at
// once, as it does when the resource library is missing.
#pragma once

#include "console/IntegratedConsole.h"
#include "launch/LaunchContext.h"

#include <string>
#include <vector>

namespace ostrivan {

using DeviceNames = std::vector<std::string>;

struct ConsoleWindowHooks {
    // Runs the main console window modally on the calling thread. While it
    // initialises, the window stores its handle in context->consoleWindow
    // and calls StartConsoleWatcher(context).
    void (*runStandaloneConsole)(LaunchContext* context, const DeviceNames& devices) = nullptr;
    // The integrated console for a host instance, not yet created (null when
    // it cannot be had).
    std::unique_ptr<IntegratedConsole> (*makeIntegratedConsole)(LaunchContext* context, const DeviceNames& devices,
                                                                IntegratedConsole::Owner* owner) = nullptr;
    // The parental dialogs, run modally for context->selectedDevice.
    void (*runSetPasswordDialog)(LaunchContext* context) = nullptr;
    void (*runPasswordPrompt)(LaunchContext* context) = nullptr;
};

ConsoleWindowHooks& ConsoleWindows();

}  // namespace ostrivan
