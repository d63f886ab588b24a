#include "base/SystemFolders.h"

#include "base/BoundedText.h"
#include "base/ModuleFunctions.h"

#include <cstring>

namespace ostrivan {

bool Find32BitSystemFolder(char* runDllPath, char* folder) {
    if (!folder) return false;
    HMODULE kernel = ::GetModuleHandleA("Kernel32.dll");
    if (!kernel) return false;
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    using GetNativeSystemInfoFn = void(WINAPI*)(LPSYSTEM_INFO);
    auto isWow64Process = LookUpFunction<IsWow64ProcessFn>(kernel, "IsWow64Process");
    auto getNativeSystemInfo = LookUpFunction<GetNativeSystemInfoFn>(kernel, "GetNativeSystemInfo");
    if (!isWow64Process || !getNativeSystemInfo) return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(::GetCurrentProcess(), &wow64) || !wow64) return false;
    SYSTEM_INFO native{};
    getNativeSystemInfo(&native);
    if (native.wProcessorArchitecture != PROCESSOR_ARCHITECTURE_AMD64 &&
        native.wProcessorArchitecture != PROCESSOR_ARCHITECTURE_IA64 &&
        native.wProcessorArchitecture != PROCESSOR_ARCHITECTURE_ARM64) {
        return false;
    }
    char wow64Folder[MAX_PATH] = {};
    UINT length = ::GetSystemWow64DirectoryA(wow64Folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    static const char kRunDll[] = "\\RunDLL32.exe";
    if (runDllPath) {
        if (length + std::strlen(kRunDll) >= MAX_PATH) return false;
        CopyText(runDllPath, MAX_PATH, wow64Folder);
        CopyText(runDllPath + length, MAX_PATH - length, kRunDll);
    }
    CopyText(folder, MAX_PATH, wow64Folder);
    return true;
}

}  // namespace ostrivan
