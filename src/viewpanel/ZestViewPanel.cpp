#include "viewpanel/ZestViewPanel.h"

#include "ResourceIds.h"
#include "camera/ScopedCameraChannel.h"
#include "dialogs/PropertySlider.h"
#include "skin/SkinImages.h"
#include "skin/SkinPaths.h"
#include "skin/WindowSkin.h"

namespace ostrivan {

namespace {

struct PropertyRow {
    const GUID* set;
    long id;
};
const PropertyRow kRows[ZestViewPanel::kRowCount] = {
    {&IID_IAMCameraControl, CameraControl_Exposure},
    {&IID_IAMVideoProcAmp, VideoProcAmp_Brightness},
    {&IID_IAMVideoProcAmp, VideoProcAmp_Contrast},
};

// Every control that follows the camera.
constexpr int kCameraControls[] = {
    IDC_AUTO_EXPOSURE,    IDC_EXPOSURE_LABEL,    IDC_EXPOSURE_RULE, IDC_EXPOSURE_SLIDER,
    IDC_BRIGHTNESS_LABEL, IDC_BRIGHTNESS_SLIDER, IDC_CONTRAST_LABEL, IDC_CONTRAST_SLIDER,
    IDC_ADVANCED,         IDC_DEFAULT,
};

}  // namespace

ZestViewPanel::ZestViewPanel() : CameraPanel(IDD_VIEW_PANEL, EnterEscape::Swallow, kTitle) {}

ZestViewPanel::~ZestViewPanel() {
    // The listener ends before anything it could reach goes; then the window,
    // while the whole object still takes its messages.
    StopListening();
    DestroyWindow();
}

void ZestViewPanel::DeviceChanged(const char* name) {
    SetDeviceName(name);
    if (IsWindow()) Refresh();
    if (advanced_.IsWindow()) advanced_.DeviceChanged(deviceName_);
}

void ZestViewPanel::CloseAdvanced() {
    if (advanced_.IsWindow()) ::SendMessageA(advanced_.hwnd(), WM_CLOSE, 0, 0);
}

LRESULT ZestViewPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(wParam, lParam);
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam), wParam, lParam);
    case WM_HSCROLL: return OnHScroll(LOWORD(wParam), reinterpret_cast<HWND>(lParam), wParam, lParam);
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_SHOWWINDOW: return OnShowWindow(wParam != FALSE, wParam, lParam);
    case WM_DESTROY: return OnDestroy();
    }
    return CameraPanel::WindowProc(message, wParam, lParam);
}

LRESULT ZestViewPanel::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    LRESULT result = CameraPanel::WindowProc(WM_INITDIALOG, wParam, lParam);
    (void)autoExposure_.BindControl(hwnd(), IDC_AUTO_EXPOSURE);
    if (brightness_.BindControl(hwnd(), IDC_BRIGHTNESS_SLIDER)) (void)brightness_.EnablePositionTipAfterShow();
    if (contrast_.BindControl(hwnd(), IDC_CONTRAST_SLIDER)) (void)contrast_.EnablePositionTipAfterShow();
    if (exposure_.BindControl(hwnd(), IDC_EXPOSURE_SLIDER)) (void)exposure_.EnablePositionTipAfterShow();
    SkinWindow();
    RememberControls(kCameraControls);
    DisableAll();
    Refresh();
    StartListening();
    return result;
}

void ZestViewPanel::SkinWindow() {
    const WindowSkin look(kDialogBackgroundImage, {});
    if (!look.hasBundlePath()) return;
    char folder[MAX_PATH] = {};
    (void)BuildSkinLibraryFolder(folder);
    // The one window of the console whose descriptor carries a list of ids.
    static const uint32_t kSkinnedIds[] = {IDC_VIEW_SKIN_AREA};
    SkinDescriptorWithIds descriptor;
    descriptor.descriptor = look.descriptor();
    descriptor.idCount = 1;
    descriptor.ids = kSkinnedIds;
    (void)skin_.Open(hwnd(), descriptor, folder);
}

LRESULT ZestViewPanel::OnDestroy() {
    // No refresh request may arrive once the window is going; an open
    // advanced settings dialog goes before the panel.
    StopListening();
    CloseAdvanced();
    skin_.Close();
    return CameraPanel::WindowProc(WM_DESTROY, 0, 0);
}

bool ZestViewPanel::ReadAll() {
    ScopedCameraChannel channel(deviceName_);
    if (!channel.IsOpen()) return false;
    for (int row = 0; row < kRowCount; ++row) {
        (void)ReadCameraProperty(channel.get(), *kRows[row].set, kRows[row].id, &records_[row]);
    }
    return true;
}

void ZestViewPanel::WriteAll() {
    // A scroll notification that changed nothing (the end of a move) does
    // not go looking for the camera.
    if (!AnyValidRecordChanged(records_)) return;
    ScopedCameraChannel channel(deviceName_);
    if (!channel.IsOpen()) return;
    for (int row = 0; row < kRowCount; ++row) {
        // A record the camera did not answer holds nothing of this camera's.
        if (records_[row].valid) (void)WriteCameraProperty(channel.get(), *kRows[row].set, kRows[row].id, &records_[row]);
    }
}

