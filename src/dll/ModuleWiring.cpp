#include "dll/ModuleWiring.h"

#include "base/ModuleState.h"
#include "console/IntegratedConsole.h"
#include "console/StandaloneConsole.h"
#include "entry/HostInstanceBlock.h"
#include "entry/WindowSeams.h"
#include "parental/ParentalRuns.h"
#include "skin/SkinMessages.h"

namespace ostrivan {

namespace {

void* OpenIntegrated(LaunchContext* context, const DeviceNames& devices, HWND* window) {
    return OpenIntegratedConsoleWindow(context, devices, CarryOutHostRequest, window);
}
void DestroyIntegrated(void* object) { delete static_cast<IntegratedConsoleWnd*>(object); }
void CloseIntegratedNested(void* object) { static_cast<IntegratedConsoleWnd*>(object)->CloseNested(); }

}  // namespace

void WireModule(HINSTANCE module) {
    SetModuleInstance(module);
    RegisterSkinMessages();
    ConsoleWindowHooks& windows = ConsoleWindows();
    windows.runStandaloneConsole = RunConsoleWindow;
    windows.openIntegratedConsole = OpenIntegrated;
    windows.destroyIntegratedConsole = DestroyIntegrated;
    windows.closeIntegratedConsoleNested = CloseIntegratedNested;
    windows.runSetPasswordDialog = RunFirstPasswordDialog;
    windows.runPasswordPrompt = RunQuietPasswordPrompt;
}

}  // namespace ostrivan
