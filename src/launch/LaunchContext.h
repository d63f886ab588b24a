// The per-launch record handed from the entry points to the windows, and the
// host's instance record. Field order and sizes are relied on by hosts.
//
// Each handle field has one party that creates it and one that closes it;
// the record itself (LaunchContextOwner.h, or the host instance) only frees
// its memory:
//
//   field                 created by                  closed by
//   closeEvent,           the standalone entry point  the console watcher
//   quitEvent,            (StandaloneEntry.cpp), put  (ConsoleWatcher.cpp): its
//   restoreEvent          in only once all exist      thread when it ends, or
//                                                     StopConsoleWatcher when
//                                                     none ran
//   watcherThread         StartConsoleWatcher         StopConsoleWatcher
//   deviceChangeMutex     the console window          the console window (its
//                         (published for its          owner member, when the
//                         workers)                    window is destroyed)
//   integratedMutex       CreateInstance, owned       DestroyInstance, released
//                                                     then closed
//   resourceLibrary       OpenIntegratedConsole       DestroyInstance
//   consoleWindowObject   the integrated console's    DestroyInstance, through
//                         seam                        the same seam
#pragma once

#include "base/Limits.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace ostrivan {

struct LaunchContext {
    uint32_t deviceCount;
    char deviceNames[kMaxDevices][kDeviceNameSize];
    char* selectedDevice;
    void* consoleWindowObject;
    HMODULE resourceLibrary;
    HWND consoleWindow;
    HANDLE closeEvent;
    HANDLE quitEvent;
    HANDLE integratedMutex;
    HANDLE restoreEvent;
    HANDLE watcherThread;
    HANDLE deviceChangeMutex;
};
// x86: the 32-bit layout hosts rely on. x64: the same fields, pointer-sized
// handles at the compiler's natural alignment.
#if defined(_WIN64)
static_assert(offsetof(LaunchContext, selectedDevice) == 1288, "LaunchContext layout");
static_assert(sizeof(LaunchContext) == 1288 + 10 * 8, "LaunchContext layout");
#else
static_assert(offsetof(LaunchContext, selectedDevice) == 1284, "LaunchContext layout");
static_assert(sizeof(LaunchContext) == 4 + 1280 + 10 * 4, "LaunchContext layout");
#endif

constexpr uint32_t kHostInstanceMagic = 0x00636261;  // "abc"
constexpr size_t kHostArgumentSize = 128;

struct HostInstance {
    uint32_t magic;
    char argument[kHostArgumentSize];
    LaunchContext context;
};
#if defined(_WIN64)
static_assert(offsetof(HostInstance, context) == 136, "HostInstance layout");
#else
static_assert(offsetof(HostInstance, context) == 132, "HostInstance layout");
#endif
static_assert(sizeof(HostInstance) == offsetof(HostInstance, context) + sizeof(LaunchContext), "HostInstance layout");

// Statuses of the host dispatcher.
enum : uint32_t {
    kStatusOk = 0,
    kStatusUnsupported = 0x6400,
    kStatusOutOfMemory = 0x6401,
    kStatusBadArgument = 0x6403,
    kStatusNoCamera = 0x6404,
    kStatusAlreadyOpen = 0x6405,
};

}  // namespace ostrivan
