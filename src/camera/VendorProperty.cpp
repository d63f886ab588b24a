#include "camera/VendorProperty.h"

#include <cstring>

namespace ostrivan {

uint32_t VendorPropertyBuffer::At(size_t offset) const {
    uint32_t value = 0;
    if (offset <= kSize - sizeof(value)) std::memcpy(&value, bytes_ + offset, sizeof(value));
    return value;
}

void VendorPropertyBuffer::Put(size_t offset, uint32_t value) {
    if (offset <= kSize - sizeof(value)) std::memcpy(bytes_ + offset, &value, sizeof(value));
}

void VendorPropertyBuffer::PutGuid(size_t offset, const GUID& guid) {
    if (offset <= kSize - sizeof(guid)) std::memcpy(bytes_ + offset, &guid, sizeof(guid));
}

bool GetVendorProperty(CameraChannel* channel, DWORD id, VendorPropertyBuffer* buffer) {
    if (!channel || !buffer || !channel->propertySet) return false;
    DWORD returned = 0;
    return SUCCEEDED(channel->propertySet->Get(kVendorPropertySet, id, buffer->Bytes(), VendorPropertyBuffer::kSize,
                                               buffer->Bytes(), VendorPropertyBuffer::kSize, &returned));
}

bool SetVendorProperty(CameraChannel* channel, DWORD id, VendorPropertyBuffer* buffer) {
    if (!channel || !buffer || !channel->propertySet) return false;
    return SUCCEEDED(channel->propertySet->Set(kVendorPropertySet, id, buffer->Bytes(), VendorPropertyBuffer::kSize,
                                               buffer->Bytes(), VendorPropertyBuffer::kSize));
}

}  // namespace ostrivan
