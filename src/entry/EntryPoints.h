// The module's exported entry points and the host's command interface.
//
//   ksCVWEntryPoint            the host command dispatcher
//   ksCVW...RunDLL32EP         what rundll32 starts: console, parental dialogs, intro
//   command numbers            kQueryVersion ... kOpenIntegratedConsole
//   command blocks             QueryVersionBlock, CreateInstanceBlock, OpenConsoleBlock,
//                              and the sizes the dispatcher checks
//   the commands themselves    CreateInstance ... OpenIntegratedConsole
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

// The host's command blocks, caller-owned and not necessarily aligned: word 0
// of every block receives the status, and each must be readable and writable
// for its command's size before anything happens. x86 keeps the 32-bit
// interface byte for byte; x64 has the same fields in the same order, with
// pointer-sized handles at their natural alignment.
struct QueryVersionBlock {
    uint32_t status;
    uint32_t version;
};

struct CreateInstanceBlock {
    uint32_t status;
    char argument[256];  // need not be terminated within its 256 bytes
    HostInstance* instance;  // written: the host's instance handle
};

struct OpenConsoleBlock {
    uint32_t status;
    uint32_t size;  // the block's own size, at least sizeof(OpenConsoleBlock)
    HWND window;    // written: the console window's handle
};

#if defined(_WIN64)
static_assert(offsetof(CreateInstanceBlock, instance) == 264 && sizeof(CreateInstanceBlock) == 272,
              "x64 CreateInstance block");
static_assert(offsetof(OpenConsoleBlock, window) == 8 && sizeof(OpenConsoleBlock) == 16,
              "x64 OpenIntegratedConsole block");
#else
static_assert(offsetof(CreateInstanceBlock, instance) == 260 && sizeof(CreateInstanceBlock) == 264,
              "x86 CreateInstance block");
static_assert(offsetof(OpenConsoleBlock, window) == 8 && sizeof(OpenConsoleBlock) == 12,
              "x86 OpenIntegratedConsole block");
#endif
static_assert(offsetof(CreateInstanceBlock, argument) == 4 && offsetof(OpenConsoleBlock, size) == 4, "host blocks");

constexpr size_t kQueryVersionBlockSize = sizeof(QueryVersionBlock);
constexpr size_t kQueryInfoBlockSize = 212;
constexpr size_t kCreateInstanceBlockSize = sizeof(CreateInstanceBlock);
constexpr size_t kReservedCommandBlockSize = 136;  // 0x1405 and 0x1406
constexpr size_t kReservedCommand1407BlockSize = 8;
constexpr size_t kPlainBlockSize = 4;  // the status word alone
constexpr uint32_t kMinimumOpenBlockSize = sizeof(OpenConsoleBlock);

// QueryVersion: word 1 the version. QueryInfo: words 1 and 2.
constexpr uint32_t kHostInterfaceVersion = 0x102;
constexpr uint32_t kQueryInfoWord1 = 1;
constexpr uint32_t kQueryInfoWord2 = 2;

// The host commands themselves, called by the dispatcher once the block and
// the instance have been checked. Each returns its status.
uint32_t CreateInstance(uint8_t* block);
uint32_t DestroyInstance(HostInstance* instance);
uint32_t LaunchStandaloneConsole(HostInstance* instance);
uint32_t OpenIntegratedConsole(HostInstance* instance, uint8_t* block);

}  // namespace ostrivan
