// A message-only window of a host instance's console, on the thread that
// opened the console: other threads' requests reach that thread through it
// (a posted message is never dropped for lack of time, unlike a sent one),
// and its timer looks again at what is pending, also in a host loop that
// dispatches only messages for windows.
//
// The window is of the system's static class with its procedure replaced,
// so that it can be handed back to the system's own procedure when the
// module is about to let go of the thread (HandOver).
#pragma once

#include <windows.h>

namespace ostrivan {

class HostRequestWindow {
public:
    class Delegate {
    public:
        // A request came or the timer ran: look at what is pending. The
        // window may be handed over, and this object deleted, inside.
        virtual void OnRequest() = 0;

    protected:
        ~Delegate() = default;
    };

    HostRequestWindow() = default;
    // On the window's thread: the window goes, unless it was handed over.
    ~HostRequestWindow();
    HostRequestWindow(const HostRequestWindow&) = delete;
    HostRequestWindow& operator=(const HostRequestWindow&) = delete;

    // On the thread that is to take the requests; looks again every
    // `periodMs` until told otherwise.
    [[nodiscard]] bool Create(Delegate* delegate, UINT periodMs);
    HWND hwnd() const { return window_; }

    // From any thread.
    static bool Post(HWND window);
    // How often the timer looks.
    void SetPeriod(UINT periodMs);

    // From inside OnRequest, as the module's last act on this thread: the
    // window is left to the system's procedure, and a small thread holding
    // the module closes it once this thread takes messages again (it has
    // left the module's code by then), then lets the module go. False when
    // that thread cannot start: the window is then destroyed here, and the
    // module must stay loaded.
    bool HandOver();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static unsigned __stdcall CloseWhenTaken(void* window);

    HWND window_ = nullptr;
    WNDPROC systemProcedure_ = nullptr;
    Delegate* delegate_ = nullptr;
};

}  // namespace ostrivan
