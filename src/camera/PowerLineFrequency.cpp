#include "camera/PowerLineFrequency.h"

#include "camera/VendorProperty.h"

namespace ostrivan {

uint32_t ToFallbackCode(int32_t value) {
    switch (static_cast<PowerLineFrequency>(value)) {
    case PowerLineFrequency::Hz50: return static_cast<uint32_t>(PowerLineFallbackCode::Hz50);
    case PowerLineFrequency::Hz60: return static_cast<uint32_t>(PowerLineFallbackCode::Hz60);
    default: return static_cast<uint32_t>(PowerLineFallbackCode::Off);
    }
}

int32_t FromFallbackCode(uint32_t code) {
    switch (static_cast<PowerLineFallbackCode>(code)) {
    case PowerLineFallbackCode::Hz50: return static_cast<int32_t>(PowerLineFrequency::Hz50);
    case PowerLineFallbackCode::Hz60: return static_cast<int32_t>(PowerLineFrequency::Hz60);
    default: return static_cast<int32_t>(PowerLineFrequency::Off);
    }
}

bool ReadPowerLineFrequency(CameraChannel* channel, CameraProperty* record) {
    if (ReadCameraProperty(channel, IID_IAMVideoProcAmp, kPowerLineFrequencyProperty, record)) return true;
    if (!channel || !record || !channel->propertySet) return false;
    // The private property has no range of its own to ask for.
    record->minimum = static_cast<int32_t>(PowerLineFallbackCode::Off);
    record->maximum = static_cast<int32_t>(PowerLineFallbackCode::Hz60);
    record->step = 1;
    record->defaultValue = static_cast<int32_t>(PowerLineFallbackCode::Hz50);
    record->flags = kFlagManual;
    record->capabilities = kFlagManual;
    record->automatic = 0;
    VendorPropertyBuffer buffer;
    if (!GetVendorProperty(channel, kPowerLineFallbackProperty, &buffer)) {
        record->valid = 0;
        return false;
    }
    record->value = FromFallbackCode(buffer.At(VendorPropertyBuffer::kValueOffset));
    record->appliedValue = record->value;
    record->appliedFlags = record->flags;
    record->valid = 1;
    return true;
}

bool WritePowerLineFrequency(CameraChannel* channel, CameraProperty* record) {
    if (WriteCameraProperty(channel, IID_IAMVideoProcAmp, kPowerLineFrequencyProperty, record)) return true;
    if (!channel || !record || !channel->propertySet) return false;
    VendorPropertyBuffer buffer;
    buffer.Put(VendorPropertyBuffer::kValueOffset, ToFallbackCode(record->value));
    bool written = SetVendorProperty(channel, kPowerLineFallbackProperty, &buffer);
    // Up to date whatever the camera answered: the next write goes out when the value changes.
    record->appliedValue = record->value;
    record->appliedFlags = record->flags;
    return written;
}

}  // namespace ostrivan
