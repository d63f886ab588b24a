#include "console/DeviceChangeWorkers.h"

#include "base/ModuleHold.h"
#include "base/NoThrow.h"
#include "console/DeviceChangeWorker.h"

#include <memory>
#include <new>
#include <utility>

namespace ostrivan {

namespace {

HANDLE Duplicate(HANDLE handle) {
    HANDLE copy = nullptr;
    if (!handle || !::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, FALSE,
                                      DUPLICATE_SAME_ACCESS)) {
        return nullptr;
    }
    return copy;
}

}  // namespace

bool DeviceChangeWorkers::Start(HWND window, HANDLE deviceChangeMutex) {
    if (!board_) board_ = DeviceChangeBoard::Create();
    if (!board_ || !deviceChangeMutex) return false;
    ForgetFinished();
    // The waiting worker looks for the cameras only when its turn comes.
    if (board_.get()->HasQueued()) return true;

    std::unique_ptr<DeviceChangeJob> job(new (std::nothrow) DeviceChangeJob);
    if (!job) return false;
    job->id = ++lastId_;
    job->window = window;
    job->mutex.reset(Duplicate(deviceChangeMutex));
    job->applied.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    job->board = board_.get()->Share();
    if (!job->mutex || !job->applied) return false;
    // Room first, so that nothing below can fail to record the worker.
    if (!TryAllocating([&] { threads_.reserve(threads_.size() + 1); })) return false;
    if (!board_.get()->Enlist(job.get())) return false;

    UniqueHandle thread = StartModuleThread(RunDeviceChangeWorker, job.get());
    if (!thread) {
        board_.get()->Leave(job.get());
        return false;
    }
    threads_.push_back(std::move(thread));
    (void)job.release();  // the worker frees it
    return true;
}

bool DeviceChangeWorkers::TakeList(uintptr_t id, std::vector<std::string>* into) {
    return board_ && into && board_.get()->TakeList(id, into);
}

void DeviceChangeWorkers::Applied(uintptr_t id, const char* currentDevice) {
    if (board_) board_.get()->Applied(id, currentDevice ? currentDevice : "");
}

void DeviceChangeWorkers::StopAll() {
    if (!board_) return;
    board_.get()->Stop();
    const DWORD start = ::GetTickCount();
    for (auto& thread : threads_) {
        const DWORD spent = ::GetTickCount() - start;
        ::WaitForSingleObject(thread.get(), spent < kStopWaitMs ? kStopWaitMs - spent : 0);
    }
    threads_.clear();
    // A worker still in a driver keeps the board, and its stop, until it ends.
    board_.reset();
}

size_t DeviceChangeWorkers::RunningForTesting() {
    ForgetFinished();
    return threads_.size();
}

void DeviceChangeWorkers::ForgetFinished() {
    for (size_t i = threads_.size(); i-- > 0;) {
        if (::WaitForSingleObject(threads_[i].get(), 0) == WAIT_OBJECT_0) threads_.erase(threads_.begin() + i);
    }
}

}  // namespace ostrivan
