#include "console/DeviceChangeBoard.h"

#include "base/BoundedText.h"
#include "base/ExclusiveLock.h"
#include "base/NoThrow.h"

#include <algorithm>
#include <new>

namespace ostrivan {

void BoardTraits::Close(DeviceChangeBoard* board) noexcept { board->Release(); }

BoardRef DeviceChangeBoard::Create() {
    BoardRef board(new (std::nothrow) DeviceChangeBoard);
    if (!board) return board;
    board.get()->stop_.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!board.get()->stop_) board.reset();
    return board;
}

BoardRef DeviceChangeBoard::Share() {
    ::InterlockedIncrement(&references_);
    return BoardRef(this);
}

void DeviceChangeBoard::Release() {
    if (::InterlockedDecrement(&references_) == 0) delete this;
}

bool DeviceChangeBoard::HasQueued() {
    ExclusiveLock lock(lock_);
    return std::any_of(live_.begin(), live_.end(),
                       [](const DeviceChangeJob* job) { return job->stage == DeviceChangeJob::Stage::Queued; });
}

bool DeviceChangeBoard::Enlist(DeviceChangeJob* job) {
    ExclusiveLock lock(lock_);
    return TryAllocating([&] { live_.push_back(job); });
}

DeviceChangeJob* DeviceChangeBoard::Find(uintptr_t id) {
    for (DeviceChangeJob* job : live_) {
        if (job->id == id) return job;
    }
    return nullptr;
}

bool DeviceChangeBoard::TakeList(uintptr_t id, std::vector<std::string>* into) {
    ExclusiveLock lock(lock_);
    DeviceChangeJob* job = Find(id);
    if (!job || job->stage != DeviceChangeJob::Stage::HandedOver) return false;
    job->stage = DeviceChangeJob::Stage::Taken;
    into->swap(job->found);
    return true;
}

void DeviceChangeBoard::Applied(uintptr_t id, const char* currentDevice) {
    ExclusiveLock lock(lock_);
    DeviceChangeJob* job = Find(id);
    if (!job || job->stage != DeviceChangeJob::Stage::Taken) return;
    job->stage = DeviceChangeJob::Stage::Applied;
    CopyText(job->currentDevice, currentDevice);
    ::SetEvent(job->applied.get());
}

void DeviceChangeBoard::SetStage(DeviceChangeJob* job, DeviceChangeJob::Stage stage) {
    ExclusiveLock lock(lock_);
    job->stage = stage;
}

void DeviceChangeBoard::TakeTurn(DeviceChangeJob* job) { SetStage(job, DeviceChangeJob::Stage::Refreshing); }
void DeviceChangeBoard::HandOver(DeviceChangeJob* job) { SetStage(job, DeviceChangeJob::Stage::HandedOver); }
void DeviceChangeBoard::Withdraw(DeviceChangeJob* job) { SetStage(job, DeviceChangeJob::Stage::Withdrawn); }

void DeviceChangeBoard::Leave(DeviceChangeJob* job) {
    ExclusiveLock lock(lock_);
    live_.erase(std::remove(live_.begin(), live_.end(), job), live_.end());
}

}  // namespace ostrivan
