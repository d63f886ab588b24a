// Where the entry points hand over to the windows. The module fills each
// slot with the window that plays that part when it is loaded (dll/); the
// entry points know only the slots. A call site whose slot is empty ends at
// once, as it does when the resource library is missing.
#pragma once

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
    // Creates the integrated console modelessly; returns its object (null on
    // failure) and its window handle.
    void* (*openIntegratedConsole)(LaunchContext* context, const DeviceNames& devices, HWND* window) = nullptr;
    // Deletes an object returned by openIntegratedConsole, destroying its window.
    void (*destroyIntegratedConsole)(void* object) = nullptr;
    // The parental dialogs, run modally for context->selectedDevice.
    void (*runSetPasswordDialog)(LaunchContext* context) = nullptr;
    void (*runPasswordPrompt)(LaunchContext* context) = nullptr;
};

ConsoleWindowHooks& ConsoleWindows();

}  // namespace ostrivan
