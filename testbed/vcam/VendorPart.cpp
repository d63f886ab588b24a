#include "vcam/VendorPart.h"

#include "base/UniqueHandle.h"
#include "devices/TestBedRegistry.h"
#include "vcam/ControlRules.h"
#include "vcam/DeviceErrors.h"

#include <cstring>

namespace vcam {

using testbed::ControlGroup;
using testbed::ControlState;
using testbed::VirtualCameraSpec;

namespace {

constexpr size_t kHeaderSize = 28;
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

// The lock request must name itself in its instance data: the set, the id and the request kind.
bool LockHeaderIs(const void* instance, DWORD request) {
    return std::memcmp(instance, &kVendorSet, sizeof(kVendorSet)) == 0 && At(instance, 16) == kParentalLockId &&
           At(instance, 20) == request;
}

// The driver side keeps the parental password hash where the console reads it.
bool StorePasswordHash(DWORD hash) {
    ostrivan::UniqueKey key;
    if (::RegCreateKeyExA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey, 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return ::RegSetValueExA(key.get(), testbed::kPasswordHashValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hash),
                            sizeof(hash)) == ERROR_SUCCESS;
}

}  // namespace

HRESULT VendorPart::Check(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, const void* data,
                          DWORD dataSize, VirtualCameraSpec* config, ControlState* state) const {
    if (!::IsEqualGUID(set, kVendorSet)) return PropertySetUnsupported();
    if (!instance || !data) return E_POINTER;
    if (instanceSize < kVendorBufferSize || dataSize < kVendorBufferSize) {
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    }
    return bound_->Reach(ControlGroup::Vendor, static_cast<LONG>(id), config, state);
}

STDMETHODIMP VendorPart::Set(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize) {
    VirtualCameraSpec config;
    ControlState state;
    HRESULT hr = Check(set, id, instance, instanceSize, data, dataSize, &config, &state);
    if (FAILED(hr)) return hr;
    const int camera = bound_->camera;
    const LONG property = static_cast<LONG>(id);
    testbed::CountSetCall(camera, ControlGroup::Vendor, property);
    testbed::StoreLastBuffer(camera, property, data, kVendorBufferSize);
    if (state.failures & testbed::kFailSet) return E_FAIL;

    LONG value = static_cast<LONG>(At(data, kValueOffset));
    if (id != kParentalLockId) {
        if (FAILED(hr = TakeValue(config.behaviour, state, &value))) return hr;
        return testbed::StoreControlValue(camera, ControlGroup::Vendor, property, value, 0) ? S_OK : E_FAIL;
    }
    if (!LockHeaderIs(instance, kRequestSet)) return E_INVALIDARG;
    switch (value) {
        case 0:
        case 1: return testbed::StoreControlValue(camera, ControlGroup::Vendor, property, value, 0) ? S_OK : E_FAIL;
        case 2: return S_OK;
        case 3:
            if (state.failures & testbed::kFailKeepHash) return E_FAIL;
            return StorePasswordHash(At(data, kDataOffset)) ? S_OK : E_FAIL;
        default: return E_INVALIDARG;
    }
}

STDMETHODIMP VendorPart::Get(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize,
                             DWORD* returned) {
    VirtualCameraSpec config;
    ControlState state;
    HRESULT hr = Check(set, id, instance, instanceSize, data, dataSize, &config, &state);
    if (FAILED(hr)) return hr;
    if (!returned) return E_POINTER;
    if (state.failures & testbed::kFailGet) return E_FAIL;
    if (id == kParentalLockId && !LockHeaderIs(instance, kRequestGet)) return E_INVALIDARG;
    // The whole reply is written; instance and data may be the same buffer.
    BYTE reply[kVendorBufferSize] = {};
    std::memcpy(reply, instance, kHeaderSize);
    Put(reply, kValueOffset, static_cast<DWORD>(state.value));
    std::memcpy(data, reply, sizeof(reply));
    *returned = kVendorBufferSize;
    return S_OK;
}

STDMETHODIMP VendorPart::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
    if (!support) return E_POINTER;
    bound_->AnswerLate();
    if (!::IsEqualGUID(set, kVendorSet)) return PropertySetUnsupported();
    ControlState state;
    if (!testbed::ReadControl(bound_->camera, ControlGroup::Vendor, static_cast<LONG>(id), &state)) {
        return PropertyIdUnsupported();
    }
    *support = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
    return S_OK;
}

}  // namespace vcam
