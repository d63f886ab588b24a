#include "support/ImportPatch.h"

#include <cstring>

namespace testsupport {

namespace {

std::vector<void**> ImportSlots(const char* library, const char* function) {
    std::vector<void**> slots;
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return slots;
    // A library may have more than one descriptor (one per import library linked).
    for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        if (::lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), library) != 0) continue;
        const DWORD namesAt = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesAt);
        auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                slots.push_back(reinterpret_cast<void**>(&addresses->u1.Function));
            }
        }
    }
    return slots;
}

void Write(void** slot, void* value) {
    DWORD protection = 0;
    if (!::VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection)) return;
    ::InterlockedExchangePointer(slot, value);
    ::VirtualProtect(slot, sizeof(*slot), protection, &protection);
}

}  // namespace

ImportPatch::ImportPatch(const char* library, const char* function, void* replacement, void** original)
    : slots_(ImportSlots(library, function)) {
    if (!slots_.empty()) original_ = *slots_.front();
    if (original) *original = original_;
    for (void** slot : slots_) Write(slot, replacement);
}

ImportPatch::~ImportPatch() {
    for (void** slot : slots_) Write(slot, original_);
}

}  // namespace testsupport
