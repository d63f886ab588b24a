#include "dialogs/CameraPanel.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "dialogs/PropertySlider.h"
#include "skin/DialogSkin.h"
#include "skin/SkinImages.h"

#include <cstring>

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
    // The worker reads the camera while the windows are being built.
    if (form_.firstReading == FirstReading::BeforeShowing && !IsWindow() && deviceName_[0] &&
        !(firstRead_ && std::strcmp(firstReadDevice_, deviceName_) == 0)) {
        firstRead_ = camera_.Read(deviceName_);
        CopyText(firstReadDevice_, deviceName_);
    }
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
    case kMsgCameraReading: return OnCameraReading(static_cast<uintptr_t>(lParam));
    case WM_DESTROY: OnDestroy(); break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT CameraPanel::OnInitDialog() {
    BindSliders();
    SkinWindow();
    for (int id : cameraControls()) RememberControl(id);
    DisableCameraControls();
    camera_.Open(hwnd(), kMsgCameraReading);
    if (form_.firstReading == FirstReading::BeforeShowing) {
        ReadBeforeShowing();
    } else {
        Refresh();
    }
    StartListening();
    return TRUE;  // the system sets the focus
}

void CameraPanel::ReadBeforeShowing() {
    if (!deviceName_[0]) return Refresh();
    // The window is not on screen yet: waiting holds nothing the user sees.
    bool asked = firstRead_ && std::strcmp(firstReadDevice_, deviceName_) == 0;
    uint32_t job = asked ? firstRead_ : camera_.Read(deviceName_);
    firstRead_ = 0;
    CameraReading reading;
    if (job && camera_.WaitFor(job, kFirstReadingWaitMs, false) && camera_.TakeReading(job, &reading)) {
        ApplyReading(reading);
    }
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
    uint32_t moved = 0;
    for (size_t row = 0; row < rows_.count; ++row) {
        if (!slider || slider != sliders_[row].hwnd()) continue;
        TakeSliderPosition(sliders_[row], code, &records_[row]);
        moved |= RowBit(static_cast<int>(row));
    }
    (void)WriteRecords(moved);
}

void CameraPanel::OnTimer() { RefreshIfVisible(); }

LRESULT CameraPanel::OnRefreshRequest() {
    refreshTarget_.Taken();
    RefreshIfVisible();
    return 0;
}

LRESULT CameraPanel::OnCameraReading(uintptr_t id) {
    CameraReading reading;
    if (camera_.TakeReading(id, &reading)) ApplyReading(reading);
    return 0;
}

void CameraPanel::ApplyReading(const CameraReading& reading) {
    // The answer of a camera switched away from is not this camera's.
    if (std::strcmp(reading.device, deviceName_) != 0) return;
    if (!reading.opened) return ShowReading(false);
    shownRows_ = 0;
    for (size_t row = 0; row < rows_.count; ++row) {
        // A value the user chose after this reading was asked for stands.
        if (rowWrite_[row] > reading.id) continue;
        CameraProperty& record = records_[row];
        const int32_t valueAtOpening = record.valueAtOpening;
        const int32_t flagsAtOpening = record.flagsAtOpening;
        record = reading.records[row];
        record.valueAtOpening = valueAtOpening;
        record.flagsAtOpening = flagsAtOpening;
        shownRows_ |= RowBit(static_cast<int>(row));
    }
    ShowReading(true);
}

void CameraPanel::OnDestroy() {
    // No refresh request or reading may arrive once the window is going.
    StopListening();
    camera_.Close();
    skin_.Close();
    KillTimer(kRefreshTimer);
}

void CameraPanel::Refresh() {
    if (!deviceName_[0]) return ShowReading(false);
    (void)camera_.Read(deviceName_);
}

uint32_t CameraPanel::WriteRecords(uint32_t rows) {
    if (!deviceName_[0]) return 0;
    uint32_t job = camera_.Write(deviceName_, rows, records_);
    if (!job) return 0;
    for (size_t row = 0; row < rows_.count; ++row) {
        if (rows & RowBit(static_cast<int>(row))) rowWrite_[row] = job;
    }
    return job;
}

void CameraPanel::ShowRecords() {
    for (size_t row = 0; row < rows_.count; ++row) {
        const PropertyRow& definition = rows_.items[row];
        const CameraProperty& shown = records_[row];
        if (!shown.valid || !(shownRows_ & RowBit(static_cast<int>(row)))) continue;
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
    if (hwnd() && ::IsWindowVisible(hwnd()) && !Covered() && !camera_.Busy()) Refresh();
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
