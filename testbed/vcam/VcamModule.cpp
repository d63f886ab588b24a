// The virtual camera server's entry points. DllRegisterServer brings the
// registered video input devices in step with the plugged virtual cameras;
// DllUnregisterServer removes them all. VcamLiveObjects tells tests how many
// of the server's objects this process still holds.
#include "devices/VirtualCameraStore.h"
#include "vcam/ClassFactory.h"
#include "vcam/LiveObjects.h"
#include "vcam/Registration.h"

#include <new>

namespace {
HMODULE g_module = nullptr;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    int camera = 0;
    if (!testbed::VirtualCameraIndex(clsid, &camera)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) vcam::ClassFactory(camera);
    if (!factory) return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return vcam::LiveObjects() == 0 && vcam::ServerLocks() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer() { return vcam::RegisterPluggedCameras(g_module); }

extern "C" HRESULT WINAPI DllUnregisterServer() { return vcam::UnregisterAllCameras(); }

extern "C" LONG WINAPI VcamLiveObjects() { return vcam::LiveObjects(); }
