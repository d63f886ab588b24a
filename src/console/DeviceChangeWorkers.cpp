#include "console/DeviceChangeWorkers.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ExclusiveLock.h"
#include "base/NoThrow.h"
#include "base/Threads.h"
#include "camera/CameraList.h"
#include "camera/ScopedCameraChannel.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

namespace ostrivan {

namespace {

constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenPauseMs = 500;

HANDLE Duplicate(HANDLE handle) {
    HANDLE copy = nullptr;
    if (!handle || !::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, FALSE,
                                      DUPLICATE_SAME_ACCESS)) {
        return nullptr;
    }
    return copy;
}

bool Stopped(HANDLE stop) { return ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

}  // namespace

DeviceChangeWorkers::DeviceChangeWorkers() = default;

// Holding the mutex: find, hand over, then wait until the camera answers.
void DeviceChangeWorkers::Refresh(Job* job) {
    CameraList cameras;
    if (!TryAllocating([&] { job->found = cameras.RefreshCameraList(); })) job->found.clear();
    if (Stopped(job->stop.get())) return;
    {
        ExclusiveLock lock(job->owner->lock_);
        job->handedOver = true;
    }
    if (!::PostMessageA(job->window, kMsgDeviceListReady, 0, static_cast<LPARAM>(job->id))) return;
    HANDLE waits[2] = {job->applied.get(), job->stop.get()};
    if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) return;
    if (job->currentDevice[0] == '\0') return;

    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        bool opened = ScopedCameraChannel(job->currentDevice).IsOpen();
        if (opened) {
            ::PostMessageA(job->window, kMsgDeviceReachable, 0, 0);
            return;
        }
        if (::WaitForSingleObject(job->stop.get(), kOpenPauseMs) == WAIT_OBJECT_0) return;
    }
}

bool DeviceChangeWorkers::Start(HWND window, HANDLE deviceChangeMutex) {
    if (!stop_) stop_.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!stop_ || !deviceChangeMutex) return false;
    ForgetFinished();

    ExclusiveLock lock(lock_);
    // The waiting worker looks for the cameras only when its turn comes.
    if (waiting_ > 0) return true;

    std::unique_ptr<Job> job(new (std::nothrow) Job);
    if (!job) return false;
    job->id = ++lastId_;
    job->owner = this;
    job->window = window;
    job->mutex.reset(Duplicate(deviceChangeMutex));
    job->stop.reset(Duplicate(stop_.get()));
    job->applied.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!job->mutex || !job->stop || !job->applied) return false;
    // Room first, so that nothing below can fail to record the worker.
    if (!TryAllocating([&] {
            threads_.reserve(threads_.size() + 1);
            live_.reserve(live_.size() + 1);
        })) {
        return false;
    }

    UniqueHandle thread = StartThread(WorkerMain, job.get());
    if (!thread) return false;
    threads_.push_back(std::move(thread));
    live_.push_back(job.get());
    ++waiting_;
    (void)job.release();  // the worker frees it
    return true;
}

DeviceChangeWorkers::Job* DeviceChangeWorkers::HandedOver(uintptr_t id) {
    ExclusiveLock lock(lock_);
    for (Job* job : live_) {
        if (job->id == id && job->handedOver) return job;
    }
    return nullptr;
}

void DeviceChangeWorkers::Applied(Job* job, const char* currentDevice) {
    if (!job) return;
    {
        ExclusiveLock lock(lock_);
        if (!job->handedOver) return;
        job->handedOver = false;
    }
    CopyText(job->currentDevice, currentDevice);
    ::SetEvent(job->applied.get());
}

void DeviceChangeWorkers::StopAll() {
    if (stop_) ::SetEvent(stop_.get());
    for (auto& thread : threads_) {
        if (thread) ::WaitForSingleObject(thread.get(), INFINITE);
    }
    threads_.clear();
    if (stop_) ::ResetEvent(stop_.get());
}

void DeviceChangeWorkers::ForgetFinished() {
    for (size_t i = threads_.size(); i-- > 0;) {
        if (::WaitForSingleObject(threads_[i].get(), 0) == WAIT_OBJECT_0) threads_.erase(threads_.begin() + i);
    }
}

void DeviceChangeWorkers::TakeTurn(Job* job) {
    ExclusiveLock lock(lock_);
    job->waiting = false;
    --waiting_;
}

void DeviceChangeWorkers::Leave(Job* job) {
    ExclusiveLock lock(lock_);
    if (job->waiting) --waiting_;
    live_.erase(std::remove(live_.begin(), live_.end(), job), live_.end());
}

unsigned __stdcall DeviceChangeWorkers::WorkerMain(void* parameter) {
    std::unique_ptr<Job> job(static_cast<Job*>(parameter));
    DeviceChangeWorkers* owner = job->owner;
    HANDLE waits[2] = {job->mutex.get(), job->stop.get()};
    DWORD result = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0) {
        HeldMutex held(job->mutex.get());
        owner->TakeTurn(job.get());
        Refresh(job.get());
    }
    owner->Leave(job.get());
    return 0;
}

}  // namespace ostrivan
