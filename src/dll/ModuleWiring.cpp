#include "dll/ModuleWiring.h"

#include "base/ModuleState.h"
#include "console/IntegratedConsole.h"
#include "console/StandaloneConsole.h"
#include "entry/WindowSeams.h"
#include "parental/ParentalRuns.h"
#include "skin/SkinMessages.h"

namespace ostrivan {

void WireModule(HINSTANCE module) {
    SetModuleInstance(module);
    RegisterSkinMessages();
    ConsoleWindowHooks& windows = ConsoleWindows();
    windows.runStandaloneConsole = RunConsoleWindow;
    windows.makeIntegratedConsole = MakeIntegratedConsole;
    windows.runSetPasswordDialog = RunFirstPasswordDialog;
    windows.runPasswordPrompt = RunQuietPasswordPrompt;
}

}  // namespace ostrivan
