#include "vcam/ControlRules.h"

#include <algorithm>
#include <cstdint>

namespace vcam {

HRESULT TakeValue(DWORD behaviour, const testbed::ControlState& state, LONG* value) {
    const int64_t low = std::min(state.minimum, state.maximum);
    const int64_t high = std::max(state.minimum, state.maximum);
    const int64_t wanted = *value;
    if ((behaviour & testbed::kStrictWrites) && (wanted < low || wanted > high)) return E_INVALIDARG;
    if (state.step < 1 || wanted < low || wanted > high) return S_OK;
    const int64_t offset = (wanted - low) % state.step;
    if (offset == 0) return S_OK;
    if (behaviour & testbed::kRejectOffStep) return E_INVALIDARG;
    if (behaviour & testbed::kRoundOffStep) {
        int64_t rounded = wanted - offset + (offset * 2 >= state.step ? state.step : 0);
        if (rounded > high) rounded -= state.step;
        *value = static_cast<LONG>(rounded);
    }
    return S_OK;
}

}  // namespace vcam
