// The kernel-streaming property set interface of the virtual camera: it
// answers the camera-private set the way the camera's driver side does.
//
// Every request carries a 36-byte buffer as instance data and property
// data, the 32-bit value at byte 28; shorter buffers fail. Property 259
// (power-line frequency, 1 off, 2 50 Hz, 3 60 Hz) keeps the value. Property
// 2053 (parental lock) wants the set's GUID, the id and the request flags
// (1 get, 2 set) at bytes 0 to 23 of the instance data; Get reports the lock
// state, Set takes 0 (off), 1 (on), 2 (keep) and 3 (store the hash at bytes
// 32 to 35 in the password value the console reads). Get writes the whole
// 36-byte reply (the request's header, the value, zeros) and needs the
// returned-size out-value. Every Set that reaches the camera is counted and
// its buffer kept for tests; a strict camera refuses a 259 value outside
// its range.
#pragma once

#include "vcam/BoundCamera.h"

#include <dshow.h>

namespace vcam {

constexpr GUID kVendorSet = {0xCCA349DA, 0x4FE2, 0x423A, {0xAA, 0x50, 0xE6, 0xF3, 0x52, 0x57, 0x5C, 0xBC}};
constexpr DWORD kPowerLineId = 259;
constexpr DWORD kParentalLockId = 2053;
constexpr DWORD kVendorBufferSize = 36;

class VendorPart : public IKsPropertySet {
public:
    VendorPart(IUnknown* owner, const BoundCamera* bound) : owner_(owner), bound_(bound) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override { return owner_->QueryInterface(iid, object); }
    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }

    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

private:
    HRESULT Check(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, const void* data,
                  DWORD dataSize, testbed::VirtualCameraSpec* config, testbed::ControlState* state) const;

    IUnknown* owner_;
    const BoundCamera* bound_;
};

}  // namespace vcam
