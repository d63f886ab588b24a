// What the console window shares with its device-change workers.
//
//   DeviceChangeJob    one worker's notification: its number, its stage, its
//                      own handles and the list it found
//   DeviceChangeBoard  the lock, the jobs of running workers and the stop
//                      event; counted, freed by whoever lets go last
//   BoardRef           one counted reference to a board
//
// The window holds one reference and every worker its own, so a worker
// still inside a camera driver when the window goes keeps what it uses, and
// the window need not wait for it. Workers reach the window only by posted
// messages naming their job by number; the window reaches a job only
// through the board, by that number and under the board's lock, so it never
// holds a job that its worker may free.
//
// Operations report through bool where the caller acts on the answer.
#pragma once

#include "base/Counted.h"
#include "base/UniqueHandle.h"
#include "launch/LaunchContext.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ostrivan {

class DeviceChangeBoard;
using BoardRef = CountedRef<DeviceChangeBoard>;

struct DeviceChangeJob {
    enum class Stage {
        Queued,      // waits for the device-change mutex
        Refreshing,  // holds it and looks for the cameras
        HandedOver,  // the list was posted to the window
        Taken,       // the window took the list and rebuilds its menu
        Applied,     // the window reported its current camera back
        Withdrawn,   // the post failed: the window never hears of this list
    };

    uint32_t id = 0;
    Stage stage = Stage::Queued;  // guarded by the board's lock
    HWND window = nullptr;
    UniqueHandle mutex;    // the worker's own duplicate of the launch's mutex
    UniqueHandle applied;  // set by the window once it applied the list
    std::vector<std::string> found;
    char currentDevice[kPathSize] = {};  // filled by the window, under the lock
    BoardRef board;
};

class DeviceChangeBoard : public Counted<DeviceChangeBoard> {
public:
    // A board with its stop event, held by the returned reference; empty
    // when either cannot be made.
    static BoardRef Create();

    HANDLE stopEvent() const { return stop_.get(); }
    void Stop() { ::SetEvent(stop_.get()); }
    bool Stopped() const { return ::WaitForSingleObject(stop_.get(), 0) == WAIT_OBJECT_0; }

    // The window's side.
    // Whether a worker still waits for its turn.
    bool HasQueued();
    // Lists the job of a worker about to start; false when the table is full.
    [[nodiscard]] bool Enlist(DeviceChangeJob* job);
    // Moves the list of the job with this number into `into`, once, if the
    // job handed it over; false (and `into` untouched) otherwise.
    bool TakeList(uintptr_t id, std::vector<std::string>* into);
    // The window rebuilt its menu from the job's list: the worker learns
    // the current camera and goes on. Nothing for a job not taken.
    void Applied(uintptr_t id, const char* currentDevice);

    // The worker's side.
    void TakeTurn(DeviceChangeJob* job) { SetStage(job, DeviceChangeJob::Stage::Refreshing); }
    void HandOver(DeviceChangeJob* job) { SetStage(job, DeviceChangeJob::Stage::HandedOver); }
    void Withdraw(DeviceChangeJob* job) { SetStage(job, DeviceChangeJob::Stage::Withdrawn); }
    // Unlists the job; the worker frees it afterwards.
    void Leave(DeviceChangeJob* job);

private:
    friend class Counted<DeviceChangeBoard>;

    // One worker holds the mutex and one waits, and one that is leaving may
    // still be listed for a moment: the table has room to spare.
    static constexpr int kMostJobs = 8;

    DeviceChangeBoard() : stop_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~DeviceChangeBoard() = default;
    // The listed job with that number at that stage, or null; under the lock.
    DeviceChangeJob* Find(uintptr_t id, DeviceChangeJob::Stage stage);
    void SetStage(DeviceChangeJob* job, DeviceChangeJob::Stage stage);

    SRWLOCK lock_ = SRWLOCK_INIT;
    DeviceChangeJob* live_[kMostJobs] = {};  // null where free; guarded by lock_
    UniqueHandle stop_;                      // manual-reset
};

}  // namespace ostrivan
