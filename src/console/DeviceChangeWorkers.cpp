#include "console/DeviceChangeWorkers.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/Threads.h"
#include "camera/CameraList.h"
#include "camera/ScopedCameraChannel.h"

#include <atomic>
#include <memory>
#include <utility>

namespace ostrivan {

namespace {

constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenPauseMs = 500;

std::atomic<int> g_refreshesRunning{0};
std::atomic<int> g_peakRefreshes{0};

class RefreshCounter {
public:
    RefreshCounter() {
        int now = ++g_refreshesRunning;
        int peak = g_peakRefreshes.load();
        while (now > peak && !g_peakRefreshes.compare_exchange_weak(peak, now)) {
        }
    }
    ~RefreshCounter() { --g_refreshesRunning; }
    RefreshCounter(const RefreshCounter&) = delete;
    RefreshCounter& operator=(const RefreshCounter&) = delete;
};

HANDLE Duplicate(HANDLE handle) {
    HANDLE copy = nullptr;
    if (!handle || !::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, FALSE,
                                      DUPLICATE_SAME_ACCESS)) {
        return nullptr;
    }
    return copy;
}

using JobPtr = std::unique_ptr<DeviceChangeWorkers::Job>;

bool Stopped(HANDLE stop) { return ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

// Holding the mutex: find, hand over, then wait until the camera answers.
void Refresh(DeviceChangeWorkers::Job* job) {
    RefreshCounter counter;
    CameraList cameras;
    job->found = cameras.RefreshCameraList();
    if (Stopped(job->stop.get())) return;
    if (!::PostMessageA(job->window, kMsgDeviceListReady, 0, reinterpret_cast<LPARAM>(job))) return;
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

}  // namespace

bool DeviceChangeWorkers::Start(HWND window, HANDLE deviceChangeMutex) {
    if (!stop_) stop_.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!stop_ || !deviceChangeMutex) return false;
    ForgetFinished();

    JobPtr job(new (std::nothrow) Job);
    if (!job) return false;
    job->window = window;
    job->mutex.reset(Duplicate(deviceChangeMutex));
    job->stop.reset(Duplicate(stop_.get()));
    job->applied.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!job->mutex || !job->stop || !job->applied) return false;

    UniqueHandle thread = StartThread(WorkerMain, job.get());
    if (!thread) return false;
    (void)job.release();  // the worker frees it
    threads_.push_back(std::move(thread));
    return true;
}

void DeviceChangeWorkers::Applied(Job* job, const char* currentDevice) {
    if (!job || job->tag != Job::kTag) return;
    CopyText(job->currentDevice, currentDevice);
    ::SetEvent(job->applied.get());
}

void DeviceChangeWorkers::StopAll() {
    if (stop_) ::SetEvent(stop_.get());
    for (auto& thread : threads_) ::WaitForSingleObject(thread.get(), INFINITE);
    threads_.clear();
    if (stop_) ::ResetEvent(stop_.get());
}

void DeviceChangeWorkers::ForgetFinished() {
    for (size_t i = threads_.size(); i-- > 0;) {
        if (::WaitForSingleObject(threads_[i].get(), 0) == WAIT_OBJECT_0) threads_.erase(threads_.begin() + i);
    }
}

int DeviceChangeWorkers::PeakConcurrentRefreshes() { return g_peakRefreshes.load(); }

unsigned __stdcall DeviceChangeWorkers::WorkerMain(void* parameter) {
    JobPtr job(static_cast<Job*>(parameter));
    if (!job || job->tag != Job::kTag || !job->mutex) return 0;
    HANDLE waits[2] = {job->mutex.get(), job->stop.get()};
    DWORD result = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED_0) return 0;
    HeldMutex held(job->mutex.get());
    Refresh(job.get());
    return 0;
}

}  // namespace ostrivan
