// Reading and writing one camera or picture control property through an
// open channel, with the corrections that keep a record usable by a slider.
#include "camera/CameraChannel.h"

#include <cstdint>

namespace ostrivan {

namespace {

// IAMCameraControl and IAMVideoProcAmp have the same three calls.
template <typename Interface>
bool ReadWith(Interface* control, long id, CameraProperty* property) {
    LONG minimum = 0, maximum = 0, step = 0, defaultValue = 0, capabilities = 0;
    if (FAILED(control->GetRange(id, &minimum, &maximum, &step, &defaultValue, &capabilities))) return false;
    if (minimum > maximum) {
        LONG lower = maximum;
        maximum = minimum;
        minimum = lower;
    }
    // In 64 bits: the width of a range such as INT32_MIN..INT32_MAX overflows 32.
    if (step < 1 || static_cast<int64_t>(step) > static_cast<int64_t>(maximum) - minimum) step = 1;
    if (defaultValue < minimum) defaultValue = minimum;
    if (defaultValue > maximum) defaultValue = maximum;
    property->minimum = minimum;
    property->maximum = maximum;
    property->step = step;
    property->defaultValue = defaultValue;
    property->capabilities = capabilities;

    LONG value = 0, flags = 0;
    if (FAILED(control->Get(id, &value, &flags))) return false;
    bool moved = value < minimum || value > maximum;
    if (value < minimum) value = minimum;
    else if (value > maximum) value = maximum;
    // The device's answers to these corrective sets do not matter: the record
    // holds the corrected state either way.
    if (moved && (flags & kFlagManual)) control->Set(id, value, kFlagManual);
    int32_t bothBits = kFlagAutomatic | kFlagManual;
    if ((flags & bothBits) == bothBits || (flags & bothBits) == 0) {
        flags = (flags & ~kFlagManual) | kFlagAutomatic;
        control->Set(id, value, flags);
    }
    property->value = value;
    property->flags = flags;
    property->appliedFlags = flags;
    property->automatic = flags & kFlagAutomatic;
    property->appliedValue = value;
    property->valid = 1;
    return true;
}

template <typename Interface>
bool WriteWith(Interface* control, long id, CameraProperty* property) {
    property->flags = WriteFlags(*property);
    if (!PropertyNeedsWrite(*property)) return true;
    if (FAILED(control->Set(id, property->value, property->flags))) return false;
    property->appliedValue = property->value;
    property->appliedFlags = property->flags;
    return true;
}

bool IsCameraControl(const GUID& set) { return ::IsEqualGUID(set, IID_IAMCameraControl) != FALSE; }
bool IsProcAmp(const GUID& set) { return ::IsEqualGUID(set, IID_IAMVideoProcAmp) != FALSE; }

}  // namespace

int32_t WriteFlags(const CameraProperty& property) {
    return property.automatic ? (property.flags | kFlagAutomatic) & ~kFlagManual
                              : (property.flags & ~kFlagAutomatic) | kFlagManual;
}

bool PropertyNeedsWrite(const CameraProperty& property) {
    return property.appliedValue != property.value || property.appliedFlags != WriteFlags(property);
}

bool ReadCameraProperty(CameraChannel* channel, const GUID& set, long id, CameraProperty* property) {
    if (!channel || !property) return false;
    property->valid = 0;
    if (IsCameraControl(set) && channel->cameraControl) return ReadWith(channel->cameraControl.Get(), id, property);
    if (IsProcAmp(set) && channel->procAmp) return ReadWith(channel->procAmp.Get(), id, property);
    return false;
}

bool WriteCameraProperty(CameraChannel* channel, const GUID& set, long id, CameraProperty* property) {
    if (!channel || !property) return false;
    if (IsCameraControl(set) && channel->cameraControl) return WriteWith(channel->cameraControl.Get(), id, property);
    if (IsProcAmp(set) && channel->procAmp) return WriteWith(channel->procAmp.Get(), id, property);
    return false;
}

}  // namespace ostrivan
