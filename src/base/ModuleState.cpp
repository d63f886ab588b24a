#include "base/ModuleState.h"

#include "skin/SkinMessages.h"

namespace ostrivan {

namespace {
HINSTANCE g_module = nullptr;
}

HINSTANCE ModuleInstance() { return g_module; }

void OnModuleLoad(HINSTANCE module) {
    g_module = module;
    RegisterSkinMessages();
}

}  // namespace ostrivan
