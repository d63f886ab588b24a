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
// window takes only a job that one of its own workers handed over and is
// still waiting for it, so a message posted by anybody else is ignored.
// Workers touch neither the window nor the launch record directly, and wait
// on nothing the window holds, so the window can stop them and wait for them
// when it goes: a stop interrupts every wait at once.
#pragma once

#include "base/UniqueHandle.h"
#include "launch/LaunchContext.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ostrivan {

class DeviceChangeWorkers {
public:
    // What the window takes over with kMsgDeviceListReady.
    struct Job {
        uint32_t id = 0;
        bool handedOver = false;  // posted to the window and not yet applied
        bool waiting = true;      // not yet holding the device-change mutex
        UniqueHandle mutex;       // the worker's own duplicate of the launch's mutex
        HWND window = nullptr;
        UniqueHandle stop;        // the worker's own duplicate of the stop event
        UniqueHandle applied;     // set by the window once it took the list
        std::vector<std::string> found;
        char currentDevice[kPathSize] = {};  // filled by the window
        DeviceChangeWorkers* owner = nullptr;
    };

    DeviceChangeWorkers();
    ~DeviceChangeWorkers() { StopAll(); }
    DeviceChangeWorkers(const DeviceChangeWorkers&) = delete;
    DeviceChangeWorkers& operator=(const DeviceChangeWorkers&) = delete;

    // For one notification: starts a worker, or leaves the work to the one
    // already waiting. False when neither (that notification is then ignored).
    bool Start(HWND window, HANDLE deviceChangeMutex);
    // The job whose number a worker posted and which still waits for the
    // window, or null. Called on the window's thread; the job stays valid
    // until Applied or StopAll, which only that thread calls.
    Job* HandedOver(uintptr_t id);
    // The window took the job's list: it reports the current camera back.
    void Applied(Job* job, const char* currentDevice);
    // Interrupts every worker and waits for all of them to end; later
    // notifications start workers again.
    void StopAll();

private:
    static unsigned __stdcall WorkerMain(void* job);
    static void Refresh(Job* job);
    void ForgetFinished();
    void Leave(Job* job);
    void TakeTurn(Job* job);

    SRWLOCK lock_ = SRWLOCK_INIT;
    std::vector<Job*> live_;  // jobs of running workers, guarded by lock_
    int waiting_ = 0;         // workers not yet holding the mutex, guarded by lock_
    uint32_t lastId_ = 0;
    UniqueHandle stop_;  // manual-reset
    std::vector<UniqueHandle> threads_;
};

}  // namespace ostrivan
