// SkinSession: one window's connection to the skinning library "HookWnd.DLL"
// through its single export CallHookWnd(operation, context, argument, window,
// data).
//
// Error rule: Open returns the library's SkinWindow result, 0 when the library
// is missing, lacks CallHookWnd or refuses a context or the window; the window
// then simply stays unskinned. The wrappers return 0 without calling when the
// session has no library, entry or context.
#pragma once

#include "base/UniqueHandle.h"
#include "skin/SkinDescriptor.h"

#include <windows.h>

#include <cstdint>

namespace ostrivan {

class SkinSession {
public:
    using CallHookWndFn = LRESULT(WINAPI*)(uint32_t operation, uintptr_t context, uintptr_t argument, HWND window,
                                           const void* data);
    enum Operation : uint32_t {
        kCreateSkinContext = 1,
        kDestroySkinContext = 2,
        kSkinWindow = 3,
        kUnskinWindows = 4,
        kReadSkinNumber = 9,
        kReadSkinData = 11,
        kApplySkinRegion = 12,
    };
    static constexpr const char* kLibraryName = "HookWnd.DLL";

    SkinSession() = default;
    virtual ~SkinSession();
    SkinSession(const SkinSession&) = delete;
    SkinSession& operator=(const SkinSession&) = delete;

    // Loads the library from folder (or by plain name), creates a context and
    // skins the window. Closes an earlier session first.
    LRESULT Open(HWND window, const SkinDescriptor& descriptor, const char* folder);
    LRESULT Open(HWND window, const SkinDescriptorWithIds& descriptor, const char* folder);
    // Unskins, destroys the context and frees the library; returns the
    // result of UnskinWindows (0 when it was not called).
    LRESULT Close();

    // The key's number, or defaultValue when the bundle has none.
    LRESULT ReadSkinNumber(const char* section, const char* key, int32_t defaultValue);
    // Fills buffer with at most capacity bytes of the key's text or data.
    LRESULT ReadSkinData(const char* section, const char* key, void* buffer, uint32_t capacity);
    // Shapes the skinned window with region bytes read by ReadSkinData.
    LRESULT ApplySkinRegion(uint32_t flag, const void* regionData);

    bool IsOpen() const { return context_ != 0; }

private:
    LRESULT OpenWith(HWND window, const void* descriptor, const char* folder);
    LRESULT Call(uint32_t operation, uintptr_t argument, HWND window, const void* data);

    uintptr_t context_ = 0;
    UniqueModule module_;
    CallHookWndFn entry_ = nullptr;
};

}  // namespace ostrivan
