// The camera control and picture control interfaces of the virtual camera.
// Both have the same three calls; each answers from its own property group
// of the shared store. Identity and lifetime belong to the owning filter.
#pragma once

#include "devices/VirtualCameraStore.h"

#include <dshow.h>

namespace vcam {

HRESULT ControlRange(int camera, testbed::ControlGroup group, LONG id, LONG* minimum, LONG* maximum, LONG* step,
                     LONG* defaultValue, LONG* capabilities);
HRESULT ControlGet(int camera, testbed::ControlGroup group, LONG id, LONG* value, LONG* flags);
HRESULT ControlSet(int camera, testbed::ControlGroup group, LONG id, LONG value, LONG flags);

template <typename Interface, testbed::ControlGroup Group>
class ControlPart : public Interface {
public:
    ControlPart(IUnknown* owner, int camera) : owner_(owner), camera_(camera) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override { return owner_->QueryInterface(iid, object); }
    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }

    STDMETHODIMP GetRange(LONG id, LONG* minimum, LONG* maximum, LONG* step, LONG* defaultValue,
                          LONG* capabilities) override {
        return ControlRange(camera_, Group, id, minimum, maximum, step, defaultValue, capabilities);
    }
    STDMETHODIMP Set(LONG id, LONG value, LONG flags) override { return ControlSet(camera_, Group, id, value, flags); }
    STDMETHODIMP Get(LONG id, LONG* value, LONG* flags) override { return ControlGet(camera_, Group, id, value, flags); }

private:
    IUnknown* owner_;
    int camera_;
};

using CameraControlPart = ControlPart<IAMCameraControl, testbed::ControlGroup::CameraControl>;
using ProcAmpPart = ControlPart<IAMVideoProcAmp, testbed::ControlGroup::ProcAmp>;

}  // namespace vcam
