// The module's host interface as a host application sees it: the entry
// point, its commands and the command blocks as the README gives them to
// host authors (the same fields for both architectures, the handles
// pointer-sized).
#pragma once

#include <windows.h>

#include <cstdint>

namespace testbed {

using EntryPoint = uint32_t(__stdcall*)(void* instance, uint32_t command, void* block);

constexpr uint32_t kCreateInstance = 0x1403, kDestroyInstance = 0x1404, kOpenIntegratedConsole = 0x1409;

struct CreateInstanceBlock {
    uint32_t status;
    char argument[256];
    void* instance;
};
struct OpenConsoleBlock {
    uint32_t status;
    uint32_t size;
    HWND window;
};

}  // namespace testbed
