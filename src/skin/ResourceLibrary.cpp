#include "skin/ResourceLibrary.h"

#include <atomic>

namespace ostrivan {

namespace {
std::atomic<HMODULE> g_resourceSource{nullptr};
}

HMODULE ResourceSource() { return g_resourceSource.load(); }
void SetResourceSource(HMODULE module) { g_resourceSource.store(module); }

void FreeHeldResourceLibrary(HMODULE module) {
    if (!module) return;
    ::FreeLibrary(module);
    HMODULE stillLoaded = nullptr;
    bool loaded = ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                       reinterpret_cast<LPCSTR>(module), &stillLoaded) &&
                  stillLoaded == module;
    if (!loaded && ResourceSource() == module) SetResourceSource(nullptr);
}

std::string LoadResourceString(UINT id) {
    HMODULE source = ResourceSource();
    if (!source) return {};
    char text[1024];
    int length = ::LoadStringA(source, id, text, sizeof(text));
    return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
}

ResourceLibrary::~ResourceLibrary() {
    if (module_ && ResourceSource() == module_.get()) SetResourceSource(previousSource_);
}

bool ResourceLibrary::Load() {
    module_.reset(::LoadLibraryA(kFileName));
    if (!module_) return false;
    previousSource_ = ResourceSource();
    SetResourceSource(module_.get());
    return true;
}

HMODULE ResourceLibrary::Detach() { return module_.release(); }

}  // namespace ostrivan
