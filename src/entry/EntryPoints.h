// The module's exported entry points.
#pragma once

#include <windows.h>

#include "launch/LaunchContext.h"

#include <cstddef>
#include <cstdint>

extern "C" {

// Host command dispatcher: returns a status that is also written into the
// block's first word whenever the block can take it.
uint32_t __stdcall ksCVWEntryPoint(void* instance, uint32_t command, void* block);

// rundll32 entry points; only the command line is used.
void CALLBACK ksCVWConsoleRunDLL32EP(HWND window, HINSTANCE instance, LPSTR commandLine, int show);
void CALLBACK ksCVWParentalRunDLL32EP(HWND window, HINSTANCE instance, LPSTR commandLine, int show);
// Also exported as ksCVWUtilityRunDLL32EP; returns at once.
void CALLBACK ksCVWIntroRunDLL32EP(HWND window, HINSTANCE instance, LPSTR commandLine, int show);
}

namespace ostrivan {

// Host commands. 0x1405 to 0x1407 are known but do nothing.
enum : uint32_t {
    kQueryVersion = 0x1401,
    kQueryInfo = 0x1402,
    kCreateInstance = 0x1403,
    kDestroyInstance = 0x1404,
    kReservedCommand1405 = 0x1405,
    kReservedCommand1406 = 0x1406,
    kReservedCommand1407 = 0x1407,
    kLaunchStandaloneConsole = 0x1408,
    kOpenIntegratedConsole = 0x1409,
};

// Sizes of the host's command blocks: each must be readable and writable for
// its command's size before anything happens. Word 0 of every block receives
// the status.
constexpr size_t kQueryVersionBlockSize = 8;
constexpr size_t kQueryInfoBlockSize = 212;
constexpr size_t kCreateInstanceBlockSize = 264;
constexpr size_t kReservedCommandBlockSize = 136;  // 0x1405 and 0x1406
constexpr size_t kReservedCommand1407BlockSize = 8;
constexpr size_t kPlainBlockSize = 4;  // the status word alone

// QueryVersion: word 1 the version. QueryInfo: words 1 and 2.
constexpr uint32_t kHostInterfaceVersion = 0x102;
constexpr uint32_t kQueryInfoWord1 = 1;
constexpr uint32_t kQueryInfoWord2 = 2;

// CreateInstance block: the argument text from byte 4 (need not be
// terminated within its 256 bytes), the instance handle written at byte 260.
constexpr size_t kCreateArgumentOffset = 4;
constexpr size_t kCreateArgumentSize = 256;
constexpr size_t kCreateInstanceOffset = 260;

// OpenIntegratedConsole block: the block's own size at byte 4 (at least 12),
// the console window's handle written at byte 8.
constexpr size_t kOpenSizeOffset = 4;
constexpr size_t kOpenWindowOffset = 8;
constexpr uint32_t kMinimumOpenBlockSize = 12;

// The host commands themselves, called by the dispatcher once the block and
// the instance have been checked. Each returns its status.
uint32_t CreateInstance(uint8_t* block);
uint32_t DestroyInstance(HostInstance* instance);
uint32_t LaunchStandaloneConsole(HostInstance* instance);
uint32_t OpenIntegratedConsole(HostInstance* instance, uint8_t* block);

}  // namespace ostrivan
