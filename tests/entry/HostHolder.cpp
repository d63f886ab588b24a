// Plays a host application: loads the module, holds a console instance
// until told to let go.  usage: host_holder <ready-event> <release-event>
#include "driving/HangLimit.h"
#include "support/HostBlocks.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    HMODULE module = ::LoadLibraryA("Ostrivan.dll");
    if (!module) return 3;
    using EntryPoint = uint32_t(__stdcall*)(void*, uint32_t, void*);
    auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(::GetProcAddress(module, "ksCVWEntryPoint")));
    if (!entry) return 4;
    testsupport::CreateBlock block("XC0730 Web Camera");
    if (entry(nullptr, 0x1403, block.bytes) != 0) return 5;
    void* instance = block.instance();

    HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = ::OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (ready) ::SetEvent(ready);
    if (release) ::WaitForSingleObject(release, driving::kHangLimitMs);
    uint32_t word = 0;
    entry(instance, 0x1404, &word);
    return 0;
}
