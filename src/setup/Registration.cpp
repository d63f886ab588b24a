// DllRegisterServer and DllUnregisterServer: the camera manager, the
// start-menu shortcut, the logon retry entry, and on removal the running
// standalone console and every user's settings. Nothing is shown.
#include "base/ModuleState.h"
#include "base/SystemFolders.h"
#include "settings/SettingsStore.h"
#include "setup/CameraManager.h"
#include "setup/LogonEntry.h"
#include "setup/StandaloneConsoleClose.h"
#include "setup/StartMenuShortcut.h"

#include <windows.h>

using namespace ostrivan;

namespace {

const char* const kRegisteredNames[] = {kManagerRegistrationName};

// Announces the console to the manager; true when the device association took.
bool AnnounceToCameraManager() {
    CameraManager manager;
    if (!manager.Available()) return false;
    std::vector<uint8_t> names = NameBlock(kRegisteredNames, 1);
    manager.Call(kManagerRegisterNames, names.data());
    std::vector<uint8_t> device = DeviceBlock(kRegisteredNames, 1);
    return manager.Call(kManagerAssociateDevice, device.data()) == 0;
}

}  // namespace

// 0 when every step succeeded; 1 otherwise, with the logon entry left to try again.
extern "C" HRESULT __stdcall DllRegisterServer() {
    bool ok = AnnounceToCameraManager();
    if (!CreateStartMenuShortcut()) ok = false;
    if (ok) {
        RemoveLogonEntry();
        return S_OK;
    }
    WriteLogonEntry();
    return S_FALSE;
}

// 0, or 1 when the camera manager is not available (only the logon entry is then removed).
// The shortcut, the manager's association, a running console and the
// settings are shared with the other architecture's module: while that one
// is installed they stay, and only this module's own logon entry goes.
extern "C" HRESULT __stdcall DllUnregisterServer() {
    RemoveLogonEntry();
    char otherModule[MAX_PATH] = {};
    if (FindOtherArchitectureFile(kModuleName, otherModule)) return S_OK;
    {
        CameraManager manager;
        if (!manager.Available()) return S_FALSE;
        std::vector<uint8_t> device = DeviceBlock(nullptr, 0);
        manager.Call(kManagerRemoveDevice, device.data());
        std::vector<uint8_t> names = NameBlock(kRegisteredNames, 1);
        manager.Call(kManagerUnregisterNames, names.data());
    }
    RemoveStartMenuShortcut();
    CloseStandaloneConsole();
    RemoveSettingsForAllUsers();
    return S_OK;
}
