#include "dll/ModuleWiring.h"

#include "base/ModuleState.h"
#include "console/StandaloneConsole.h"
#include "entry/WindowSeams.h"
#include "skin/SkinMessages.h"

namespace ostrivan {

void WireModule(HINSTANCE module) {
    SetModuleInstance(module);
    RegisterSkinMessages();
    ConsoleWindowHooks& windows = ConsoleWindows();
    windows.runStandaloneConsole = RunConsoleWindow;
}

}  // namespace ostrivan
