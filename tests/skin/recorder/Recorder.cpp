// A recording stand-in of the skinning library for the tests: it writes
// every CallHookWnd call into a text log, reading the records by raw 32-bit
// words (not through the module's own record types), and answers as told.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
std::string g_log;
LRESULT g_contextResult = 0x1234;
LRESULT g_skinResult = 1;
LRESULT g_unskinResult = 5;

using Word = uint32_t;
Word At(const void* base, int index) { return static_cast<const Word*>(base)[index]; }
std::string Text(Word pointer) {
    const char* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(pointer));
    return text ? std::string(text) : std::string("(null)");
}
void Append(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    g_log += line;
}

void LogDescriptor(const void* d) {
    // size, bundle, kind, image, 4 words, count, controls
    Append(" size=%u bundle=%s kind=%u image=%s words=%u,%u,%u,%u count=%u", At(d, 0), Text(At(d, 1)).c_str(),
           At(d, 2), Text(At(d, 3)).c_str(), At(d, 4), At(d, 5), At(d, 6), At(d, 7), At(d, 8));
    const void* entries = reinterpret_cast<const void*>(static_cast<uintptr_t>(At(d, 9)));
    for (Word i = 0; entries && i < At(d, 8); ++i) {
        const Word* entry = static_cast<const Word*>(entries) + 3 * i;
        const void* skin = reinterpret_cast<const void*>(static_cast<uintptr_t>(entry[2]));
        Append(" [%u %u %u %u %s]", entry[0], entry[1], At(skin, 0), At(skin, 1), Text(At(skin, 2)).c_str());
    }
}
}  // namespace

extern "C" LRESULT WINAPI CallHookWnd(uint32_t operation, uintptr_t context, uintptr_t argument, HWND window,
                                      const void* data) {
    Append("op=%u ctx=%#x arg=%u win=%s", operation, static_cast<unsigned>(context), static_cast<unsigned>(argument),
           window ? "W" : "0");
    LRESULT result = 0;
    switch (operation) {
    case 1: result = g_contextResult; Append("%s", data ? " data" : ""); break;
    case 3:
        if (At(data, 0) == 52) {
            Append(" outer=52");
            const Word* inner = static_cast<const Word*>(data) + 1;
            LogDescriptor(inner);
            Append(" ids=%u", At(data, 11));
            const Word* ids = reinterpret_cast<const Word*>(static_cast<uintptr_t>(At(data, 12)));
            for (Word i = 0; ids && i < At(data, 11); ++i) Append(" %u", ids[i]);
        } else {
            LogDescriptor(data);
        }
        result = g_skinResult;
        break;
    case 4: result = g_unskinResult; break;
    case 9:
        Append(" section=%s key=%s default=%d", Text(At(data, 0)).c_str(), Text(At(data, 1)).c_str(),
               static_cast<int>(At(data, 3)));
        result = static_cast<int>(At(data, 3)) + 1000;
        break;
    case 11: {
        Append(" section=%s key=%s capacity=%u", Text(At(data, 0)).c_str(), Text(At(data, 1)).c_str(), At(data, 3));
        char* buffer = reinterpret_cast<char*>(static_cast<uintptr_t>(At(data, 2)));
        const char answer[] = "recorded-data";
        Word capacity = At(data, 3);
        if (buffer && capacity) {
            size_t n = std::min<size_t>(capacity - 1, sizeof(answer) - 1);
            std::memcpy(buffer, answer, n);
            buffer[n] = '\0';
            result = static_cast<LRESULT>(n);
        }
        break;
    }
    case 12: Append(" region=%s", static_cast<const char*>(data)); result = 1; break;
    }
    g_log += "\n";
    return result;
}

extern "C" const char* WINAPI RecorderLog() { return g_log.c_str(); }
extern "C" void WINAPI RecorderReset(LRESULT contextResult, LRESULT skinResult) {
    g_log.clear();
    g_contextResult = contextResult;
    g_skinResult = skinResult;
}
