#include "skin/ResourceLibrary.h"

namespace ostrivan {

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
