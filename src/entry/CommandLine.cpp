#include "entry/CommandLine.h"

#include <shlwapi.h>

#include <cstring>

namespace ostrivan {

bool ContainsWord(const char* line, const char* word) { return line && ::StrStrIA(line, word) != nullptr; }

const char* TextAfter(const char* line, size_t skip) {
    if (!line) return "";
    // Only the first `skip` characters need looking at, however long the line.
    size_t length = strnlen(line, skip);
    return length < skip ? "" : line + skip;
}

char* FindDeviceSlot(LaunchContext* context, const char* name) {
    if (!context || !name) return nullptr;
    uint32_t count = context->deviceCount < kMaxDevices ? context->deviceCount : kMaxDevices;
    for (uint32_t i = 0; i < count; ++i) {
        if (::lstrcmpiA(name, context->deviceNames[i]) == 0) return context->deviceNames[i];
    }
    return nullptr;
}

}  // namespace ostrivan
