// Where the entry points hand over to the windows. Each slot is filled by
// the window that plays that part; a slot left empty means the window is
// not part of this build, and the call site then ends at once, as it does
// when the resource library is missing.
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
