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

// The records as the skinning library reads them, with the offsets written
// out for each architecture: 32-bit words and pointers in the x86 module,
// pointers of 8 bytes at their natural alignment in the x64 one.
struct Layout {
    size_t descriptorSize, bundle, kind, image, reserved, count, controls;
    size_t entrySize, entrySkin, skinImage;
    size_t outerSize, outerDescriptor, idCount, ids;
    size_t querySection, queryKey, queryThird, queryFourth;
};
#if defined(_WIN64)
constexpr Layout kLayout{64, 8, 16, 24, 32, 48, 56, 16, 8, 8, 88, 8, 72, 80, 0, 8, 16, 24};
constexpr size_t kNumberDefault = 20;  // after section, key and an unset 32-bit word
#else
constexpr Layout kLayout{40, 4, 8, 12, 16, 32, 36, 12, 8, 8, 52, 4, 44, 48, 0, 4, 8, 12};
constexpr size_t kNumberDefault = 12;
#endif

using Word = uint32_t;
Word U32(const void* base, size_t offset) {
    Word value;
    std::memcpy(&value, static_cast<const char*>(base) + offset, sizeof(value));
    return value;
}
const void* Ptr(const void* base, size_t offset) {
    const void* value;
    std::memcpy(&value, static_cast<const char*>(base) + offset, sizeof(value));
    return value;
}
std::string Text(const void* pointer) {
    const char* text = static_cast<const char*>(pointer);
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
    const Layout& l = kLayout;
    std::string line = Format("size=%u kind=%u image=%s bundle=%s reserved=%u,%u,%u,%u controls=%u", U32(d, 0),
                              U32(d, l.kind), Text(Ptr(d, l.image)).c_str(), Text(Ptr(d, l.bundle)).c_str(),
                              U32(d, l.reserved), U32(d, l.reserved + 4), U32(d, l.reserved + 8),
                              U32(d, l.reserved + 12), U32(d, l.count));
    const char* entries = static_cast<const char*>(Ptr(d, l.controls));
    for (Word i = 0; entries && i < U32(d, l.count); ++i) {
        const char* entry = entries + l.entrySize * i;  // size, control id, skin
        const void* skin = Ptr(entry, l.entrySkin);     // size, kind, image
        line += skin ? Format(" [%u:%u:%u:%u:%s]", U32(entry, 0), U32(entry, 4), U32(skin, 0), U32(skin, 4),
                              Text(Ptr(skin, l.skinImage)).c_str())
                     : Format(" [%u:%u:0:0:-]", U32(entry, 0), U32(entry, 4));
    }
    return line;
}

// A descriptor, or the record that wraps one with a list of ids.
std::string SkinWindow(const void* data) {
    const Layout& l = kLayout;
    if (U32(data, 0) != l.outerSize) return "skin " + Descriptor(data);
    std::string line = Format("skin outer=%u ", U32(data, 0)) +
                       Descriptor(static_cast<const char*>(data) + l.outerDescriptor);
    line += Format(" ids=%u", U32(data, l.idCount));
    const char* ids = static_cast<const char*>(Ptr(data, l.ids));
    for (Word i = 0; ids && i < U32(data, l.idCount); ++i) line += Format(" %u", U32(ids, 4 * i));
    return line;
}

// section, key, unset, default
LRESULT ReadNumber(const void* query, std::string* line) {
    const Layout& l = kLayout;
    const std::string section = Text(Ptr(query, l.querySection));
    const std::string key = Text(Ptr(query, l.queryKey));
    const int fallback = static_cast<int>(U32(query, kNumberDefault));
    *line = "number " + section + " " + key + " " + std::to_string(fallback);
    auto found = g_numbers.find({section, key});
    return found == g_numbers.end() ? fallback : found->second;
}

// section, key, buffer, capacity: copies at most capacity bytes of the text
// and its NUL.
LRESULT ReadData(const void* query, std::string* line) {
    const Layout& l = kLayout;
    const std::string section = Text(Ptr(query, l.querySection));
    const std::string key = Text(Ptr(query, l.queryKey));
    const Word capacity = U32(query, l.queryFourth);
    *line = "data " + section + " " + key + " " + std::to_string(capacity);
    auto found = g_data.find({section, key});
    void* buffer = const_cast<void*>(Ptr(query, l.queryThird));
    if (found == g_data.end() || !buffer) return 0;
    size_t length = std::min<size_t>(found->second.size(), capacity);
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
