// A skinning library for the info panel tests only: it answers
// ReadSkinNumber and ReadSkinData from a table the test fills, records every
// call as a line of text, and skins (or refuses) windows as the test says.
// Built as "HookWnd.DLL" into the test program's own folder.
#include "skin/SkinDescriptor.h"

#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

using ostrivan::SkinDataQuery;
using ostrivan::SkinDescriptor;
using ostrivan::SkinDescriptorWithIds;
using ostrivan::SkinNumberQuery;

namespace {

std::map<std::pair<std::string, std::string>, int> g_numbers;
std::map<std::pair<std::string, std::string>, std::string> g_data;
std::vector<std::string> g_log;
LRESULT g_skinResult = 1;
uintptr_t g_nextContext = 0x100;

std::string Text(const char* text) { return text ? text : "(null)"; }

void Log(const std::string& line) { g_log.push_back(line); }

std::string Describe(const SkinDescriptor* descriptor) {
    char line[512];
    std::snprintf(line, sizeof(line), "size=%u kind=%u image=%s bundle=%s reserved=%u,%u,%u,%u controls=%u",
                  descriptor->size, descriptor->windowKind, Text(descriptor->imageName).c_str(),
                  Text(descriptor->bundlePath).c_str(), descriptor->reserved[0], descriptor->reserved[1],
                  descriptor->reserved[2], descriptor->reserved[3], descriptor->controlCount);
    std::string entry = line;
    for (uint32_t i = 0; i < descriptor->controlCount && descriptor->controls; ++i) {
        const auto& control = descriptor->controls[i];
        std::snprintf(line, sizeof(line), " [%u:%u:%u:%u:%s]", control.size, control.controlId,
                      control.skin ? control.skin->size : 0, control.skin ? control.skin->kind : 0,
                      control.skin ? Text(control.skin->imageName).c_str() : "-");
        entry += line;
    }
    return entry;
}

// The descriptor's first word tells the plain 40-byte form from the 52-byte
// one that wraps it with a list of control ids.
LRESULT SkinWindow(HWND window, const void* data) {
    if (!data || !::IsWindow(window)) return 0;
    const auto* descriptor = static_cast<const SkinDescriptor*>(data);
    if (descriptor->size != sizeof(SkinDescriptorWithIds)) {
        Log("skin " + Describe(descriptor));
        return g_skinResult;
    }
    const auto* extended = static_cast<const SkinDescriptorWithIds*>(data);
    std::string entry = "skin ids=" + std::to_string(extended->idCount);
    for (uint32_t i = 0; i < extended->idCount && extended->ids; ++i) entry += ":" + std::to_string(extended->ids[i]);
    Log(entry + " around " + Describe(&extended->descriptor));
    return g_skinResult;
}

LRESULT ReadNumber(const SkinNumberQuery* query) {
    if (!query) return 0;
    Log("number " + Text(query->section) + " " + Text(query->key) + " " + std::to_string(query->defaultValue));
    auto found = g_numbers.find({Text(query->section), Text(query->key)});
    return found == g_numbers.end() ? query->defaultValue : found->second;
}

LRESULT ReadData(const SkinDataQuery* query) {
    if (!query) return 0;
    Log("data " + Text(query->section) + " " + Text(query->key) + " " + std::to_string(query->capacity));
    auto found = g_data.find({Text(query->section), Text(query->key)});
    if (found == g_data.end() || !query->buffer) return 0;
    size_t length = std::min<size_t>(found->second.size(), query->capacity);
    std::memcpy(query->buffer, found->second.data(), length);
    return static_cast<LRESULT>(length);
}

}  // namespace

extern "C" LRESULT WINAPI CallHookWnd(uint32_t operation, uintptr_t context, uintptr_t argument, HWND window,
                                      const void* data) {
    switch (operation) {
    case 1: Log("create"); return static_cast<LRESULT>(g_nextContext++);
    case 2: Log("destroy " + std::to_string(context)); return 1;
    case 3: return SkinWindow(window, data);
    case 4: Log("unskin " + std::to_string(context)); return 1;
    case 9: return ReadNumber(static_cast<const SkinNumberQuery*>(data));
    case 11: return ReadData(static_cast<const SkinDataQuery*>(data));
    case 12: {
        char region[101] = {};
        if (data) std::memcpy(region, data, 100);
        Log("region " + std::to_string(argument) + " " + region);
        return 1;
    }
    default: Log("operation " + std::to_string(operation)); return 0;
    }
}

// Control of the probe, for the test program.
extern "C" void ProbeReset() {
    g_numbers.clear();
    g_data.clear();
    g_log.clear();
    g_skinResult = 1;
}
extern "C" void ProbeSetNumber(const char* section, const char* key, int value) { g_numbers[{section, key}] = value; }
extern "C" void ProbeSetData(const char* section, const char* key, const char* text) {
    g_data[{section, key}] = std::string(text, std::strlen(text) + 1);
}
extern "C" void ProbeSetSkinResult(int result) { g_skinResult = result; }
// Copies line i of the log into buffer; false past the end.
extern "C" int ProbeLogLine(int index, char* buffer, int capacity) {
    if (index < 0 || index >= static_cast<int>(g_log.size()) || capacity <= 0) return 0;
    std::snprintf(buffer, static_cast<size_t>(capacity), "%s", g_log[index].c_str());
    return 1;
}
