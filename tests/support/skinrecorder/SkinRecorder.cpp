// The tests' recording skinning library, built once as "HookWnd.DLL" into
// its own folder. It writes every CallHookWnd call as a line of text,
// reading the records by raw 32-bit words (not through the module's own
// record types, so a layout fault there shows here), answers ReadSkinNumber
// and ReadSkinData from tables the test fills, and hands out contexts and
// skin results as the test says.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr uintptr_t kFirstContext = 0x100;
constexpr size_t kRegionBytes = 100;

struct Call {
    uint32_t operation;
    uintptr_t context;
    uintptr_t argument;
    bool window;
    std::string line;
};

std::map<std::pair<std::string, std::string>, int> g_numbers;
std::map<std::pair<std::string, std::string>, std::string> g_data;
std::vector<Call> g_calls;
uintptr_t g_nextContext = kFirstContext;
LRESULT g_skinResult = 1;
LRESULT g_unskinResult = 1;

using Word = uint32_t;
Word At(const void* base, int index) { return static_cast<const Word*>(base)[index]; }
const void* Pointer(Word word) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(word)); }
std::string Text(Word pointer) {
    const char* text = static_cast<const char*>(Pointer(pointer));
    return text ? std::string(text) : std::string("(null)");
}
std::string Format(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    return line;
}

// size, bundle, kind, image, four reserved words, control count, controls
std::string Descriptor(const void* d) {
    std::string line = Format("size=%u kind=%u image=%s bundle=%s reserved=%u,%u,%u,%u controls=%u", At(d, 0),
                              At(d, 2), Text(At(d, 3)).c_str(), Text(At(d, 1)).c_str(), At(d, 4), At(d, 5), At(d, 6),
                              At(d, 7), At(d, 8));
    const Word* entries = static_cast<const Word*>(Pointer(At(d, 9)));
    for (Word i = 0; entries && i < At(d, 8); ++i) {
        const Word* entry = entries + 3 * i;  // size, control id, skin
        const void* skin = Pointer(entry[2]);  // size, kind, image
        line += skin ? Format(" [%u:%u:%u:%u:%s]", entry[0], entry[1], At(skin, 0), At(skin, 1),
                              Text(At(skin, 2)).c_str())
                     : Format(" [%u:%u:0:0:-]", entry[0], entry[1]);
    }
    return line;
}

// A descriptor, or the 52-byte record that wraps one with a list of ids.
std::string SkinWindow(const void* data) {
    if (At(data, 0) != 52) return "skin " + Descriptor(data);
    std::string line = "skin outer=52 " + Descriptor(static_cast<const Word*>(data) + 1);
    line += Format(" ids=%u", At(data, 11));
    const Word* ids = static_cast<const Word*>(Pointer(At(data, 12)));
    for (Word i = 0; ids && i < At(data, 11); ++i) line += Format(" %u", ids[i]);
    return line;
}

// section, key, unset, default
LRESULT ReadNumber(const void* query, std::string* line) {
    *line = "number " + Text(At(query, 0)) + " " + Text(At(query, 1)) + " " +
            std::to_string(static_cast<int>(At(query, 3)));
    auto found = g_numbers.find({Text(At(query, 0)), Text(At(query, 1))});
    return found == g_numbers.end() ? static_cast<int>(At(query, 3)) : found->second;
}

// section, key, buffer, capacity: copies at most capacity bytes of the text
// and its NUL.
LRESULT ReadData(const void* query, std::string* line) {
    *line = "data " + Text(At(query, 0)) + " " + Text(At(query, 1)) + " " + std::to_string(At(query, 3));
    auto found = g_data.find({Text(At(query, 0)), Text(At(query, 1))});
    void* buffer = const_cast<void*>(Pointer(At(query, 2)));
    if (found == g_data.end() || !buffer) return 0;
    size_t length = std::min<size_t>(found->second.size(), At(query, 3));
    std::memcpy(buffer, found->second.data(), length);
    return static_cast<LRESULT>(length);
}

}  // namespace

extern "C" LRESULT WINAPI CallHookWnd(uint32_t operation, uintptr_t context, uintptr_t argument, HWND window,
                                      const void* data) {
    Call call{operation, context, argument, window != nullptr, ""};
    LRESULT result = 0;
    switch (operation) {
    case 1:
        call.line = data ? "create data" : "create";
        result = static_cast<LRESULT>(g_nextContext);
        if (g_nextContext) ++g_nextContext;
        break;
    case 2: call.line = "destroy"; result = 1; break;
    case 3:
        if (!data || !::IsWindow(window)) return 0;  // refused, and nothing to record
        call.line = SkinWindow(data);
        result = g_skinResult;
        break;
    case 4: call.line = "unskin"; result = g_unskinResult; break;
    case 9: result = data ? ReadNumber(data, &call.line) : 0; break;
    case 11: result = data ? ReadData(data, &call.line) : 0; break;
    case 12: {
        char region[kRegionBytes + 1] = {};
        if (data) std::memcpy(region, data, kRegionBytes);
        call.line = "region " + std::to_string(argument) + " " + region;
        result = 1;
        break;
    }
    default: call.line = "operation " + std::to_string(operation); break;
    }
    g_calls.push_back(call);
    return result;
}

// Control of the recorder, for the test programs.
extern "C" void RecorderReset() {
    g_numbers.clear();
    g_data.clear();
    g_calls.clear();
    g_nextContext = kFirstContext;
    g_skinResult = 1;
    g_unskinResult = 1;
}
// The context the next CreateSkinContext hands out (then one more each
// time); 0 refuses every context.
extern "C" void RecorderSetNextContext(uintptr_t context) { g_nextContext = context; }
extern "C" void RecorderSetSkinResult(int result) { g_skinResult = result; }
extern "C" void RecorderSetUnskinResult(int result) { g_unskinResult = result; }
extern "C" void RecorderSetNumber(const char* section, const char* key, int value) {
    g_numbers[{section, key}] = value;
}
extern "C" void RecorderSetData(const char* section, const char* key, const char* text) {
    g_data[{section, key}] = std::string(text, std::strlen(text) + 1);
}
// Copies call i into buffer: its line, after "op=.. ctx=.. arg=.. win=W|0 | "
// when withFrame is set. 0 past the last call.
extern "C" int RecorderLine(int index, int withFrame, char* buffer, int capacity) {
    if (index < 0 || index >= static_cast<int>(g_calls.size()) || !buffer || capacity <= 0) return 0;
    const Call& call = g_calls[index];
    std::string text = call.line;
    if (withFrame) {
        text = Format("op=%u ctx=%#x arg=%u win=%s | ", call.operation, static_cast<unsigned>(call.context),
                      static_cast<unsigned>(call.argument), call.window ? "W" : "0") +
               text;
    }
    std::snprintf(buffer, static_cast<size_t>(capacity), "%s", text.c_str());
    return 1;
}