void ZestViewPanel::DisableAll() {
    for (int id : kCameraControls) EnableControl(id, false);
}

void ZestViewPanel::Refresh() {
    if (!deviceName_[0] || !ReadAll()) {
        DisableAll();
        return;
    }
    const CameraProperty& exposure = records_[kExposure];
    if (exposure.valid) {
        for (int id : {IDC_AUTO_EXPOSURE, IDC_EXPOSURE_LABEL, IDC_EXPOSURE_RULE}) EnableControl(id, true);
        int check = exposure.automatic ? BST_CHECKED : BST_UNCHECKED;
        if (autoExposure_.GetCheck() != check) autoExposure_.SetCheck(check);
        // In automatic mode the disabled slider follows the camera's choice.
        EnableControl(IDC_EXPOSURE_SLIDER, !exposure.automatic);
        ShowPropertyOnSlider(exposure_, exposure);
    }
    if (records_[kBrightness].valid) {
        EnableControl(IDC_BRIGHTNESS_LABEL, true);
        EnableControl(IDC_BRIGHTNESS_SLIDER, true);
        ShowPropertyOnSlider(brightness_, records_[kBrightness]);
    }
    if (records_[kContrast].valid) {
        EnableControl(IDC_CONTRAST_LABEL, true);
        EnableControl(IDC_CONTRAST_SLIDER, true);
        ShowPropertyOnSlider(contrast_, records_[kContrast]);
    }
    EnableControl(IDC_ADVANCED, true);
    EnableControl(IDC_DEFAULT, true);
}

LRESULT ZestViewPanel::OnCommand(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_AUTO_EXPOSURE: OnAutoExposureClicked(); return 0;
        case IDC_DEFAULT: OnDefaultClicked(); return 0;
        case IDC_ADVANCED: OnAdvancedClicked(); return 0;
        }
    }
    return CameraPanel::WindowProc(WM_COMMAND, wParam, lParam);
}

void ZestViewPanel::OnAutoExposureClicked() {
    CameraProperty& exposure = records_[kExposure];
    bool automatic = autoExposure_.GetCheck() == BST_CHECKED;
    exposure.automatic = automatic ? 1 : 0;
    autoExposure_.SetCheck(automatic ? BST_CHECKED : BST_UNCHECKED);
    EnableControl(IDC_EXPOSURE_SLIDER, !automatic);
    exposure.value = exposure_.GetPos();
    WriteAll();
}

void ZestViewPanel::OnDefaultClicked() {
    for (Row row : {kBrightness, kContrast}) {
        records_[row].value = records_[row].defaultValue;
        (row == kBrightness ? brightness_ : contrast_).SetPos(records_[row].defaultValue, true);
    }
    CameraProperty& exposure = records_[kExposure];
    autoExposure_.SetCheck(BST_CHECKED);
    exposure.automatic = 1;
    exposure.value = exposure.defaultValue;
    exposure_.SetPos(exposure.defaultValue, true);
    EnableControl(IDC_EXPOSURE_SLIDER, false);
    WriteAll();
}

void ZestViewPanel::OnAdvancedClicked() {
    advanced_.Attach(owner());
    // Owned by the console itself, so that the whole console waits for it.
    (void)advanced_.DoModal(::GetAncestor(hwnd(), GA_ROOT));
}

LRESULT ZestViewPanel::OnHScroll(UINT code, HWND slider, WPARAM wParam, LPARAM lParam) {
    if (slider) {
        if (slider == exposure_.hwnd()) TakeSliderPosition(exposure_, code, &records_[kExposure]);
        if (slider == brightness_.hwnd()) TakeSliderPosition(brightness_, code, &records_[kBrightness]);
        if (slider == contrast_.hwnd()) TakeSliderPosition(contrast_, code, &records_[kContrast]);
    }
    WriteAll();
    return CameraPanel::WindowProc(WM_HSCROLL, wParam, lParam);
}

LRESULT ZestViewPanel::OnSize(WPARAM wParam, LPARAM lParam) {
    LRESULT result = CameraPanel::WindowProc(WM_SIZE, wParam, lParam);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    for (TipSlider* slider : {&brightness_, &contrast_, &exposure_}) ShiftSlider(*slider, client);
    return result;
}

void ZestViewPanel::ShiftSlider(TipSlider& slider, const RECT& client) {
    if (!slider.IsWindow()) return;
    RECT r{};
    ::GetWindowRect(slider.hwnd(), &r);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    int x = r.right <= client.right ? r.left + kSliderShift : r.left - kSliderShift;
    ::SetWindowPos(slider.hwnd(), nullptr, x, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ZestViewPanel::OnShowWindow(bool show, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CameraPanel::WindowProc(WM_SHOWWINDOW, wParam, lParam);
    // The window is not visible yet while it is told it will be: ask again
    // once the show has finished.
    if (show) RequestRefresh();
    return result;
}

}  // namespace ostrivan
