// Device-change workers of the console window: a short-lived thread per
// device notification, serialised by the launch's device-change mutex.
//
// A worker finds the cameras, hands them to the window through a posted
// message and waits for the window to apply them, then tries up to 20 times,
// 500 ms apart, to open the current camera and posts a publication once it
// can. At most one worker runs and at most one waits for its turn: a
// notification that finds one waiting leaves the work to it, since that
// worker looks for the cameras only when its turn comes.
//
// The posted message names its job by a number, never by address: the
// window takes a list only by that number, from a job that handed it over
// and still waits for it, so a message posted by anybody else is ignored.
// Workers touch neither the window nor the launch record, and share with
// the window only a counted board (DeviceChangeBoard.h). A stop interrupts
// every wait of theirs at once, but not a camera driver that does not
// answer: the window waits a little for its workers, then leaves any still
// inside a driver to end on their own. Each worker holds the module while it
// runs, so a host may unload the module as soon as the console returns.
#pragma once

#include "base/UniqueHandle.h"
#include "console/DeviceChangeBoard.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ostrivan {

class DeviceChangeWorkers {
public:
    // How long a stop waits for the workers to end.
    static constexpr DWORD kStopWaitMs = 250;

    DeviceChangeWorkers() = default;
    ~DeviceChangeWorkers() { StopAll(); }
    DeviceChangeWorkers(const DeviceChangeWorkers&) = delete;
    DeviceChangeWorkers& operator=(const DeviceChangeWorkers&) = delete;

    // For one notification: starts a worker, or leaves the work to the one
    // already waiting. False when neither (that notification is then ignored).
    bool Start(HWND window, HANDLE deviceChangeMutex);
    // Moves the list that the worker of job `id` handed over into `into`;
    // false, with `into` untouched, for any other number or a second time.
    bool TakeList(uintptr_t id, std::vector<std::string>* into) { return board_ && board_.get()->TakeList(id, into); }
    // The window applied the list of job `id`: it reports the current camera back.
    void Applied(uintptr_t id, const char* currentDevice) {
        if (board_) board_.get()->Applied(id, currentDevice);
    }
    // Interrupts every worker and waits up to kStopWaitMs for them; later
    // notifications start workers again.
    void StopAll();

private:
    // As many as the board lists jobs: a thread ends right after its job leaves.
    static constexpr int kMostThreads = 8;

    void ForgetFinished();

    BoardRef board_;
    uint32_t lastId_ = 0;
    UniqueHandle threads_[kMostThreads];  // empty where free
};

}  // namespace ostrivan
