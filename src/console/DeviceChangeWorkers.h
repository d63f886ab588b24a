// Device-change workers of the console window: one short-lived thread per
// device notification, serialised by the launch's device-change mutex.
//
// A worker finds the cameras, hands them to the window through a posted
// message and waits for the window to apply them, then tries up to 20 times,
// 500 ms apart, to open the current camera and posts a publication once it
// can. Workers touch neither the window nor the launch record directly, and
// wait on nothing the window holds, so the window can stop them and wait for
// them when it goes: a stop interrupts every wait at once.
#pragma once

#include "base/UniqueHandle.h"
#include "launch/LaunchContext.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ostrivan {

class DeviceChangeWorkers {
public:
    // What the window receives with kMsgDeviceListReady.
    struct Job {
        static constexpr uint32_t kTag = 0x49564544;  // "DEVI"
        uint32_t tag = kTag;
        UniqueHandle mutex;       // the worker's own duplicate of the launch's mutex
        HWND window = nullptr;
        UniqueHandle stop;        // the worker's own duplicate of the stop event
        UniqueHandle applied;     // set by the window once it took the list
        std::vector<std::string> found;
        char currentDevice[kPathSize] = {};  // filled by the window
    };

    DeviceChangeWorkers() = default;
    ~DeviceChangeWorkers() { StopAll(); }
    DeviceChangeWorkers(const DeviceChangeWorkers&) = delete;
    DeviceChangeWorkers& operator=(const DeviceChangeWorkers&) = delete;

    // Starts a worker for one notification; false when none could be started
    // (that notification is then ignored).
    bool Start(HWND window, HANDLE deviceChangeMutex);
    // The window took the job's list: it reports the current camera back.
    static void Applied(Job* job, const char* currentDevice);
    // Interrupts every worker and waits for all of them to end; later
    // notifications start workers again.
    void StopAll();

    // The most refreshes that ever ran at the same time in this process.
    static int PeakConcurrentRefreshes();

private:
    static unsigned __stdcall WorkerMain(void* job);
    void ForgetFinished();

    UniqueHandle stop_;  // manual-reset
    std::vector<UniqueHandle> threads_;
};

}  // namespace ostrivan
