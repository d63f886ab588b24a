#include "base/ModuleState.h"

namespace ostrivan {

namespace {
HINSTANCE g_module = nullptr;
}

HINSTANCE ModuleInstance() { return g_module; }

void SetModuleInstance(HINSTANCE module) { g_module = module; }

}  // namespace ostrivan
