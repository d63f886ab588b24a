// Wine's configuration manager leaves the device-node status unanswered; the
// test bed keeps each device's status in the registry and answers from there.
#define _CFGMGR32_  // this file defines the exports, not imports them
#include "devices/TestBedRegistry.h"

#include <windows.h>
#include <cfgmgr32.h>

namespace {

using GetDeviceIdFn = CONFIGRET(WINAPI*)(DEVINST, PSTR, ULONG, ULONG);

CONFIGRET DeviceId(DEVINST node, char* id, ULONG size) {
    HMODULE setupapi = ::GetModuleHandleA("setupapi.dll");
    if (!setupapi) setupapi = ::LoadLibraryA("setupapi.dll");
    auto getId = setupapi ? reinterpret_cast<GetDeviceIdFn>(
                                reinterpret_cast<void*>(::GetProcAddress(setupapi, "CM_Get_Device_IDA")))
                          : nullptr;
    if (!getId) return CR_FAILURE;
    return getId(node, id, size, 0);
}

}  // namespace

extern "C" CONFIGRET WINAPI CM_Get_DevNode_Status_Ex(PULONG status, PULONG problem, DEVINST node, ULONG flags,
                                                      HMACHINE) {
    if (!status || !problem) return CR_INVALID_POINTER;
    if (flags != 0) return CR_INVALID_FLAG;
    char id[MAX_DEVICE_ID_LEN + 1] = {};
    CONFIGRET result = DeviceId(node, id, MAX_DEVICE_ID_LEN);
    if (result != CR_SUCCESS) return result;

    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegGetValueA(testbed::SharedMachineKey(), testbed::kDevNodeStatusKey, id, RRF_RT_REG_DWORD, nullptr, &value,
                       &size) != ERROR_SUCCESS) {
        return CR_NO_SUCH_DEVNODE;
    }
    *status = value;
    *problem = (value & DN_DRIVER_LOADED) ? 0 : CM_PROB_FAILED_INSTALL;
    return CR_SUCCESS;
}

extern "C" CONFIGRET WINAPI CM_Get_DevNode_Status(PULONG status, PULONG problem, DEVINST node, ULONG flags) {
    return CM_Get_DevNode_Status_Ex(status, problem, node, flags, nullptr);
}
