#include "vcam/ControlPart.h"

#include "vcam/ControlRules.h"

namespace vcam {

using testbed::ControlGroup;
using testbed::ControlState;
using testbed::VirtualCameraSpec;

namespace {

constexpr LONG kAutomatic = 1;
constexpr LONG kManual = 2;

}  // namespace

HRESULT ControlRange(const BoundCamera& bound, ControlGroup group, LONG id, LONG* minimum, LONG* maximum, LONG* step,
                     LONG* defaultValue, LONG* capabilities) {
    if (!minimum || !maximum || !step || !defaultValue || !capabilities) return E_POINTER;
    VirtualCameraSpec config;
    ControlState state;
    HRESULT hr = bound.Reach(group, id, &config, &state);
    if (FAILED(hr)) return hr;
    if (state.failures & testbed::kFailRange) return E_FAIL;
    *minimum = state.minimum;
    *maximum = state.maximum;
    *step = state.step;
    *defaultValue = state.defaultValue;
    *capabilities = state.capabilities;
    return S_OK;
}

HRESULT ControlGet(const BoundCamera& bound, ControlGroup group, LONG id, LONG* value, LONG* flags) {
    if (!value || !flags) return E_POINTER;
    VirtualCameraSpec config;
    ControlState state;
    HRESULT hr = bound.Reach(group, id, &config, &state);
    if (FAILED(hr)) return hr;
    if (state.failures & testbed::kFailGet) return E_FAIL;
    const bool choosing = (config.behaviour & testbed::kActAutomatic) && (state.flags & kAutomatic);
    *value = choosing ? state.autoValue : state.value;
    *flags = state.flags;
    return S_OK;
}

HRESULT ControlSet(const BoundCamera& bound, ControlGroup group, LONG id, LONG value, LONG flags) {
    VirtualCameraSpec config;
    ControlState state;
    HRESULT hr = bound.Reach(group, id, &config, &state);
    if (FAILED(hr)) return hr;
    testbed::CountSetCall(bound.camera, group, id);
    if (state.failures & testbed::kFailSet) return E_FAIL;
    const DWORD rules = config.behaviour;
    if ((rules & testbed::kStrictWrites) &&
        ((flags != kAutomatic && flags != kManual) || !(state.capabilities & flags))) {
        return E_INVALIDARG;
    }
    // Switching to automatic leaves the value to the camera.
    if ((rules & testbed::kActAutomatic) && (flags & kAutomatic)) value = state.value;
    else if (FAILED(hr = TakeValue(rules, state, &value))) return hr;
    return testbed::StoreControlValue(bound.camera, group, id, value, flags) ? S_OK : E_FAIL;
}

}  // namespace vcam
