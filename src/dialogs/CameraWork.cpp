#include "dialogs/CameraWork.h"

#include "base/BoundedText.h"
#include "base/ExclusiveLock.h"

#include <cstring>
#include <new>

namespace ostrivan {

CameraWork::CameraWork(ListOf<PropertyRow> rows)
    : rows_(rows.items, rows.count < kMaxPropertyRows ? rows.count : kMaxPropertyRows),
      progress_(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

CameraWorkRef CameraWork::Create(ListOf<PropertyRow> rows) {
    CameraWorkRef work(new (std::nothrow) CameraWork(rows));
    if (work && !work.get()->progress_) work.reset();
    return work;
}

void CameraWork::Open(HWND window, UINT message) {
    ExclusiveLock lock(lock_);
    window_ = window;
    message_ = message;
    closed_ = false;
}

void CameraWork::Close() {
    {
        ExclusiveLock lock(lock_);
        window_ = nullptr;
        closed_ = true;
        held_ = false;
        DropQueuedReads();
    }
    ::SetEvent(progress_.get());
}

uint32_t CameraWork::Read(const char* device) {
    ExclusiveLock lock(lock_);
    DropQueuedReads();
    return Queue(CameraJob::Kind::Read, device, 0, nullptr);
}

uint32_t CameraWork::Write(const char* device, uint32_t rows, const CameraProperty* records) {
    ExclusiveLock lock(lock_);
    if (stopping_) return 0;
    if (queued_ > 0) {
        CameraJob& last = queue_[queued_ - 1];
        if (last.kind == CameraJob::Kind::Write && std::strcmp(last.device, device ? device : "") == 0) {
            // The window's table already holds the earlier wanted values,
            // since a reading never overwrites a row with a write pending.
            last.id = ++lastId_;
            last.rows |= rows;
            std::memcpy(last.records, records, sizeof(CameraProperty) * rows_.count);
            return last.id;
        }
    }
    return Queue(CameraJob::Kind::Write, device, rows, records);
}

uint32_t CameraWork::Queue(CameraJob::Kind kind, const char* device, uint32_t rows, const CameraProperty* records) {
    if (stopping_ || queued_ >= kMostQueued) return 0;
    CameraJob& job = queue_[queued_];
    job = CameraJob{};
    job.id = job.firstId = ++lastId_;
    job.kind = kind;
    CopyText(job.device, device ? device : "");
    job.rows = rows;
    if (records) std::memcpy(job.records, records, sizeof(CameraProperty) * rows_.count);
    ++queued_;
    ::WakeConditionVariable(&wake_);
    return job.id;
}

void CameraWork::DropQueuedReads() {
    int kept = 0;
    for (int i = 0; i < queued_; ++i) {
        if (queue_[i].kind == CameraJob::Kind::Read) continue;
        if (kept != i) queue_[kept] = queue_[i];
        ++kept;
    }
    queued_ = kept;
}

bool CameraWork::Busy() {
    ExclusiveLock lock(lock_);
    return queued_ > 0 || running_ != 0 || held_;
}

bool CameraWork::Outstanding(uint32_t id) const {
    if (running_ != 0 && runningFirst_ <= id && id <= running_) return true;
    for (int i = 0; i < queued_; ++i) {
        if (queue_[i].firstId <= id && id <= queue_[i].id) return true;
    }
    return false;
}

bool CameraWork::Finished(uint32_t id) {
    if (id == 0) return true;
    ExclusiveLock lock(lock_);
    return !Outstanding(id);
}

bool CameraWork::Closed() {
    ExclusiveLock lock(lock_);
    return closed_;
}

bool CameraWork::TakeReading(uintptr_t id, CameraReading* into) {
    ExclusiveLock lock(lock_);
    if (!held_ || id == 0 || reading_.id != id) return false;
    *into = reading_;
    held_ = false;
    return true;
}

bool CameraWork::Next(CameraJob* into) {
    ExclusiveLock lock(lock_);
    running_ = 0;
    while (queued_ == 0 && !stopping_) ::SleepConditionVariableSRW(&wake_, &lock_, INFINITE, 0);
    if (stopping_) DropQueuedReads();
    if (queued_ == 0) return false;
    *into = queue_[0];
    for (int i = 1; i < queued_; ++i) queue_[i - 1] = queue_[i];
    --queued_;
    runningFirst_ = into->firstId;
    running_ = into->id;
    return true;
}

void CameraWork::Done(const CameraReading* reading) {
    {
        ExclusiveLock lock(lock_);
        running_ = 0;
        // A reading for a window that is gone is of no use to anybody; one
        // made before the window exists waits to be taken by its number.
        if (reading && !closed_) {
            reading_ = *reading;
            held_ = !window_ || ::PostMessageA(window_, message_, 0, static_cast<LPARAM>(reading->id)) != FALSE;
        }
    }
    ::SetEvent(progress_.get());
}

void CameraWork::Stop() {
    ExclusiveLock lock(lock_);
    stopping_ = true;
    ::WakeConditionVariable(&wake_);
}

}  // namespace ostrivan
