// The tests' recording skinning library (support/skinrecorder), loaded and
// driven from a test program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The module's own system folder as its windows name it (the skin bundle
// lies there): the 32-bit one for the x86 module.
#if defined(_WIN64)
constexpr char kModuleSystemFolder[] = "C:\\windows\\system32";
#else
constexpr char kModuleSystemFolder[] = "C:\\windows\\syswow64";
#endif

// Expected recorder lines are written with the x86 record sizes (descriptor
// 40, the wrapper with ids 52, control entry 12, control skin 28); this gives
// the line with this architecture's sizes (x64: 64, 88, 16, 32).
std::string WithRecordSizes(std::string line);

class SkinRecorder {
public:
    // The folder the recorder is built into, beside the test programs that
    // let the module find it by plain name.
    static std::string Folder();

    // Loads "HookWnd.DLL" by plain name (the copy beside this program), or
    // from folder when one is given.
    explicit SkinRecorder(const std::string& folder = "");
    ~SkinRecorder();
    SkinRecorder(const SkinRecorder&) = delete;
    SkinRecorder& operator=(const SkinRecorder&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    // Forgets every call and answer: contexts from 0x100, results 1.
    void Reset();
    void SetNextContext(uintptr_t context);
    void SetSkinResult(int result);
    void SetUnskinResult(int result);
    void SetNumber(const char* section, const char* key, int value);
    void SetData(const char* section, const char* key, const char* text);

    // One line per call; with frames, each starts "op=.. ctx=.. arg=.. win=W|0 | ".
    std::vector<std::string> Lines(bool withFrames = false) const;
    // Lines (without frames) that begin with prefix.
    std::vector<std::string> LinesStarting(const std::string& prefix) const;
    // Every line with its frame, each ended by a newline.
    std::string Log() const;

private:
    HMODULE module_ = nullptr;
};

}  // namespace testsupport
