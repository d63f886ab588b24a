// The parental lock kept in the camera: one property (2053) of the
// camera-private set, reached through a camera channel that each operation
// opens and closes itself.
//
// Errors: each operation returns true only when the channel opened, it has
// an IKsPropertySet and the property call succeeded. Without IKsPropertySet
// nothing is called. A failed read leaves `locked` as it was.
#pragma once

#include "base/Limits.h"

#include <cstdint>

namespace ostrivan {

struct CameraLockRecord {
    char deviceName[kPathSize];  // the camera's FriendlyName
    uint32_t locked;             // 1 when the camera reported (or was just given) the lock
};
static_assert(sizeof(CameraLockRecord) == 264, "CameraLockRecord layout");

// Commands written at byte 28 of the lock buffer.
enum : uint32_t {
    kLockCommandOff = 0,
    kLockCommandOn = 1,
    kLockCommandPrompted = 2,  // sent right after On when a password prompt switches the lock on
    kLockCommandStoreHash = 3,
};

// Modes of WriteCameraLock and WriteCameraLockCode.
enum : int {
    kLockModeFromRecord = 0,  // On when locked is exactly 1, else Off
    kLockModePrompted = 1,
    kLockModeCode = 2,
};

[[nodiscard]] bool ReadCameraLock(CameraLockRecord* record);
bool WriteCameraLock(CameraLockRecord* record, int mode);
bool WriteCameraLockCode(CameraLockRecord* record, int mode, uint32_t code);

}  // namespace ostrivan
