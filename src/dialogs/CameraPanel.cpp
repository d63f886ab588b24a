#include "dialogs/CameraPanel.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "dialogs/PropertySlider.h"
#include "skin/DialogSkin.h"
#include "skin/SkinImages.h"

namespace ostrivan {

namespace {

// 1 (integrated) when the owner runs inside a host, else 0.
int32_t ListenerModeOf(const LaunchContext* owner) {
    return owner && owner->integratedMutex ? PanelChangeListener::kIntegrated : PanelChangeListener::kStandalone;
}

}  // namespace

CameraPanel::CameraPanel(const Form& form)
    : Dialog(form.templateId, form.keys),
      form_(form),
      rows_(form.rows.items, form.rows.count < kMaxRows ? form.rows.count : kMaxRows) {
    ListCameraControls();
}

void CameraPanel::ListCameraControls() {
    for (const PropertyRow& row : rows_) {
        for (int id : row.group) AddCameraControl(id);
        AddCameraControl(row.slider);
    }
    for (int id : form_.controls) AddCameraControl(id);
}

void CameraPanel::AddCameraControl(int id) {
    if (id && cameraControlCount_ < RememberedControls::kMaxControls) cameraControls_[cameraControlCount_++] = id;
}

CameraPanel::~CameraPanel() {
    // The listener ends before anything it could reach goes; then the window.
    StopListening();
    DestroyWindow();
}

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
    case WM_INITDIALOG: return OnInitDialog();
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), reinterpret_cast<HWND>(lParam)); break;
    case WM_TIMER: OnTimer(); break;
    case kMsgPanelRefresh: return OnRefreshRequest();
    case WM_DESTROY: OnDestroy(); break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT CameraPanel::OnInitDialog() {
    BindSliders();
    SkinWindow();
    for (int id : cameraControls()) RememberControl(id);
    DisableCameraControls();
    Refresh();
    StartListening();
    return TRUE;  // the system sets the focus
}

void CameraPanel::BindSliders() {
    for (size_t row = 0; row < rows_.count; ++row) {
        int id = rows_.items[row].slider;
        if (!id || !sliders_[row].BindControl(hwnd(), id)) continue;
        if (form_.tips == PositionTips::AfterShow) {
            (void)sliders_[row].EnablePositionTipAfterShow();
        } else {
            (void)sliders_[row].EnablePositionTip();
        }
    }
}

void CameraPanel::SkinWindow() {
    if (form_.skinnedIds.count == 0) {
        (void)SkinDialogWindow(skin_, hwnd(), kDialogBackgroundImage);
    } else {
        (void)SkinDialogWindow(skin_, hwnd(), kDialogBackgroundImage, form_.skinnedIds.items,
                               static_cast<uint32_t>(form_.skinnedIds.count));
    }
}

void CameraPanel::OnHScroll(UINT code, HWND slider) {
    for (size_t row = 0; row < rows_.count; ++row) {
        if (slider && slider == sliders_[row].hwnd()) TakeSliderPosition(sliders_[row], code, &records_[row]);
    }
    WriteRecords();
}

void CameraPanel::OnTimer() { RefreshIfVisible(); }

LRESULT CameraPanel::OnRefreshRequest() {
    refreshTarget_.Taken();
    RefreshIfVisible();
    return 0;
}

void CameraPanel::OnDestroy() {
    // No refresh request may arrive once the window is going.
    StopListening();
    skin_.Close();
    KillTimer(kRefreshTimer);
}

bool CameraPanel::ReadRecords() { return ReadCameraRows(deviceName_, rows_, records_); }

void CameraPanel::WriteRecords() { WriteCameraRows(deviceName_, rows_, records_); }

void CameraPanel::ShowRecords() {
    for (size_t row = 0; row < rows_.count; ++row) {
        const PropertyRow& definition = rows_.items[row];
        const CameraProperty& shown = records_[row];
        if (!shown.valid) continue;
        for (int id : definition.group) {
            if (id) EnableControl(id, true);
        }
        if (!definition.slider) continue;
        EnableControl(definition.slider, definition.sliderUse == SliderUse::Always || !shown.automatic);
        ShowPropertyOnSlider(sliders_[row], shown);
    }
}

void CameraPanel::DisableCameraControls() {
    for (int id : cameraControls()) EnableControl(id, false);
}

void CameraPanel::ResetToDefault(int row) {
    CameraProperty& reset = records_[row];
    reset.value = reset.defaultValue;
    sliders_[row].SetPos(reset.defaultValue, true);
}

void CameraPanel::RefreshIfVisible() {
    if (hwnd() && ::IsWindowVisible(hwnd())) Refresh();
}

void CameraPanel::StartListening() {
    refreshTarget_.Open(hwnd(), kMsgPanelRefresh);
    if (mode() == kNotCreated) (void)Create(ListenerModeOf(owner_), form_.title);
    (void)Start(0);
    (void)SetTimer(kRefreshTimer, kRefreshPeriodMs);
}

void CameraPanel::StopListening() {
    refreshTarget_.Close();
    Stop();
}

}  // namespace ostrivan
