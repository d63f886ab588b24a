#include "base/SystemFolders.h"

#include "base/BoundedText.h"
#include "base/ModuleFunctions.h"


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
    if (runDllPath && !JoinPath(runDllPath, MAX_PATH, wow64Folder, kLauncherFileName)) return false;
    CopyText(folder, MAX_PATH, wow64Folder);
    return true;
}

namespace {

bool FileExists(const char* path) {
    DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

#if defined(_WIN64)
// The 32-bit system folder seen from a 64-bit process; false on a system without one.
bool SystemWow64Folder(char* folder) {
    UINT length = ::GetSystemWow64DirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}
#endif

}  // namespace

bool FindModuleSystemFolder(char* folder) {
    if (!folder) return false;
    if (Find32BitSystemFolder(nullptr, folder)) return true;
    UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

bool FindOtherArchitectureFile(const char* name, char* path) {
    if (!name || !path) return false;
    char folder[MAX_PATH] = {};
#if defined(_WIN64)
    if (!SystemWow64Folder(folder)) return false;
#else
    // Only under WOW64 is there a native system folder, which it shows a
    // 32-bit process as "Sysnative".
    char wow64Folder[MAX_PATH] = {};
    if (!Find32BitSystemFolder(nullptr, wow64Folder)) return false;
    char windows[MAX_PATH] = {};
    UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !JoinPath(folder, MAX_PATH, windows, "Sysnative")) return false;
#endif
    char candidate[MAX_PATH] = {};
    if (!JoinPath(candidate, MAX_PATH, folder, name) || !FileExists(candidate)) return false;
    CopyText(path, MAX_PATH, candidate);
    return true;
}

bool FindConsoleLauncher(const char* moduleName, char* launcher, char* folder) {
    if (!moduleName || !launcher || !folder) return false;
#if defined(_WIN64)
    char wow64Folder[MAX_PATH] = {};
    char x86Module[MAX_PATH] = {};
    if (SystemWow64Folder(wow64Folder) && JoinPath(x86Module, MAX_PATH, wow64Folder, moduleName) &&
        FileExists(x86Module) && JoinPath(launcher, MAX_PATH, wow64Folder, kLauncherFileName)) {
        CopyText(folder, MAX_PATH, wow64Folder);
        return true;
    }
#else
    if (Find32BitSystemFolder(launcher, folder)) return true;
#endif
    UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    CopyText(launcher, MAX_PATH, "rundll32.exe");
    return true;
}

}  // namespace ostrivan
