#include "launch/SessionCheck.h"

#include "base/ModuleFunctions.h"
#include "base/UniqueHandle.h"

#include <wtsapi32.h>

namespace ostrivan {

namespace {

using GetActiveConsoleSessionIdFn = DWORD(WINAPI*)();
using ProcessIdToSessionIdFn = BOOL(WINAPI*)(DWORD, DWORD*);
using QuerySessionInformationFn = BOOL(WINAPI*)(HANDLE, DWORD, WTS_INFO_CLASS, LPSTR*, DWORD*);
using FreeMemoryFn = void(WINAPI*)(PVOID);

constexpr DWORD kClientProtocolType = 16;  // WTSClientProtocolType
constexpr USHORT kProtocolRemoteDesktop = 2;

}  // namespace

bool SessionAllowsConsole() {
    UniqueModule wtsapi(::LoadLibraryA("Wtsapi32.dll"));

    // The extended record is the 156-byte one the query is told about.
    OSVERSIONINFOEXA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    static_assert(sizeof(OSVERSIONINFOEXA) == 156, "extended version record");
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version))) return false;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) return true;
    if (version.dwMajorVersion < 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion == 0)) return true;
    if (!wtsapi) return true;

    HMODULE kernel = ::GetModuleHandleA("Kernel32.dll");
    auto activeSession = LookUpFunction<GetActiveConsoleSessionIdFn>(kernel, "WTSGetActiveConsoleSessionId");
    auto processSession = LookUpFunction<ProcessIdToSessionIdFn>(kernel, "ProcessIdToSessionId");
    auto querySession = LookUpFunction<QuerySessionInformationFn>(wtsapi.get(), "WTSQuerySessionInformationA");
    auto freeMemory = LookUpFunction<FreeMemoryFn>(wtsapi.get(), "WTSFreeMemory");
    if (!activeSession || !processSession || !querySession || !freeMemory) return false;

    LPSTR answer = nullptr;
    DWORD answerSize = 0;
    if (!querySession(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, static_cast<WTS_INFO_CLASS>(kClientProtocolType),
                      &answer, &answerSize)) {
        return false;
    }
    USHORT protocol = 0xFFFF;
    if (answer && answerSize >= sizeof(USHORT)) protocol = *reinterpret_cast<const USHORT*>(answer);
    if (answer) freeMemory(answer);
    if (protocol == kProtocolRemoteDesktop) return true;

    DWORD session = 0;
    if (!processSession(::GetCurrentProcessId(), &session)) return false;
    return session == activeSession();
}

}  // namespace ostrivan
