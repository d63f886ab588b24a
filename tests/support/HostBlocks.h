// The host's command blocks as a host author lays them out from the README,
// with the offsets written out for each architecture (not taken from the
// module's own declarations, so a change there shows here).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace testsupport {

#if defined(_WIN64)
constexpr size_t kCreateBlockSize = 272;    // status, 256 bytes of argument, padding, 8-byte handle
constexpr size_t kCreateHandleOffset = 264;
constexpr uint32_t kOpenBlockSize = 16;     // status, size word, 8-byte window handle
#else
constexpr size_t kCreateBlockSize = 264;    // status, 256 bytes of argument, 4-byte handle
constexpr size_t kCreateHandleOffset = 260;
constexpr uint32_t kOpenBlockSize = 12;     // status, size word, 4-byte window handle
#endif
constexpr size_t kCreateArgumentOffset = 4;
constexpr size_t kOpenSizeOffset = 4;
constexpr size_t kOpenWindowOffset = 8;

// A CreateInstance block with the argument text in place.
struct CreateBlock {
    char bytes[kCreateBlockSize] = {};
    explicit CreateBlock(const char* argument = "") {
        std::strncpy(bytes + kCreateArgumentOffset, argument, 255);
    }
    uint32_t status() const { return Word(0); }
    uint32_t Word(size_t offset) const {
        uint32_t value;
        std::memcpy(&value, bytes + offset, sizeof(value));
        return value;
    }
    void* instance() const {
        void* handle = nullptr;
        std::memcpy(&handle, bytes + kCreateHandleOffset, sizeof(handle));
        return handle;
    }
};

// An OpenIntegratedConsole block: status and size word, then the window handle.
struct OpenBlock {
    unsigned char bytes[kOpenBlockSize] = {};
    explicit OpenBlock(uint32_t status = 0xCDCDCDCD, uint32_t size = kOpenBlockSize, uintptr_t window = 0) {
        std::memcpy(bytes, &status, sizeof(status));
        std::memcpy(bytes + kOpenSizeOffset, &size, sizeof(size));
        std::memcpy(bytes + kOpenWindowOffset, &window, sizeof(window));
    }
    uint32_t status() const {
        uint32_t value;
        std::memcpy(&value, bytes, sizeof(value));
        return value;
    }
    uintptr_t windowBits() const {
        uintptr_t value;
        std::memcpy(&value, bytes + kOpenWindowOffset, sizeof(value));
        return value;
    }
    HWND window() const { return reinterpret_cast<HWND>(windowBits()); }
};

}  // namespace testsupport
