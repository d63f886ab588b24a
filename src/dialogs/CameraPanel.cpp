#include "dialogs/CameraPanel.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "dialogs/PropertySlider.h"

namespace ostrivan {

CameraPanel::CameraPanel(UINT templateId, EnterEscape keys, const char* title)
    : Dialog(templateId, keys), title_(title) {}

// The listener ends before anything it could reach goes.
CameraPanel::~CameraPanel() { StopListening(); }

void CameraPanel::Attach(LaunchContext* owner) {
    owner_ = owner;
    SetDeviceName(owner && owner->selectedDevice ? owner->selectedDevice : "");
}

void CameraPanel::SetDeviceName(const char* name) { CopyText(deviceName_, name ? name : ""); }

uint32_t CameraPanel::OnPeerChange(uint32_t reason, uint32_t) {
    if (reason != 0) return 0;
    RequestRefresh();
    return 1;
}

LRESULT CameraPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER: {
        LRESULT result = Dialog::WindowProc(message, wParam, lParam);
        RefreshIfVisible();
        return result;
    }
    case kMsgPanelRefresh:
        refreshTarget_.Taken();
        RefreshIfVisible();
        return 0;
    case WM_DESTROY:
        StopListening();
        KillTimer(kRefreshTimer);
        break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

void CameraPanel::RememberControl(int id) {
    HWND window = ::GetDlgItem(hwnd(), id);
    if (!window) return;
    for (size_t i = 0; i < controlCount_; ++i) {
        if (controls_[i].id == id) {
            controls_[i].window = window;
            return;
        }
    }
    if (controlCount_ < kMaxControls) controls_[controlCount_++] = Control{id, window};
}

void CameraPanel::EnableControl(int id, bool enable) {
    for (size_t i = 0; i < controlCount_; ++i) {
        if (controls_[i].id != id) continue;
        HWND window = controls_[i].window;
        if ((::IsWindowEnabled(window) != FALSE) != enable) ::EnableWindow(window, enable ? TRUE : FALSE);
        return;
    }
}

void CameraPanel::RefreshIfVisible() {
    if (hwnd() && ::IsWindowVisible(hwnd())) Refresh();
}

void CameraPanel::StartListening() {
    refreshTarget_.Open(hwnd(), kMsgPanelRefresh);
    if (mode() == kNotCreated) (void)Create(ListenerModeOf(owner_), title_);
    (void)Start(0);
    (void)SetTimer(kRefreshTimer, kRefreshPeriodMs);
}

void CameraPanel::StopListening() {
    refreshTarget_.Close();
    Stop();
}

}  // namespace ostrivan
