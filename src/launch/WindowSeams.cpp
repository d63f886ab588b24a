#include "launch/WindowSeams.h"

#include "console/StandaloneConsole.h"

namespace ostrivan {

ConsoleWindowHooks& ConsoleWindows() {
    static ConsoleWindowHooks hooks = [] {
        ConsoleWindowHooks windows;
        windows.runStandaloneConsole = RunConsoleWindow;
        return windows;
    }();
    return hooks;
}

}  // namespace ostrivan
