// Slider helpers over a property's range. All range arithmetic is done in 64
// bits, since the width of a 32-bit range does not fit in 32 bits, and a
// record whose step is below 1 is never divided by.
#include "camera/CameraChannel.h"

#include <cstdint>

namespace ostrivan {

bool SnapPropertyValue(const CameraProperty* property, int32_t* proposed) {
    if (!property || property->step < 1) return false;
    const int64_t minimum = property->minimum, maximum = property->maximum, step = property->step;
    const int64_t value = property->value;
    if (value < minimum || value > maximum || (value - minimum) % step != 0) return false;
    if (!proposed || *proposed == property->value) return false;

    const int64_t offset = static_cast<int64_t>(*proposed) - minimum;
    const int64_t quotient = offset / step, remainder = offset % step;
    if (remainder == 0) return false;
    const int64_t lower = quotient * step + minimum;
    const int64_t upper = lower + step;
    int64_t snapped = remainder >= step / 2 ? upper : lower;
    // Never past the range: the last step inside it, or the first.
    if (snapped > maximum) snapped = minimum + (maximum - minimum) / step * step;
    if (snapped < minimum) snapped = minimum;
    *proposed = static_cast<int32_t>(snapped);
    return true;
}

int32_t PropertyPageStep(const CameraProperty* property) {
    if (!property || property->step < 1) return 0;
    const int64_t step = property->step;
    const int64_t steps = (static_cast<int64_t>(property->maximum) - property->minimum) / step;
    int64_t page = static_cast<int64_t>(static_cast<double>(steps) * 0.1 + 0.5) * step;
    if (page < step) page = step;
    if (page > INT32_MAX) page = INT32_MAX;
    return static_cast<int32_t>(page);
}

}  // namespace ostrivan
