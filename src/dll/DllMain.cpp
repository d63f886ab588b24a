#include <windows.h>

namespace ostrivan {
void OnModuleLoad(HINSTANCE module);
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ::DisableThreadLibraryCalls(module);
        ostrivan::OnModuleLoad(module);
    }
    return TRUE;
}
