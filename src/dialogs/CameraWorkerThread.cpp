#include "dialogs/CameraWorkerThread.h"

#include "base/BoundedText.h"
#include "base/ComUsage.h"
#include "dialogs/CameraWork.h"

#include <cstring>

namespace ostrivan {

namespace {

// What the worker last learnt of a camera: the records of its last read
// or write, whose applied values say what the camera holds.
class CameraKnowledge {
public:
    explicit CameraKnowledge(ListOf<PropertyRow> rows) : rows_(rows) {}

    void Read(const CameraJob& job, CameraReading* reading) {
        reading->id = job.id;
        CopyText(reading->device, job.device);
        std::memcpy(reading->records, records_, sizeof(records_));
        reading->opened = ReadCameraRows(job.device, rows_, reading->records);
        if (reading->opened) {
            Learn(job.device, reading->records);
        } else {
            device_[0] = '\0';
        }
    }

    void Write(const CameraJob& job) {
        // The window's table is the base only for a camera not read here:
        // otherwise what this thread last applied is, since a write the
        // window has not heard of may lie between.
        CameraProperty records[kMaxPropertyRows];
        std::memcpy(records, Knows(job.device) ? records_ : job.records, sizeof(records));
        for (size_t row = 0; row < rows_.count; ++row) {
            if (!(job.rows & (1u << row))) continue;
            records[row].value = job.records[row].value;
            records[row].flags = job.records[row].flags;
            records[row].automatic = job.records[row].automatic;
        }
        WriteCameraRows(job.device, rows_, records);
        Learn(job.device, records);
    }

private:
    bool Knows(const char* device) const { return device_[0] && std::strcmp(device_, device) == 0; }
    void Learn(const char* device, const CameraProperty* records) {
        CopyText(device_, device);
        std::memcpy(records_, records, sizeof(records_));
    }

    const ListOf<PropertyRow> rows_;
    char device_[kPathSize] = {};
    CameraProperty records_[kMaxPropertyRows] = {};
};

}  // namespace

unsigned __stdcall RunCameraWorker(void* argument) {
    CameraWorkRef work(static_cast<CameraWork*>(argument));
    // One apartment for the thread's life; each channel joins it.
    ComUsage com;
    CameraKnowledge camera(work.get()->rows());
    CameraJob job;
    CameraReading reading;
    while (work.get()->Next(&job)) {
        if (job.kind == CameraJob::Kind::Read) {
            camera.Read(job, &reading);
            work.get()->Done(&reading);
        } else {
            camera.Write(job);
            work.get()->Done(nullptr);
        }
    }
    return 0;
}

}  // namespace ostrivan
