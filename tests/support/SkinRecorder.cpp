#include "support/SkinRecorder.h"

#include "base/ModuleFunctions.h"
#include "support/TestBedFixture.h"

#include <cstring>
#include <utility>

namespace testsupport {

std::string WithRecordSizes(std::string line) {
#if defined(_WIN64)
    static const std::pair<const char*, const char*> kSizes[] = {
        {"size=40 ", "size=64 "}, {"outer=52 ", "outer=88 "}, {"[12:", "[16:"}, {":28:2:", ":32:2:"}};
    for (const auto& [x86, x64] : kSizes) {
        for (size_t at = line.find(x86); at != std::string::npos; at = line.find(x86, at + std::strlen(x64))) {
            line.replace(at, std::strlen(x86), x64);
        }
    }
#endif
    return line;
}


std::string SkinRecorder::Folder() { return ProgramFolder() + "skinrecorder\\"; }

SkinRecorder::SkinRecorder(const std::string& folder)
    : module_(::LoadLibraryA((folder.empty() ? std::string("HookWnd.DLL") : folder + "HookWnd.DLL").c_str())) {}

SkinRecorder::~SkinRecorder() {
    if (module_) ::FreeLibrary(module_);
}

void SkinRecorder::Reset() {
    if (auto reset = ostrivan::LookUpFunction<void (*)()>(module_, "RecorderReset")) reset();
}

void SkinRecorder::SetNextContext(uintptr_t context) {
    if (auto set = ostrivan::LookUpFunction<void (*)(uintptr_t)>(module_, "RecorderSetNextContext")) set(context);
}

void SkinRecorder::SetSkinResult(int result) {
    if (auto set = ostrivan::LookUpFunction<void (*)(int)>(module_, "RecorderSetSkinResult")) set(result);
}

void SkinRecorder::SetUnskinResult(int result) {
    if (auto set = ostrivan::LookUpFunction<void (*)(int)>(module_, "RecorderSetUnskinResult")) set(result);
}

void SkinRecorder::SetNumber(const char* section, const char* key, int value) {
    if (auto set = ostrivan::LookUpFunction<void (*)(const char*, const char*, int)>(module_, "RecorderSetNumber"))
        set(section, key, value);
}

void SkinRecorder::SetData(const char* section, const char* key, const char* text) {
    if (auto set =
            ostrivan::LookUpFunction<void (*)(const char*, const char*, const char*)>(module_, "RecorderSetData"))
        set(section, key, text);
}

std::vector<std::string> SkinRecorder::Lines(bool withFrames) const {
    std::vector<std::string> lines;
    auto line = ostrivan::LookUpFunction<int (*)(int, int, char*, int)>(module_, "RecorderLine");
    char buffer[1024];
    for (int i = 0; line && line(i, withFrames ? 1 : 0, buffer, sizeof(buffer)); ++i) lines.emplace_back(buffer);
    return lines;
}

std::vector<std::string> SkinRecorder::LinesStarting(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& l : Lines())
        if (l.compare(0, prefix.size(), prefix) == 0) found.push_back(l);
    return found;
}

std::string SkinRecorder::Log() const {
    std::string log;
    for (const std::string& l : Lines(true)) log += l + "\n";
    return log;
}

}  // namespace testsupport
