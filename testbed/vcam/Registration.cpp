#include "vcam/Registration.h"

#include "base/UniqueHandle.h"
#include "devices/ComScope.h"
#include "devices/TextCodes.h"
#include "devices/VirtualCameraStore.h"

#include <dshow.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace vcam {

using Microsoft::WRL::ComPtr;
using ostrivan::UniqueKey;

namespace {

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

bool SetText(HKEY key, const wchar_t* name, const std::wstring& text) {
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// HKCR\CLSID\{clsid}\InprocServer32 naming this module, usable from any apartment.
bool RegisterClass(const CLSID& clsid, const std::wstring& serverPath) {
    std::wstring path = L"CLSID\\" + GuidText(clsid) + L"\\InprocServer32";
    UniqueKey key;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return SetText(key.get(), nullptr, serverPath) && SetText(key.get(), L"ThreadingModel", L"Both");
}

void UnregisterClass(const CLSID& clsid) {
    std::wstring path = L"CLSID\\" + GuidText(clsid);
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
}

// Our filters among the video input devices, found by their class ids.
std::vector<CLSID> RegisteredCameras() {
    std::vector<CLSID> found;
    std::wstring path = L"CLSID\\" + GuidText(CLSID_VideoInputDeviceCategory) + L"\\Instance";
    UniqueKey key;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, key.put()) != ERROR_SUCCESS) {
        return found;
    }
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        CLSID clsid;
        if (SUCCEEDED(::CLSIDFromString(name, &clsid)) && testbed::VirtualCameraIndex(clsid, nullptr)) {
            found.push_back(clsid);
        }
    }
    return found;
}

void Unregister(IFilterMapper2* mapper, const CLSID& clsid) {
    mapper->UnregisterFilter(&CLSID_VideoInputDeviceCategory, GuidText(clsid).c_str(), clsid);
    UnregisterClass(clsid);
}

HRESULT Register(IFilterMapper2* mapper, const CLSID& clsid, const std::wstring& name, const std::wstring& server) {
    if (!RegisterClass(clsid, server)) return SELFREG_E_CLASS;
    REGFILTER2 filter{};
    filter.dwVersion = 1;
    filter.dwMerit = MERIT_DO_NOT_USE;
    return mapper->RegisterFilter(clsid, name.c_str(), nullptr, &CLSID_VideoInputDeviceCategory,
                                  GuidText(clsid).c_str(), &filter);
}

HRESULT Sync(HMODULE server, bool keepPlugged) {
    testbed::ComScope com;
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = ::CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                    reinterpret_cast<void**>(mapper.ReleaseAndGetAddressOf()));
    if (FAILED(hr)) return hr;
    for (const CLSID& clsid : RegisteredCameras()) Unregister(mapper.Get(), clsid);
    for (int index : testbed::VirtualCameraIndexes()) UnregisterClass(testbed::VirtualCameraClsid(index));
    if (!keepPlugged) return S_OK;

    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(server, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return SELFREG_E_CLASS;
    HRESULT result = S_OK;
    for (int index : testbed::VirtualCameraIndexes()) {
        testbed::VirtualCameraSpec config;
        if (!testbed::IsCameraPlugged(index) || !testbed::ReadVirtualCamera(index, &config)) continue;
        hr = Register(mapper.Get(), testbed::VirtualCameraClsid(index), testbed::Utf8ToWide(config.description), path);
        if (FAILED(hr)) result = hr;
    }
    return result;
}

}  // namespace

HRESULT RegisterPluggedCameras(HMODULE server) { return Sync(server, true); }
HRESULT UnregisterAllCameras() { return Sync(nullptr, false); }

}  // namespace vcam
