#include "dialogs/CameraWorker.h"

#include "base/ModuleHold.h"
#include "dialogs/CameraWorkerThread.h"
#include "framework/MessageLoop.h"

namespace ostrivan {

CameraWorker::CameraWorker(ListOf<PropertyRow> rows) : work_(CameraWork::Create(rows)) {}

bool CameraWorker::Start() {
    if (!work_) return false;
    if (thread_) return true;
    CameraWorkRef shared = work_.get()->Share();
    thread_ = StartModuleThread(RunCameraWorker, shared.get());
    if (!thread_) return false;
    (void)shared.release();  // the thread's from here
    return true;
}

void CameraWorker::Open(HWND window, UINT message) {
    if (work_) work_.get()->Open(window, message);
}

void CameraWorker::Close() {
    if (work_) work_.get()->Close();
}

uint32_t CameraWorker::Read(const char* device) { return Start() ? work_.get()->Read(device) : 0; }

uint32_t CameraWorker::Write(const char* device, uint32_t rows, const CameraProperty* records) {
    return Start() ? work_.get()->Write(device, rows, records) : 0;
}

bool CameraWorker::Busy() { return work_ && work_.get()->Busy(); }

bool CameraWorker::TakeReading(uintptr_t id, CameraReading* into) {
    return work_ && work_.get()->TakeReading(id, into);
}

bool CameraWorker::WaitFor(uint32_t id, DWORD limitMs, bool takeMessages, const std::function<bool()>& giveUp) {
    if (!work_) return true;
    CameraWork& work = *work_.get();
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (work.Finished(id)) return true;
        // A window that went while its messages ran waits for nothing more.
        if (work.Closed() || (giveUp && giveUp())) return false;
        DWORD waited = ::GetTickCount() - start;
        if (waited >= limitMs) return false;
        HANDLE progress = work.progress();
        if (!takeMessages) {
            (void)::WaitForSingleObject(progress, limitMs - waited);
            continue;
        }
        DWORD woken = ::MsgWaitForMultipleObjects(1, &progress, FALSE, limitMs - waited, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 + 1 && !MessageLoop::PumpPending()) return work.Finished(id);
    }
}

void CameraWorker::Stop() {
    if (!work_) return;
    work_.get()->Close();
    work_.get()->Stop();
    // A thread still inside a camera call keeps its own reference.
    if (thread_) (void)::WaitForSingleObject(thread_.get(), kStopWaitMs);
    thread_.reset();
}

}  // namespace ostrivan
