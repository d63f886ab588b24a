// The camera control and picture control interfaces of the virtual camera.
// Both have the same three calls; each answers from its own property group
// of the shared store, by the rules the camera's behaviour setting names
// (VirtualCameraStore.h). Identity and lifetime belong to the owning filter.
#pragma once

#include "vcam/BoundCamera.h"

#include <dshow.h>

namespace vcam {

HRESULT ControlRange(const BoundCamera& bound, testbed::ControlGroup group, LONG id, LONG* minimum, LONG* maximum,
                     LONG* step, LONG* defaultValue, LONG* capabilities);
HRESULT ControlGet(const BoundCamera& bound, testbed::ControlGroup group, LONG id, LONG* value, LONG* flags);
HRESULT ControlSet(const BoundCamera& bound, testbed::ControlGroup group, LONG id, LONG value, LONG flags);

template <typename Interface, testbed::ControlGroup Group>
class ControlPart : public Interface {
public:
    ControlPart(IUnknown* owner, const BoundCamera* bound) : owner_(owner), bound_(bound) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override { return owner_->QueryInterface(iid, object); }
    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }

    STDMETHODIMP GetRange(LONG id, LONG* minimum, LONG* maximum, LONG* step, LONG* defaultValue,
                          LONG* capabilities) override {
        return ControlRange(*bound_, Group, id, minimum, maximum, step, defaultValue, capabilities);
    }
    STDMETHODIMP Set(LONG id, LONG value, LONG flags) override { return ControlSet(*bound_, Group, id, value, flags); }
    STDMETHODIMP Get(LONG id, LONG* value, LONG* flags) override { return ControlGet(*bound_, Group, id, value, flags); }

private:
    IUnknown* owner_;
    const BoundCamera* bound_;
};

using CameraControlPart = ControlPart<IAMCameraControl, testbed::ControlGroup::CameraControl>;
using ProcAmpPart = ControlPart<IAMVideoProcAmp, testbed::ControlGroup::ProcAmp>;

}  // namespace vcam
