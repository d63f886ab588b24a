// CameraWorker: the one thread through which a camera panel's window talks
// to its camera, so that a camera that answers late never holds the window.
// The window asks (read every row, write some rows) and goes on; a reading
// comes back as a posted message that the window applies on its own thread.
// See CameraWork.h for the order of jobs and how requests are folded.
//
// The thread starts with the first request and lives until Stop (the
// panel object's end), across the showings of its window; the work it
// shares with the window is made with the worker. A thread still
// inside a camera call when it is stopped is left to end on its own: it
// holds its own reference to the work and to the module, touches no
// window, and makes the writes still queued before it ends.
//
// Error rule: a request that cannot be made reports 0, and the window
// then simply hears nothing.
#pragma once

#include "base/UniqueHandle.h"
#include "dialogs/CameraWork.h"

#include <cstdint>
#include <functional>

namespace ostrivan {

class CameraWorker {
public:
    // How long a stop waits for the thread to end.
    static constexpr DWORD kStopWaitMs = 100;

    explicit CameraWorker(ListOf<PropertyRow> rows);
    ~CameraWorker() { Stop(); }
    CameraWorker(const CameraWorker&) = delete;
    CameraWorker& operator=(const CameraWorker&) = delete;

    // Readings are announced to the window with the message, lParam their number.
    void Open(HWND window, UINT message);
    // The window goes: it hears nothing more, and its queued reads are dropped.
    void Close();
    // Each returns the job's number, 0 when none was queued.
    uint32_t Read(const char* device);
    uint32_t Write(const char* device, uint32_t rows, const CameraProperty* records);
    // A job queued or running, or a reading not yet taken.
    bool Busy();
    bool TakeReading(uintptr_t id, CameraReading* into);
    // Waits until the job is over, at most limitMs; while taking messages
    // when asked. False when the limit passed first, the window went, a
    // WM_QUIT came, or (looked at after the messages) giveUp says so.
    bool WaitFor(uint32_t id, DWORD limitMs, bool takeMessages, const std::function<bool()>& giveUp = {});
    // Ends the thread once its writes are made; waits for it at most
    // kStopWaitMs. Nothing more is taken afterwards.
    void Stop();

private:
    // The thread, started with the first request; false when it cannot be.
    bool Start();

    CameraWorkRef work_;  // empty only when it could not be made
    UniqueHandle thread_;
};

}  // namespace ostrivan
