#include "console/DeviceChangeWorker.h"

#include "ResourceIds.h"
#include "base/NoThrow.h"
#include "camera/CameraList.h"
#include "camera/ScopedCameraChannel.h"

#include <memory>

namespace ostrivan {

namespace {

constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenPauseMs = 500;

// Holding the mutex: find, hand over, then wait until the camera answers.
void Refresh(DeviceChangeJob* job, DeviceChangeBoard* board) {
    CameraList cameras;
    if (!TryAllocating([&] { job->found = cameras.RefreshCameraList(); })) job->found.clear();
    if (board->Stopped()) return;
    board->HandOver(job);
    if (!::PostMessageA(job->window, kMsgDeviceListReady, 0, static_cast<LPARAM>(job->id))) {
        // A full queue or a window that went: nobody may take this list now.
        board->Withdraw(job);
        return;
    }
    HANDLE waits[2] = {job->applied.get(), board->stopEvent()};
    if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) return;
    if (job->currentDevice[0] == '\0') return;

    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        bool opened = ScopedCameraChannel(job->currentDevice).IsOpen();
        if (board->Stopped()) return;
        if (opened) {
            ::PostMessageA(job->window, kMsgDeviceReachable, 0, 0);
            return;
        }
        if (::WaitForSingleObject(board->stopEvent(), kOpenPauseMs) == WAIT_OBJECT_0) return;
    }
}

}  // namespace

unsigned __stdcall RunDeviceChangeWorker(void* parameter) {
    std::unique_ptr<DeviceChangeJob> job(static_cast<DeviceChangeJob*>(parameter));
    // The job's reference keeps the board until the job goes, after it left.
    DeviceChangeBoard* board = job->board.get();
    HANDLE waits[2] = {job->mutex.get(), board->stopEvent()};
    DWORD result = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0) {
        HeldMutex held(job->mutex.get());
        board->TakeTurn(job.get());
        Refresh(job.get(), board);
    }
    board->Leave(job.get());
    return 0;
}

}  // namespace ostrivan
