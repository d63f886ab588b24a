// The camera-private property set, reached through a channel's
// IKsPropertySet. Every request carries one 36-byte buffer, passed both as
// instance data and as property data, little-endian, the 32-bit value at
// byte 28. Get and Set report the property call's success as a bool and
// fail without calling anything when the channel has no IKsPropertySet.
#pragma once

#include "camera/CameraChannel.h"

#include <cstddef>
#include <cstdint>

namespace ostrivan {

// {CCA349DA-4FE2-423A-AA50-E6F352575CBC}
constexpr GUID kVendorPropertySet = {0xCCA349DA, 0x4FE2, 0x423A, {0xAA, 0x50, 0xE6, 0xF3, 0x52, 0x57, 0x5C, 0xBC}};
constexpr DWORD kPowerLineFallbackProperty = 259;  // coded as in PowerLineFrequency.h
constexpr DWORD kParentalLockProperty = 2053;

class VendorPropertyBuffer {
public:
    static constexpr size_t kSize = 36;
    // A request that names itself: the property set, the property id and
    // whether it gets or sets, then its value and data.
    static constexpr size_t kSetOffset = 0;
    static constexpr size_t kPropertyOffset = 16;
    static constexpr size_t kRequestOffset = 20;
    static constexpr size_t kValueOffset = 28;
    static constexpr size_t kDataOffset = 32;

    // A buffer with every byte zero.
    VendorPropertyBuffer() = default;

    uint32_t At(size_t offset) const;         // 0 when the field does not fit
    void Put(size_t offset, uint32_t value);  // ignored when the field does not fit
    void PutGuid(size_t offset, const GUID& guid);
    uint8_t* Bytes() { return bytes_; }
    const uint8_t* Bytes() const { return bytes_; }

private:
    uint8_t bytes_[kSize] = {};
};

[[nodiscard]] bool GetVendorProperty(CameraChannel* channel, DWORD id, VendorPropertyBuffer* buffer);
[[nodiscard]] bool SetVendorProperty(CameraChannel* channel, DWORD id, VendorPropertyBuffer* buffer);

}  // namespace ostrivan
