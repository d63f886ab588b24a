// The companion resource library "Ostrivan.crl": loaded by plain name for the
// life of the window that needs it, and while loaded the source of dialog
// templates, strings and icons.
#pragma once

#include "base/ResourceSource.h"
#include "base/UniqueHandle.h"

namespace ostrivan {

// Frees one load of a library that a host instance held. The library is
// reference-counted: it stays the resource source while another instance of
// the process still has it loaded.
void FreeHeldResourceLibrary(UniqueModule library);

class ResourceLibrary {
public:
    static constexpr const char* kFileName = "Ostrivan.crl";

    ResourceLibrary() = default;
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // Loads the library and makes it the resource source. False when it is missing.
    [[nodiscard]] bool Load();
    HMODULE get() const { return module_.get(); }
    // Hands the loaded library to an owner that frees it later (a host instance).
    [[nodiscard]] HMODULE Detach();

private:
    UniqueModule module_;
    HMODULE previousSource_ = nullptr;
};

}  // namespace ostrivan
