// The console's side, through the view panel itself: a ZestViewPanel window
// made from the resource library's template on a visible host window, on the
// same camera. A refresh is what the panel's 1500 ms timer runs (its worker
// opens a channel, reads exposure, brightness and contrast and closes; the
// panel shows the reading when it comes back); a slider movement is one key
// press on the brightness slider (the worker writes the moved record through
// a new channel; the key's release changes nothing). Each is over once the
// panel's worker is idle again and its reading taken: this thread takes the
// panel's messages until then.
#include "ConsoleCalls.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "driving/HangLimit.h"
#include "framework/MessageLoop.h"
#include "launch/LaunchContext.h"
#include "skin/ResourceLibrary.h"
#include "viewpanel/ZestViewPanel.h"

#include <commctrl.h>

#include <memory>

namespace bench {

using namespace ostrivan;

namespace {

class PanelHost {
public:
    explicit PanelHost(const std::string& name) {
        if (!library_.Load()) return;
        CopyText(device_, name.c_str());
        context_.selectedDevice = device_;
        RECT place{0, 0, 400, 300};
        if (!host_.CreateEx(0, "STATIC", "bench", WS_POPUP | WS_VISIBLE, place, nullptr, 0)) return;
        panel_.Attach(&context_);
        if (!panel_.Create(host_.hwnd())) return;
        // The benchmark sends the ticks itself: the panel's own timer
        // would add reads of its own to the timed runs.
        ::KillTimer(panel_.hwnd(), kRefreshTimer);
        ::ShowWindow(panel_.hwnd(), SW_SHOW);
        // The showing asks for a reading of its own.
        if (!WaitUntilShown(true)) return;
        slider_ = ::GetDlgItem(panel_.hwnd(), IDC_BRIGHTNESS_SLIDER);
    }
    ~PanelHost() {
        panel_.DestroyWindow();
        host_.DestroyWindow();
    }

    bool Ready() const { return slider_ && ::IsWindowEnabled(slider_); }
    bool Refresh() {
        ::SendMessageA(panel_.hwnd(), WM_TIMER, kRefreshTimer, 0);
        return WaitUntilShown(true) && Ready() && panel_.recordForTesting(ZestViewPanel::kBrightness).valid;
    }
    // Moves one step, turning at the ends of the range.
    bool Move() {
        int position = Position();
        int limit = static_cast<int>(::SendMessageA(slider_, up_ ? TBM_GETRANGEMAX : TBM_GETRANGEMIN, 0, 0));
        if (position == limit) up_ = !up_;
        WPARAM key = up_ ? VK_RIGHT : VK_LEFT;
        ::SendMessageA(slider_, WM_KEYDOWN, key, 1);
        ::SendMessageA(slider_, WM_KEYUP, key, 0xC0000001);
        return WaitUntilShown(false) && Position() != position;
    }

private:
    // Takes the panel's messages until its worker has nothing queued or
    // running and no reading waits to be shown. What the request queued
    // (the slider's painting) is handled first, beside the worker, as the
    // console's own loop would. A reading comes as a posted message, so
    // this thread waits for messages as that loop does; a write posts
    // nothing when it is over, so then it watches the worker in a busy
    // loop that yields (a wait in steps would distort the time, and taking
    // messages all along would put a server call beside each of the
    // worker's).
    bool WaitUntilShown(bool readingComes) {
        const ULONGLONG start = ::GetTickCount64();
        if (!MessageLoop::PumpPending()) return false;
        while (panel_.CameraBusy()) {
            if (::GetTickCount64() - start > driving::kHangLimitMs) return false;
            if (!readingComes) {
                ::SwitchToThread();
                continue;
            }
            (void)::MsgWaitForMultipleObjectsEx(0, nullptr, driving::kHangLimitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            if (!MessageLoop::PumpPending()) return false;
        }
        return true;
    }

    int Position() const { return static_cast<int>(::SendMessageA(slider_, TBM_GETPOS, 0, 0)); }

    ResourceLibrary library_;
    char device_[kDeviceNameSize] = {};
    LaunchContext context_{};
    Window host_;
    ZestViewPanel panel_;
    HWND slider_ = nullptr;
    bool up_ = true;
};

std::unique_ptr<PanelHost> g_host;

PanelHost& Host(const std::string& name) {
    if (!g_host) g_host = std::make_unique<PanelHost>(name);
    return *g_host;
}

}  // namespace

bool ConsoleRefresh(const std::string& name) { return Host(name).Refresh(); }

bool ConsoleWrite(const std::string& name, long) { return Host(name).Move(); }

void ConsoleDone() { g_host.reset(); }

}  // namespace bench
