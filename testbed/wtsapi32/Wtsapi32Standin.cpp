// Stand-in terminal-services library for session tests. The answer to the
// client-protocol query comes from the environment variable
// CAMTESTBED_WTS_PROTOCOL: a number (0 console, 2 remote desktop), or "fail".
#include <windows.h>
#include <wtsapi32.h>

#include <cstdlib>
#include <cstring>

extern "C" BOOL WINAPI WTSQuerySessionInformationA(HANDLE, DWORD, WTS_INFO_CLASS infoClass, LPSTR* buffer,
                                                   DWORD* bytes) {
    if (!buffer || !bytes) return FALSE;
    char setting[32] = {};
    DWORD length = ::GetEnvironmentVariableA("CAMTESTBED_WTS_PROTOCOL", setting, sizeof(setting));
    if (length >= sizeof(setting) || std::strcmp(setting, "fail") == 0 || infoClass != WTSClientProtocolType) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    auto* protocol = static_cast<USHORT*>(::HeapAlloc(::GetProcessHeap(), 0, sizeof(USHORT)));
    if (!protocol) return FALSE;
    *protocol = static_cast<USHORT>(std::strtoul(setting, nullptr, 10));
    *buffer = reinterpret_cast<LPSTR>(protocol);
    *bytes = sizeof(USHORT);
    return TRUE;
}

extern "C" void WINAPI WTSFreeMemory(PVOID memory) {
    if (memory) ::HeapFree(::GetProcessHeap(), 0, memory);
}
