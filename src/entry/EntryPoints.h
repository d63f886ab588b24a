// The module's exported entry points.
#pragma once

#include <windows.h>

#include "launch/LaunchContext.h"

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

// Host commands.
enum : uint32_t {
    kQueryVersion = 0x1401,
    kQueryInfo = 0x1402,
    kCreateInstance = 0x1403,
    kDestroyInstance = 0x1404,
    kLaunchStandaloneConsole = 0x1408,
    kOpenIntegratedConsole = 0x1409,
};

// The host commands themselves, called by the dispatcher once the block and
// the instance have been checked. Each returns its status.
uint32_t CreateInstance(uint8_t* block);
uint32_t DestroyInstance(HostInstance* instance);
uint32_t LaunchStandaloneConsole(HostInstance* instance);
uint32_t OpenIntegratedConsole(HostInstance* instance, uint8_t* block);

}  // namespace ostrivan
