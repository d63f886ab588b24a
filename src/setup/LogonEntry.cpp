#include "setup/LogonEntry.h"

#include "base/ModuleState.h"
#include "base/UniqueHandle.h"
#include "settings/SettingsStore.h"

#include <strsafe.h>

#include <cstring>

namespace ostrivan {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool ModulePath(char (&path)[MAX_PATH]) {
    DWORD length = ::GetModuleFileNameA(ModuleInstance(), path, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

}  // namespace

bool LogonCommand(const char* systemFolder, const char* modulePath, char* command, size_t size) {
    return SUCCEEDED(::StringCchPrintfA(command, size, "\"%s\\RegSvr32.exe\" /s \"%s\"", systemFolder, modulePath));
}

bool WriteLogonEntry() {
    char modulePath[MAX_PATH] = {};
    char systemFolder[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryA(systemFolder, MAX_PATH);
    if (!ModulePath(modulePath) || length == 0 || length >= MAX_PATH) return false;
    char command[2 * MAX_PATH + 32] = {};
    if (!LogonCommand(systemFolder, modulePath, command, sizeof(command))) return false;
    UniqueKey key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE | kSharedRegistryView, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return ::RegSetValueExA(key.get(), modulePath, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                            static_cast<DWORD>(std::strlen(command) + 1)) == ERROR_SUCCESS;
}

void RemoveLogonEntry() {
    char modulePath[MAX_PATH] = {};
    if (!ModulePath(modulePath)) return;
    UniqueKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE | kSharedRegistryView, key.put()) !=
        ERROR_SUCCESS) {
        return;
    }
    ::RegDeleteValueA(key.get(), modulePath);
}

}  // namespace ostrivan
