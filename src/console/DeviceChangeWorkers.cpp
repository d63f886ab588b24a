#include "console/DeviceChangeWorkers.h"

#include "base/ModuleHold.h"
#include "console/DeviceChangeWorker.h"

#include <memory>
#include <new>

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
    UniqueHandle* slot = nullptr;
    for (UniqueHandle& thread : threads_) {
        if (!thread) slot = &thread;
    }
    if (!slot) return false;

    std::unique_ptr<DeviceChangeJob> job(new (std::nothrow) DeviceChangeJob);
    if (!job) return false;
    job->id = ++lastId_;
    job->window = window;
    job->mutex.reset(Duplicate(deviceChangeMutex));
    job->applied.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    job->board = board_.get()->Share();
    if (!job->mutex || !job->applied || !board_.get()->Enlist(job.get())) return false;

    *slot = StartModuleThread(RunDeviceChangeWorker, job.get());
    if (!*slot) {
        board_.get()->Leave(job.get());
        return false;
    }
    (void)job.release();  // the worker frees it
    return true;
}

void DeviceChangeWorkers::StopAll() {
    if (!board_) return;
    board_.get()->Stop();
    HANDLE running[kMostThreads];
    DWORD count = 0;
    for (const UniqueHandle& thread : threads_) {
        if (thread) running[count++] = thread.get();
    }
    if (count > 0) ::WaitForMultipleObjects(count, running, TRUE, kStopWaitMs);
    for (UniqueHandle& thread : threads_) thread.reset();
    // A worker still in a driver keeps the board, and its stop, until it ends.
    board_.reset();
}

void DeviceChangeWorkers::ForgetFinished() {
    for (UniqueHandle& thread : threads_) {
        if (thread && ::WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0) thread.reset();
    }
}

}  // namespace ostrivan
