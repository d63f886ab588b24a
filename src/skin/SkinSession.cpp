#include "skin/SkinSession.h"

#include "base/BoundedText.h"
#include "base/ModuleFunctions.h"

#include <cstring>

namespace ostrivan {

SkinSession::~SkinSession() { Close(); }

LRESULT SkinSession::Open(HWND window, const SkinDescriptor& descriptor, const char* folder) {
    return OpenWith(window, &descriptor, folder);
}

LRESULT SkinSession::Open(HWND window, const SkinDescriptorWithIds& descriptor, const char* folder) {
    return OpenWith(window, &descriptor, folder);
}

LRESULT SkinSession::OpenWith(HWND window, const void* descriptor, const char* folder) {
    Close();
    if (folder && *folder) {
        char path[MAX_PATH];
        size_t length = CopyText(path, folder);
        if (length > 0 && path[length - 1] == '\\') path[--length] = '\0';
        // A folder too long for the whole path is skipped, never cut short.
        if (std::strlen(folder) < sizeof(path) && length + 1 + std::strlen(kLibraryName) < sizeof(path)) {
            path[length] = '\\';
            CopyText(path + length + 1, sizeof(path) - length - 1, kLibraryName);
            module_.reset(::LoadLibraryA(path));
        }
    }
    if (!module_) module_.reset(::LoadLibraryA(kLibraryName));
    if (!module_) return 0;
    entry_ = LookUpFunction<CallHookWndFn>(module_.get(), "CallHookWnd");
    if (!entry_) return 0;
    context_ = static_cast<uintptr_t>(entry_(kCreateSkinContext, 0, 0, nullptr, nullptr));
    if (!context_) return 0;
    return entry_(kSkinWindow, context_, 0, window, descriptor);
}

LRESULT SkinSession::Close() {
    LRESULT result = 0;
    if (!module_) return result;
    if (entry_ && context_) {
        result = entry_(kUnskinWindows, context_, 0, nullptr, nullptr);
        entry_(kDestroySkinContext, context_, 0, nullptr, nullptr);
    }
    context_ = 0;
    module_.reset();
    entry_ = nullptr;
    return result;
}

LRESULT SkinSession::Call(uint32_t operation, uintptr_t argument, HWND window, const void* data) {
    if (!module_ || !entry_ || !context_) return 0;
    return entry_(operation, context_, argument, window, data);
}

LRESULT SkinSession::ReadSkinNumber(const char* section, const char* key, int32_t defaultValue) {
    SkinNumberQuery query{section, key, 0, defaultValue};
    return Call(kReadSkinNumber, 0, nullptr, &query);
}

LRESULT SkinSession::ReadSkinData(const char* section, const char* key, void* buffer, uint32_t capacity) {
    SkinDataQuery query{section, key, buffer, capacity};
    return Call(kReadSkinData, 0, nullptr, &query);
}

LRESULT SkinSession::ApplySkinRegion(uint32_t flag, const void* regionData) {
    return Call(kApplySkinRegion, flag, nullptr, regionData);
}

}  // namespace ostrivan
