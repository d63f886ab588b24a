#include "client/BareCamera.h"

#include "devices/TextCodes.h"

#include <cstring>

namespace testbed {

using Microsoft::WRL::ComPtr;

namespace {

// {CCA349DA-4FE2-423A-AA50-E6F352575CBC}
constexpr GUID kPrivateSet = {0xCCA349DA, 0x4FE2, 0x423A, {0xAA, 0x50, 0xE6, 0xF3, 0x52, 0x57, 0x5C, 0xBC}};
constexpr size_t kValueOffset = 28;

bool NameIs(IMoniker* moniker, const std::wstring& name) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                                      reinterpret_cast<void**>(bag.GetAddressOf())))) {
        return false;
    }
    VARIANT friendly;
    ::VariantInit(&friendly);
    bool same = SUCCEEDED(bag->Read(L"FriendlyName", &friendly, nullptr)) && friendly.vt == VT_BSTR &&
                ::lstrcmpiW(friendly.bstrVal, name.c_str()) == 0;
    ::VariantClear(&friendly);
    return same;
}

}  // namespace

HRESULT BareCamera::Open(const std::string& name) {
    Close();
    ComPtr<ICreateDevEnum> devices;
    HRESULT hr = ::CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                    reinterpret_cast<void**>(devices.GetAddressOf()));
    if (FAILED(hr)) return hr;
    ComPtr<IEnumMoniker> monikers;
    hr = devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, monikers.GetAddressOf(), 0);
    if (hr != S_OK) return hr;
    const std::wstring wanted = Utf8ToWide(name);
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        if (!NameIs(moniker.Get(), wanted)) continue;
        hr = moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter_.GetAddressOf()));
        if (FAILED(hr)) return hr;
        // What the filter lacks stays empty; calls on it report E_NOINTERFACE.
        filter_.As(&cameraControl_);
        filter_.As(&procAmp_);
        filter_.As(&privateSet_);
        return S_OK;
    }
    return S_FALSE;
}

void BareCamera::Close() {
    privateSet_.Reset();
    procAmp_.Reset();
    cameraControl_.Reset();
    filter_.Reset();
}

// Both control interfaces have the same calls.
template <typename Call>
HRESULT BareCamera::WithControl(ControlGroup group, Call call) {
    if (!filter_) return E_UNEXPECTED;
    if (group == ControlGroup::CameraControl) return cameraControl_ ? call(cameraControl_.Get()) : E_NOINTERFACE;
    if (group == ControlGroup::ProcAmp) return procAmp_ ? call(procAmp_.Get()) : E_NOINTERFACE;
    return E_INVALIDARG;
}

HRESULT BareCamera::Range(ControlGroup group, LONG id, ControlState* range) {
    if (!range) return E_POINTER;
    LONG n[5] = {};
    HRESULT hr = WithControl(group, [&](auto* control) { return control->GetRange(id, &n[0], &n[1], &n[2], &n[3], &n[4]); });
    if (FAILED(hr)) return hr;
    range->minimum = n[0];
    range->maximum = n[1];
    range->step = n[2];
    range->defaultValue = n[3];
    range->capabilities = n[4];
    return hr;
}

HRESULT BareCamera::Get(ControlGroup group, LONG id, LONG* value, LONG* flags) {
    if (group != ControlGroup::Vendor) {
        return WithControl(group, [&](auto* control) { return control->Get(id, value, flags); });
    }
    if (flags) *flags = 0;
    return GetPrivate(static_cast<DWORD>(id), value);
}

HRESULT BareCamera::Set(ControlGroup group, LONG id, LONG value, LONG flags) {
    if (group != ControlGroup::Vendor) {
        return WithControl(group, [&](auto* control) { return control->Set(id, value, flags); });
    }
    return SetPrivate(static_cast<DWORD>(id), value);
}

HRESULT BareCamera::GetPrivate(DWORD id, LONG* value) {
    if (!value) return E_POINTER;
    if (!filter_) return E_UNEXPECTED;
    if (!privateSet_) return E_NOINTERFACE;
    BYTE buffer[kPrivateBufferSize] = {};
    DWORD returned = 0;
    HRESULT hr = privateSet_->Get(kPrivateSet, id, buffer, sizeof(buffer), buffer, sizeof(buffer), &returned);
    if (SUCCEEDED(hr)) std::memcpy(value, buffer + kValueOffset, sizeof(*value));
    return hr;
}

HRESULT BareCamera::SetPrivate(DWORD id, LONG value) {
    if (!filter_) return E_UNEXPECTED;
    if (!privateSet_) return E_NOINTERFACE;
    BYTE buffer[kPrivateBufferSize] = {};
    std::memcpy(buffer + kValueOffset, &value, sizeof(value));
    return privateSet_->Set(kPrivateSet, id, buffer, sizeof(buffer), buffer, sizeof(buffer));
}

}  // namespace testbed
