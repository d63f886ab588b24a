#include "skin/ResourceLibrary.h"

namespace ostrivan {

void FreeHeldResourceLibrary(UniqueModule library) {
    HMODULE module = library.get();
    if (!module) return;
    library.reset();
    HMODULE stillLoaded = nullptr;
    bool loaded = ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                       reinterpret_cast<LPCSTR>(module), &stillLoaded) &&
                  stillLoaded == module;
    if (!loaded && ResourceSource() == module) SetResourceSource(nullptr);
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
