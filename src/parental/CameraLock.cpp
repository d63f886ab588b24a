#include "parental/CameraLock.h"

#include "camera/CameraChannel.h"
#include "camera/ScopedCameraChannel.h"
#include "camera/VendorProperty.h"

#include <cstring>

namespace ostrivan {

namespace {

constexpr uint32_t kRequestGet = 1;
constexpr uint32_t kRequestSet = 2;

VendorPropertyBuffer LockRequest(uint32_t request) {
    VendorPropertyBuffer buffer;
    buffer.PutGuid(VendorPropertyBuffer::kSetOffset, kVendorPropertySet);
    buffer.Put(VendorPropertyBuffer::kPropertyOffset, kParentalLockProperty);
    buffer.Put(VendorPropertyBuffer::kRequestOffset, request);
    return buffer;
}

// The record's device name as a bounded text: a record filled to the last
// byte still names a camera.
struct LockDeviceName {
    explicit LockDeviceName(const CameraLockRecord& record) {
        std::memcpy(text, record.deviceName, sizeof(text));
        text[kPathSize - 1] = '\0';
    }
    char text[kPathSize];
};

// A channel on the record's camera for the length of one request.
class LockChannel {
public:
    explicit LockChannel(const CameraLockRecord& record) : channel_(LockDeviceName(record).text) {}
    // The open channel when it has the camera-private set, else null.
    CameraChannel* Usable() {
        CameraChannel* channel = channel_.get();
        return channel && channel->propertySet ? channel : nullptr;
    }

private:
    ScopedCameraChannel channel_;
};

bool SendLockCommand(const CameraLockRecord& record, uint32_t command, uint32_t data) {
    LockChannel lock(record);
    CameraChannel* channel = lock.Usable();
    if (!channel) return false;
    VendorPropertyBuffer buffer = LockRequest(kRequestSet);
    buffer.Put(VendorPropertyBuffer::kValueOffset, command);
    buffer.Put(VendorPropertyBuffer::kDataOffset, data);
    return SetVendorProperty(channel, kParentalLockProperty, &buffer);
}

}  // namespace

bool ReadCameraLock(CameraLockRecord* record) {
    if (!record) return false;
    LockChannel lock(*record);
    CameraChannel* channel = lock.Usable();
    if (!channel) return false;
    VendorPropertyBuffer buffer = LockRequest(kRequestGet);
    if (!GetVendorProperty(channel, kParentalLockProperty, &buffer)) return false;
    record->locked = buffer.At(VendorPropertyBuffer::kValueOffset) != 0 ? 1 : 0;
    return true;
}

bool WriteCameraLock(CameraLockRecord* record, int mode) {
    if (!record) return false;
    if (mode != kLockModeFromRecord && mode != kLockModePrompted) {
        // Refused without writing; the channel is still opened and closed.
        LockChannel lock(*record);
        return false;
    }
    uint32_t command = mode == kLockModePrompted ? kLockCommandPrompted
                       : record->locked == 1     ? kLockCommandOn
                                                 : kLockCommandOff;
    return SendLockCommand(*record, command, 0);
}

bool WriteCameraLockCode(CameraLockRecord* record, int mode, uint32_t code) {
    if (!record) return false;
    if (mode != kLockModeCode) {
        LockChannel lock(*record);
        return false;
    }
    return SendLockCommand(*record, kLockCommandStoreHash, code);
}

}  // namespace ostrivan
