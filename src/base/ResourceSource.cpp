#include "base/ResourceSource.h"

#include <atomic>

namespace ostrivan {

namespace {
std::atomic<HMODULE> g_resourceSource{nullptr};
}

HMODULE ResourceSource() { return g_resourceSource.load(); }
void SetResourceSource(HMODULE module) { g_resourceSource.store(module); }

std::string LoadResourceString(UINT id) {
    HMODULE source = ResourceSource();
    if (!source) return {};
    char text[1024];
    int length = ::LoadStringA(source, id, text, sizeof(text));
    return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
}

}  // namespace ostrivan
