// What a camera panel's window shares with its camera worker.
//
//   CameraJob       one request: read every row, or write the wanted values
//                   of some rows, on a named camera
//   CameraReading   what a read brought back
//   CameraWork      the queue, the newest reading and the window to tell;
//                   counted, freed by whoever lets go last
//   CameraWorkRef   one counted reference to it
//
// The window only queues requests and takes readings; the worker only
// takes jobs and hands back readings. Neither waits on the other's thread:
// a reading is announced by a posted message that names it by number, and
// the window takes it from here under the lock, so a message posted by
// anybody else, or a reading overtaken by a newer one, finds nothing.
//
// Jobs run one at a time, in the order they were asked for, so a write
// reaches the camera before any read asked for after it. Requests that
// would only repeat one still queued are folded into it:
//   - a write joins a write for the same camera queued last: the camera
//     gets the newest value of each property, never a queue of stale ones;
//   - a read replaces every read still queued: only the newest camera's
//     answer is of use.
// Once the window is gone its reads are dropped; its writes are still made.
//
// Error rule: a request that cannot be queued reports 0.
#pragma once

#include "base/Counted.h"
#include "base/Limits.h"
#include "base/UniqueHandle.h"
#include "camera/CameraChannel.h"
#include "dialogs/PropertyTable.h"

#include <windows.h>

#include <cstdint>

namespace ostrivan {

struct CameraJob {
    enum class Kind { Read, Write };

    // The numbers of the requests it carries: one, or a run of writes
    // folded together, the newest last.
    uint32_t firstId = 0;
    uint32_t id = 0;
    Kind kind = Kind::Read;
    char device[kPathSize] = {};
    // Write: the rows whose wanted value, flags and mode it carries; the
    // records are the window's whole table as it was asked.
    uint32_t rows = 0;
    CameraProperty records[kMaxPropertyRows] = {};
};

struct CameraReading {
    uint32_t id = 0;
    bool opened = false;
    char device[kPathSize] = {};
    CameraProperty records[kMaxPropertyRows] = {};
};

class CameraWork;
using CameraWorkRef = CountedRef<CameraWork>;

class CameraWork : public Counted<CameraWork> {
public:
    // Jobs waiting beside the one running; folding keeps far fewer.
    static constexpr int kMostQueued = 16;

    // Held by the returned reference; empty when it cannot be made.
    static CameraWorkRef Create(ListOf<PropertyRow> rows);
    ListOf<PropertyRow> rows() const { return rows_; }

    // The window's side.
    // Readings are announced to the window with the message (lParam their
    // number). One made before the window is open is kept for it, unannounced.
    void Open(HWND window, UINT message);
    // The window goes: nothing is posted or kept any more, queued reads are dropped.
    void Close();
    // Each returns the job's number, 0 when it cannot be queued.
    uint32_t Read(const char* device);
    uint32_t Write(const char* device, uint32_t rows, const CameraProperty* records);
    // A job queued or running, or a reading kept and not yet taken.
    bool Busy();
    // Whether the request with that number is over (done, also as part of a
    // job it was folded into, or dropped).
    bool Finished(uint32_t id);
    // Whether the window went (and did not open again).
    bool Closed();
    // Copies the reading with that number, once; false for any other number.
    bool TakeReading(uintptr_t id, CameraReading* into);
    // Set after every job the worker ends.
    HANDLE progress() const { return progress_.get(); }

    // The worker's side.
    // Waits for the next job; false once the work is stopped and no write is left.
    bool Next(CameraJob* into);
    // The job taken last is over; a read hands back what it brought.
    void Done(const CameraReading* reading);
    // The worker is to end once its writes are made.
    void Stop();

private:
    friend class Counted<CameraWork>;

    explicit CameraWork(ListOf<PropertyRow> rows);
    ~CameraWork() = default;
    uint32_t Queue(CameraJob::Kind kind, const char* device, uint32_t rows, const CameraProperty* records);
    void DropQueuedReads();
    // Under the lock: whether a queued or the running job carries it.
    bool Outstanding(uint32_t id) const;

    const ListOf<PropertyRow> rows_;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE wake_ = CONDITION_VARIABLE_INIT;
    // Guarded by lock_:
    CameraJob queue_[kMostQueued];
    int queued_ = 0;
    // The numbers the job being done carries, firstId to id; 0 for none.
    uint32_t runningFirst_ = 0;
    uint32_t running_ = 0;
    uint32_t lastId_ = 0;
    CameraReading reading_;  // the newest reading
    bool held_ = false;      // reading_ kept (and announced, while a window is open) and not yet taken
    HWND window_ = nullptr;
    bool closed_ = false;    // the window went; until the next Open
    UINT message_ = 0;
    bool stopping_ = false;
    UniqueHandle progress_;  // auto-reset
};

}  // namespace ostrivan
