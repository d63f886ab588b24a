#include "vcam/VendorPart.h"

#include "base/UniqueHandle.h"
#include "devices/TestBedRegistry.h"
#include "devices/VirtualCameraStore.h"
#include "vcam/DeviceErrors.h"

#include <cstring>

namespace vcam {

using testbed::ControlGroup;
using testbed::ControlState;

namespace {

constexpr size_t kValueOffset = 28;
constexpr size_t kDataOffset = 32;
constexpr DWORD kRequestGet = 1;
constexpr DWORD kRequestSet = 2;

DWORD At(const void* buffer, size_t offset) {
    DWORD value = 0;
    std::memcpy(&value, static_cast<const BYTE*>(buffer) + offset, sizeof(value));
    return value;
}

void Put(void* buffer, size_t offset, DWORD value) {
    std::memcpy(static_cast<BYTE*>(buffer) + offset, &value, sizeof(value));
}

// The lock request must name itself: the set, the id and the request kind.
bool LockHeaderIs(const void* buffer, DWORD request) {
    return std::memcmp(buffer, &kVendorSet, sizeof(kVendorSet)) == 0 && At(buffer, 16) == kParentalLockId &&
           At(buffer, 20) == request;
}

// The driver side keeps the parental password hash where the console reads it.
bool StorePasswordHash(DWORD hash) {
    ostrivan::UniqueKey key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, testbed::kDriverConsoleKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return ::RegSetValueExA(key.get(), testbed::kPasswordHashValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hash),
                            sizeof(hash)) == ERROR_SUCCESS;
}

}  // namespace

HRESULT VendorPart::Check(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, const void* data,
                          DWORD dataSize) const {
    if (!::IsEqualGUID(set, kVendorSet)) return PropertySetUnsupported();
    if (!instance || !data || instanceSize != kVendorBufferSize || dataSize != kVendorBufferSize) return E_INVALIDARG;
    if (!testbed::IsCameraPlugged(camera_)) return NotConnected();
    ControlState state;
    if (!testbed::ReadControl(camera_, ControlGroup::Vendor, static_cast<LONG>(id), &state)) {
        return PropertyIdUnsupported();
    }
    return S_OK;
}

STDMETHODIMP VendorPart::Set(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize) {
    HRESULT hr = Check(set, id, instance, instanceSize, data, dataSize);
    if (FAILED(hr)) return hr;
    LONG property = static_cast<LONG>(id);
    testbed::CountSetCall(camera_, ControlGroup::Vendor, property);
    testbed::StoreLastBuffer(camera_, property, data, dataSize);
    ControlState state;
    testbed::ReadControl(camera_, ControlGroup::Vendor, property, &state);
    if (state.failures & testbed::kFailSet) return E_FAIL;

    DWORD value = At(data, kValueOffset);
    if (id != kParentalLockId) {
        return testbed::StoreControlValue(camera_, ControlGroup::Vendor, property, static_cast<LONG>(value), 0)
                   ? S_OK
                   : E_FAIL;
    }
    if (!LockHeaderIs(data, kRequestSet)) return E_INVALIDARG;
    switch (value) {
        case 0:
        case 1: return testbed::StoreControlValue(camera_, ControlGroup::Vendor, property, value, 0) ? S_OK : E_FAIL;
        case 2: return S_OK;
        case 3: return StorePasswordHash(At(data, kDataOffset)) ? S_OK : E_FAIL;
        default: return E_INVALIDARG;
    }
}

STDMETHODIMP VendorPart::Get(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize,
                             DWORD* returned) {
    HRESULT hr = Check(set, id, instance, instanceSize, data, dataSize);
    if (FAILED(hr)) return hr;
    ControlState state;
    testbed::ReadControl(camera_, ControlGroup::Vendor, static_cast<LONG>(id), &state);
    if (state.failures & testbed::kFailGet) return E_FAIL;
    if (id == kParentalLockId && !LockHeaderIs(data, kRequestGet)) return E_INVALIDARG;
    Put(data, kValueOffset, static_cast<DWORD>(state.value));
    if (returned) *returned = kVendorBufferSize;
    return S_OK;
}

STDMETHODIMP VendorPart::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
    if (!support) return E_POINTER;
    if (!::IsEqualGUID(set, kVendorSet)) return PropertySetUnsupported();
    ControlState state;
    if (!testbed::ReadControl(camera_, ControlGroup::Vendor, static_cast<LONG>(id), &state)) {
        return PropertyIdUnsupported();
    }
    *support = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
    return S_OK;
}

}  // namespace vcam
