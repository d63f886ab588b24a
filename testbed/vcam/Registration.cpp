#include "vcam/Registration.h"

#include "base/UniqueHandle.h"
#include "devices/ComScope.h"
#include "devices/TextCodes.h"
#include "devices/VirtualCameraStore.h"

#include <dshow.h>
#include <wrl/client.h>

#include <algorithm>
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

// The other architecture's processes look in the other registry view. Our
// classes and filters are copied there as they stand in this one: both
// servers go by one path, which each architecture finds in its own system
// folder. Every key of the other view is named from the local machine's root
// with the view flag: in a 32-bit process a path opened below a key of the
// 64-bit view without it would be redirected again.
constexpr REGSAM kOtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

std::wstring ClassPath(const CLSID& clsid) { return L"CLSID\\" + GuidText(clsid); }
std::wstring FilterPath(const CLSID& clsid) {
    return L"CLSID\\" + GuidText(CLSID_VideoInputDeviceCategory) + L"\\Instance\\" + GuidText(clsid);
}
std::wstring OtherViewPath(const std::wstring& classesPath) { return L"Software\\Classes\\" + classesPath; }

// Subkeys first: a key is deleted with its view flag only once it has none.
void DeleteFromOtherView(const std::wstring& classesPath) {
    const std::wstring path = OtherViewPath(classesPath);
    std::vector<std::wstring> children;
    {
        UniqueKey key;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | kOtherView, key.put()) != ERROR_SUCCESS) {
            return;
        }
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (::RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            children.emplace_back(name, length);
        }
    }
    for (const std::wstring& child : children) DeleteFromOtherView(classesPath + L"\\" + child);
    ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), kOtherView, 0);
}

// This view's key (values and subkeys) written to the same place in the other.
void CopyIntoOtherView(const std::wstring& classesPath) {
    UniqueKey source;
    UniqueKey target;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, classesPath.c_str(), 0, KEY_READ, source.put()) != ERROR_SUCCESS) return;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, OtherViewPath(classesPath).c_str(), 0, nullptr, 0,
                          KEY_ALL_ACCESS | kOtherView, nullptr, target.put(), nullptr) != ERROR_SUCCESS) {
        return;
    }
    DWORD longestKey = 0, longestName = 0, largestData = 0;
    if (::RegQueryInfoKeyW(source.get(), nullptr, nullptr, nullptr, nullptr, &longestKey, nullptr, nullptr,
                           &longestName, &largestData, nullptr, nullptr) != ERROR_SUCCESS) {
        return;
    }
    std::vector<wchar_t> name(std::max(longestKey, longestName) + 1);
    std::vector<BYTE> data(largestData + 1);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (::RegEnumValueW(source.get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS) {
            break;
        }
        ::RegSetValueExW(target.get(), name.data(), 0, type, data.data(), size);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (::RegEnumKeyExW(source.get(), i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        CopyIntoOtherView(classesPath + L"\\" + name.data());
    }
}

void MirrorIntoOtherView() {
    for (int index : testbed::VirtualCameraIndexes()) {
        const CLSID clsid = testbed::VirtualCameraClsid(index);
        DeleteFromOtherView(FilterPath(clsid));
        DeleteFromOtherView(ClassPath(clsid));
        if (!testbed::IsCameraPlugged(index)) continue;
        CopyIntoOtherView(ClassPath(clsid));
        CopyIntoOtherView(FilterPath(clsid));
    }
}

// Every plugged camera as a class of the server and a video input filter.
HRESULT RegisterPlugged(IFilterMapper2* mapper, HMODULE server) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(server, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return SELFREG_E_CLASS;
    HRESULT result = S_OK;
    for (int index : testbed::VirtualCameraIndexes()) {
        testbed::VirtualCameraSpec config;
        if (!testbed::IsCameraPlugged(index) || !testbed::ReadVirtualCamera(index, &config)) continue;
        HRESULT hr = Register(mapper, testbed::VirtualCameraClsid(index), testbed::Utf8ToWide(config.description), path);
        if (FAILED(hr)) result = hr;
    }
    return result;
}

HRESULT Sync(HMODULE server, bool keepPlugged) {
    testbed::ComScope com;
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = ::CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                    reinterpret_cast<void**>(mapper.ReleaseAndGetAddressOf()));
    if (FAILED(hr)) return hr;
    for (const CLSID& clsid : RegisteredCameras()) Unregister(mapper.Get(), clsid);
    for (int index : testbed::VirtualCameraIndexes()) UnregisterClass(testbed::VirtualCameraClsid(index));
    HRESULT result = keepPlugged ? RegisterPlugged(mapper.Get(), server) : S_OK;
    MirrorIntoOtherView();
    return result;
}

}  // namespace

HRESULT RegisterPluggedCameras(HMODULE server) { return Sync(server, true); }
HRESULT UnregisterAllCameras() { return Sync(nullptr, false); }

}  // namespace vcam
