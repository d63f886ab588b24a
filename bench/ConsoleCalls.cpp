// The console's side, through the view panel itself: a ZestViewPanel window
// made from the resource library's template on a visible host window, on the
// same camera. A refresh is what the panel's 1500 ms timer runs (open a
// channel, read exposure, brightness and contrast, close, show them); a
// slider movement is one key press on the brightness slider (the write of
// the moved record through a new channel; the key's release writes nothing).
#include "ConsoleCalls.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
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
        ::ShowWindow(panel_.hwnd(), SW_SHOW);
        (void)MessageLoop::PumpPending();
        slider_ = ::GetDlgItem(panel_.hwnd(), IDC_BRIGHTNESS_SLIDER);
    }
    ~PanelHost() {
        panel_.DestroyWindow();
        host_.DestroyWindow();
    }

    bool Ready() const { return slider_ && ::IsWindowEnabled(slider_); }
    bool Refresh() {
        ::SendMessageA(panel_.hwnd(), WM_TIMER, kRefreshTimer, 0);
        return Ready() && panel_.recordForTesting(ZestViewPanel::kBrightness).valid;
    }
    // Moves one step, turning at the ends of the range.
    bool Move() {
        int position = Position();
        int limit = static_cast<int>(::SendMessageA(slider_, up_ ? TBM_GETRANGEMAX : TBM_GETRANGEMIN, 0, 0));
        if (position == limit) up_ = !up_;
        WPARAM key = up_ ? VK_RIGHT : VK_LEFT;
        ::SendMessageA(slider_, WM_KEYDOWN, key, 1);
        ::SendMessageA(slider_, WM_KEYUP, key, 0xC0000001);
        return Position() != position;
    }

private:
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
