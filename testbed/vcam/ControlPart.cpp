#include "vcam/ControlPart.h"

#include "vcam/DeviceErrors.h"

namespace vcam {

using testbed::ControlGroup;
using testbed::ControlState;

namespace {

// Reads the property for a call, or says why the call cannot be served.
HRESULT Lookup(int camera, ControlGroup group, LONG id, ControlState* state) {
    if (!testbed::IsCameraPlugged(camera)) return NotConnected();
    if (!testbed::ReadControl(camera, group, id, state)) return PropertyIdUnsupported();
    return S_OK;
}

}  // namespace

HRESULT ControlRange(int camera, ControlGroup group, LONG id, LONG* minimum, LONG* maximum, LONG* step,
                     LONG* defaultValue, LONG* capabilities) {
    if (!minimum || !maximum || !step || !defaultValue || !capabilities) return E_POINTER;
    ControlState state;
    HRESULT hr = Lookup(camera, group, id, &state);
    if (FAILED(hr)) return hr;
    if (state.failures & testbed::kFailRange) return E_FAIL;
    *minimum = state.minimum;
    *maximum = state.maximum;
    *step = state.step;
    *defaultValue = state.defaultValue;
    *capabilities = state.capabilities;
    return S_OK;
}

HRESULT ControlGet(int camera, ControlGroup group, LONG id, LONG* value, LONG* flags) {
    if (!value || !flags) return E_POINTER;
    ControlState state;
    HRESULT hr = Lookup(camera, group, id, &state);
    if (FAILED(hr)) return hr;
    if (state.failures & testbed::kFailGet) return E_FAIL;
    *value = state.value;
    *flags = state.flags;
    return S_OK;
}

HRESULT ControlSet(int camera, ControlGroup group, LONG id, LONG value, LONG flags) {
    ControlState state;
    HRESULT hr = Lookup(camera, group, id, &state);
    if (FAILED(hr)) return hr;
    testbed::CountSetCall(camera, group, id);
    if (state.failures & testbed::kFailSet) return E_FAIL;
    return testbed::StoreControlValue(camera, group, id, value, flags) ? S_OK : E_FAIL;
}

}  // namespace vcam
