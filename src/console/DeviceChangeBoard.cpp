#include "console/DeviceChangeBoard.h"

#include "base/BoundedText.h"
#include "base/ExclusiveLock.h"

#include <new>

namespace ostrivan {

BoardRef DeviceChangeBoard::Create() {
    BoardRef board(new (std::nothrow) DeviceChangeBoard);
    if (board && !board.get()->stop_) board.reset();
    return board;
}

bool DeviceChangeBoard::HasQueued() {
    ExclusiveLock lock(lock_);
    for (const DeviceChangeJob* job : live_) {
        if (job && job->stage == DeviceChangeJob::Stage::Queued) return true;
    }
    return false;
}

bool DeviceChangeBoard::Enlist(DeviceChangeJob* job) {
    ExclusiveLock lock(lock_);
    for (DeviceChangeJob*& slot : live_) {
        if (slot) continue;
        slot = job;
        return true;
    }
    return false;
}

DeviceChangeJob* DeviceChangeBoard::Find(uintptr_t id, DeviceChangeJob::Stage stage) {
    for (DeviceChangeJob* job : live_) {
        if (job && job->id == id) return job->stage == stage ? job : nullptr;
    }
    return nullptr;
}

bool DeviceChangeBoard::TakeList(uintptr_t id, std::vector<std::string>* into) {
    ExclusiveLock lock(lock_);
    DeviceChangeJob* job = Find(id, DeviceChangeJob::Stage::HandedOver);
    if (!job) return false;
    job->stage = DeviceChangeJob::Stage::Taken;
    into->swap(job->found);
    return true;
}

void DeviceChangeBoard::Applied(uintptr_t id, const char* currentDevice) {
    ExclusiveLock lock(lock_);
    DeviceChangeJob* job = Find(id, DeviceChangeJob::Stage::Taken);
    if (!job) return;
    job->stage = DeviceChangeJob::Stage::Applied;
    CopyText(job->currentDevice, currentDevice);
    ::SetEvent(job->applied.get());
}

void DeviceChangeBoard::SetStage(DeviceChangeJob* job, DeviceChangeJob::Stage stage) {
    ExclusiveLock lock(lock_);
    job->stage = stage;
}

void DeviceChangeBoard::Leave(DeviceChangeJob* job) {
    ExclusiveLock lock(lock_);
    for (DeviceChangeJob*& slot : live_) {
        if (slot == job) slot = nullptr;
    }
}

}  // namespace ostrivan
