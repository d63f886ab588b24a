// Stand-in of the skinning library: CallHookWnd(operation, context, argument,
// window, data), standard call, five 32-bit arguments.
//
//   1 CreateSkinContext   -> context handle
//   2 DestroySkinContext  (context)
//   3 SkinWindow          (context, window, descriptor of 40 or 52 bytes) -> 1 skinned, 0 refused
//   4 UnskinWindows       (context) -> 1
//   9 ReadSkinNumber      (context, data = {section, key, unused, default}) -> number or default
//  11 ReadSkinData        (context, data = {section, key, buffer, capacity}) -> bytes written
//  12 ApplySkinRegion     (context, argument = redraw flag, data = region text) -> 1 shaped
//
// Bad input (unknown context, unreadable records, no bundle file) is refused
// with 0; nothing is ever written outside the caller's buffer.
#include "Skinning.h"
#include "skin/SkinDescriptor.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

using ostrivan::SkinControlEntry;
using ostrivan::SkinDataQuery;
using ostrivan::SkinDescriptor;
using ostrivan::SkinDescriptorWithIds;
using ostrivan::SkinNumberQuery;

namespace hookwnd {

namespace {

std::mutex g_contextsLock;
std::set<Context*> g_contexts;

Context* Find(uintptr_t handle) {
    std::lock_guard<std::mutex> lock(g_contextsLock);
    auto found = g_contexts.find(reinterpret_cast<Context*>(handle));
    return found == g_contexts.end() ? nullptr : *found;
}

bool Readable(const void* data, size_t size) { return data && !::IsBadReadPtr(data, size); }
bool ReadableText(const char* text) { return text && !::IsBadStringPtrA(text, MAX_PATH); }

LRESULT CreateContext() {
    auto* context = new Context;
    std::lock_guard<std::mutex> lock(g_contextsLock);
    g_contexts.insert(context);
    return reinterpret_cast<LRESULT>(context);
}

void DestroyContext(Context* context) {
    UnskinAll(*context);
    {
        std::lock_guard<std::mutex> lock(g_contextsLock);
        g_contexts.erase(context);
    }
    delete context;
}

LRESULT SkinWindow(Context& context, HWND window, const void* data) {
    if (!::IsWindow(window) || !Readable(data, sizeof(uint32_t))) return 0;
    uint32_t size = *static_cast<const uint32_t*>(data);
    const SkinDescriptor* descriptor = nullptr;
    if (size == sizeof(SkinDescriptor) && Readable(data, size)) {
        descriptor = static_cast<const SkinDescriptor*>(data);
    } else if (size == sizeof(SkinDescriptorWithIds) && Readable(data, size)) {
        descriptor = &static_cast<const SkinDescriptorWithIds*>(data)->descriptor;
    }
    if (!descriptor || descriptor->size != sizeof(SkinDescriptor) || !ReadableText(descriptor->bundlePath)) return 0;
    context.bundle = SkinBundle(descriptor->bundlePath);
    if (!context.bundle.Exists()) return 0;
    const char* image = ReadableText(descriptor->imageName) ? descriptor->imageName : "";
    if (!SkinWindowBackground(context, window, image)) return 0;
    uint32_t count = descriptor->controlCount;
    if (count > 0 && Readable(descriptor->controls, size_t{count} * sizeof(SkinControlEntry))) {
        for (uint32_t i = 0; i < count; ++i) {
            const SkinControlEntry& entry = descriptor->controls[i];
            if (entry.size != sizeof(SkinControlEntry) || !Readable(entry.skin, sizeof(*entry.skin))) continue;
            if (entry.skin->kind != ostrivan::kSkinControlImageButton) continue;
            HWND control = ::GetDlgItem(window, static_cast<int>(entry.controlId));
            const char* buttonImage = ReadableText(entry.skin->imageName) ? entry.skin->imageName : "";
            if (control) SkinImageButton(context, control, buttonImage);
        }
    }
    return 1;
}

LRESULT ReadNumber(const Context& context, const void* data) {
    if (!Readable(data, sizeof(SkinNumberQuery))) return 0;
    const auto& query = *static_cast<const SkinNumberQuery*>(data);
    if (!ReadableText(query.section) || !ReadableText(query.key)) return query.defaultValue;
    return context.bundle.Number(query.section, query.key, query.defaultValue);
}

LRESULT ReadData(const Context& context, const void* data) {
    if (!Readable(data, sizeof(SkinDataQuery))) return 0;
    const auto& query = *static_cast<const SkinDataQuery*>(data);
    if (!query.buffer || query.capacity == 0 || ::IsBadWritePtr(query.buffer, query.capacity)) return 0;
    char* out = static_cast<char*>(query.buffer);
    out[0] = '\0';
    if (!ReadableText(query.section) || !ReadableText(query.key)) return 0;
    std::string text = context.bundle.Text(query.section, query.key);
    if (text == "\x01") return 0;  // no such key
    size_t n = std::min<size_t>(text.size(), query.capacity - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

// Region text: "RoundRect <width> <height>" rounds the corners; "Rect" squares them again.
LRESULT ApplyRegion(const Context& context, uintptr_t redraw, const void* data) {
    HWND window = context.window;
    if (!::IsWindow(window) || !data) return 0;
    char text[101] = {};
    for (size_t i = 0; i < 100 && !::IsBadReadPtr(static_cast<const char*>(data) + i, 1); ++i) {
        text[i] = static_cast<const char*>(data)[i];
        if (!text[i]) break;
    }
    RECT r{};
    ::GetWindowRect(window, &r);
    int w = 0, h = 0;
    HRGN region = nullptr;
    if (std::sscanf(text, "RoundRect %d %d", &w, &h) == 2) {
        region = ::CreateRoundRectRgn(0, 0, r.right - r.left + 1, r.bottom - r.top + 1, w, h);
        if (!region) return 0;
    } else if (std::strncmp(text, "Rect", 4) != 0) {
        return 0;
    }
    // The window owns the region from here on.
    return ::SetWindowRgn(window, region, redraw != 0) ? 1 : 0;
}

}  // namespace

}  // namespace hookwnd

extern "C" LRESULT WINAPI CallHookWnd(uint32_t operation, uintptr_t contextHandle, uintptr_t argument, HWND window,
                                      const void* data) {
    using namespace hookwnd;
    if (operation == 1) return CreateContext();
    Context* context = Find(contextHandle);
    if (!context) return 0;
    switch (operation) {
    case 2: DestroyContext(context); return 1;
    case 3: return SkinWindow(*context, window, data);
    case 4: UnskinAll(*context); return 1;
    case 9: return ReadNumber(*context, data);
    case 11: return ReadData(*context, data);
    case 12: return ApplyRegion(*context, argument, data);
    }
    return 0;
}
