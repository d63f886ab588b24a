#include "viewpanel/ZestViewPanel.h"

#include "ResourceIds.h"

#include <iterator>

namespace ostrivan {

namespace {

const PropertyRow kRows[] = {
    {&IID_IAMCameraControl, CameraControl_Exposure, {IDC_AUTO_EXPOSURE, IDC_EXPOSURE_LABEL, IDC_EXPOSURE_RULE},
     IDC_EXPOSURE_SLIDER, SliderUse::WhileManual},
    {&IID_IAMVideoProcAmp, VideoProcAmp_Brightness, {IDC_BRIGHTNESS_LABEL}, IDC_BRIGHTNESS_SLIDER},
    {&IID_IAMVideoProcAmp, VideoProcAmp_Contrast, {IDC_CONTRAST_LABEL}, IDC_CONTRAST_SLIDER},
};
static_assert(std::size(kRows) == ZestViewPanel::kRowCount, "a row for every record");

// Follow the camera beside the rows' own.
constexpr int kOwnControls[] = {IDC_ADVANCED, IDC_DEFAULT};
// The one window of the console whose skin descriptor carries a list of ids.
constexpr uint32_t kSkinnedIds[] = {IDC_VIEW_SKIN_AREA};

const CameraPanel::Form kForm = {
    IDD_VIEW_PANEL, Dialog::EnterEscape::Swallow, ZestViewPanel::kTitle, kRows, kOwnControls,
    CameraPanel::PositionTips::AfterShow, kSkinnedIds, CameraPanel::FirstReading::BeforeShowing,
};

}  // namespace

ZestViewPanel::ZestViewPanel() : CameraPanel(kForm) {}

// The window goes while the whole panel still takes its messages: the
// listener stops and the advanced dialog closes before any part is gone.
ZestViewPanel::~ZestViewPanel() { DestroyWindow(); }

void ZestViewPanel::DeviceChanged(const char* name) {
    SetDeviceName(name);
    if (IsWindow()) Refresh();
    if (advanced_.IsWindow()) advanced_.DeviceChanged(deviceName_);
}

void ZestViewPanel::CloseAdvanced() {
    advanced_.CloseForExit();
}

LRESULT ZestViewPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(); break;
    case WM_COMMAND: if (OnCommand(CommandOf(wParam, lParam))) return 0; break;
    case WM_SIZE: OnSize(); break;
    case WM_SHOWWINDOW: OnShowWindow(wParam != FALSE); break;
    case WM_DESTROY: OnDestroy(); break;
    }
    return CameraPanel::WindowProc(message, wParam, lParam);
}

void ZestViewPanel::OnInitDialog() { (void)autoExposure_.BindControl(hwnd(), IDC_AUTO_EXPOSURE); }

void ZestViewPanel::OnDestroy() {
    // No refresh request may arrive once the window is going; an open
    // advanced settings dialog goes before the panel.
    StopListening();
    CloseAdvanced();
}

void ZestViewPanel::ShowReading(bool opened) {
    if (!opened) {
        DisableCameraControls();
        return;
    }
    ShowRecords();
    if (record(kExposure).valid) ShowAutomaticExposure(record(kExposure));
    EnableControl(IDC_ADVANCED, true);
    EnableControl(IDC_DEFAULT, true);
}

void ZestViewPanel::ShowAutomaticExposure(const CameraProperty& exposure) {
    int check = exposure.automatic ? BST_CHECKED : BST_UNCHECKED;
    if (autoExposure_.GetCheck() != check) autoExposure_.SetCheck(check);
}

bool ZestViewPanel::OnCommand(const Command& command) {
    if (command.code != BN_CLICKED) return false;
    switch (command.id) {
    case IDC_AUTO_EXPOSURE: OnAutoExposureClicked(); return true;
    case IDC_DEFAULT: OnDefaultClicked(); return true;
    case IDC_ADVANCED: OnAdvancedClicked(); return true;
    default: return false;
    }
}

void ZestViewPanel::OnAutoExposureClicked() {
    CameraProperty& exposure = record(kExposure);
    bool automatic = autoExposure_.GetCheck() == BST_CHECKED;
    exposure.automatic = automatic ? 1 : 0;
    autoExposure_.SetCheck(automatic ? BST_CHECKED : BST_UNCHECKED);
    EnableControl(IDC_EXPOSURE_SLIDER, !automatic);
    exposure.value = slider(kExposure).GetPos();
    (void)WriteRecords(RowBit(kExposure));
}

void ZestViewPanel::OnDefaultClicked() {
    ResetToDefault(kBrightness);
    ResetToDefault(kContrast);
    autoExposure_.SetCheck(BST_CHECKED);
    record(kExposure).automatic = 1;
    ResetToDefault(kExposure);
    EnableControl(IDC_EXPOSURE_SLIDER, false);
    (void)WriteRecords(AllRows());
}

void ZestViewPanel::OnAdvancedClicked() {
    advanced_.Attach(owner());
    // Owned by the console itself, so that the whole console waits for it.
    (void)advanced_.DoModal(::GetAncestor(hwnd(), GA_ROOT));
    // The panel did not refresh while the dialog covered it.
    RequestRefresh();
}

void ZestViewPanel::OnSize() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    for (int row = 0; row < kRowCount; ++row) ShiftSlider(slider(row), client);
}

void ZestViewPanel::ShiftSlider(TipSlider& slider, const RECT& client) {
    if (!slider.IsWindow()) return;
    RECT r{};
    ::GetWindowRect(slider.hwnd(), &r);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    int x = r.right <= client.right ? r.left + kSliderShift : r.left - kSliderShift;
    ::SetWindowPos(slider.hwnd(), nullptr, x, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ZestViewPanel::OnShowWindow(bool show) {
    // The window is not visible yet while it is told it will be: ask again
    // once the show has finished.
    if (show) RequestRefresh();
}

}  // namespace ostrivan
