#include "dialogs/PropertyTable.h"

#include "camera/ScopedCameraChannel.h"

namespace ostrivan {

namespace {

bool AnyValidRecordChanged(size_t count, const CameraProperty* records) {
    for (size_t row = 0; row < count; ++row) {
        if (records[row].valid && PropertyNeedsWrite(records[row])) return true;
    }
    return false;
}

}  // namespace

bool ReadCameraRows(const char* deviceName, ListOf<PropertyRow> rows, CameraProperty* records) {
    ScopedCameraChannel channel(deviceName);
    if (!channel.IsOpen()) return false;
    for (size_t i = 0; i < rows.count; ++i) {
        const PropertyRow& row = rows.items[i];
        (void)(row.read ? row.read(channel.get(), &records[i])
                        : ReadCameraProperty(channel.get(), *row.set, row.id, &records[i]));
    }
    return true;
}

void WriteCameraRows(const char* deviceName, ListOf<PropertyRow> rows, CameraProperty* records) {
    if (!AnyValidRecordChanged(rows.count, records)) return;
    ScopedCameraChannel channel(deviceName);
    if (!channel.IsOpen()) return;
    for (size_t i = 0; i < rows.count; ++i) {
        const PropertyRow& row = rows.items[i];
        // A record the camera did not answer holds nothing of this camera's.
        if (!records[i].valid) continue;
        (void)(row.write ? row.write(channel.get(), &records[i])
                         : WriteCameraProperty(channel.get(), *row.set, row.id, &records[i]));
    }
}

}  // namespace ostrivan
