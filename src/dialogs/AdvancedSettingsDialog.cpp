#include "dialogs/AdvancedSettingsDialog.h"

#include "ResourceIds.h"
#include "camera/ScopedCameraChannel.h"
#include "camera/VendorProperty.h"
#include "dialogs/PropertySlider.h"
#include "skin/SkinImages.h"
#include "skin/SkinPaths.h"
#include "skin/WindowSkin.h"

namespace ostrivan {

namespace {

// The published picture-control property 13; older headers do not name it.
constexpr long kPowerLineFrequency = 13;

struct PropertyRow {
    long id;  // of IAMVideoProcAmp
};
constexpr PropertyRow kRows[AdvancedSettingsDialog::kRowCount] = {
    {kPowerLineFrequency},
    {VideoProcAmp_Sharpness},
    {VideoProcAmp_BacklightCompensation},
};

// Every control that follows the camera; Cancel is always enabled.
constexpr int kCameraControls[] = {
    IDC_POWER_LINE_LABEL, IDC_POWER_LINE_50HZ,   IDC_POWER_LINE_60HZ,  IDC_POWER_LINE_OFF,
    IDC_SHARPNESS_LABEL,  IDC_SHARPNESS_SLIDER,  IDC_BACKLIGHT_LABEL,  IDC_BACKLIGHT_SLIDER,
    IDC_SLIDER_GROUP_LABEL, IDC_ADVANCED_DEFAULT,
};

// The record's power-line value and its radio button.
int PowerLineButton(int32_t value) {
    switch (value) {
    case 0: return IDC_POWER_LINE_OFF;
    case 1: return IDC_POWER_LINE_50HZ;
    case 2: return IDC_POWER_LINE_60HZ;
    default: return 0;
    }
}

}  // namespace

AdvancedSettingsDialog::AdvancedSettingsDialog() : CameraPanel(IDD_ADVANCED, EnterEscape::Keep, kTitle) {}

AdvancedSettingsDialog::~AdvancedSettingsDialog() {
    // The listener ends before anything it could reach goes.
    StopListening();
    DestroyWindow();
}

void AdvancedSettingsDialog::DeviceChanged(const char* name) {
    SetDeviceName(name);
    if (!IsWindow()) return;
    // Cancel must never write this camera's opening values into another one.
    openingPending_ = true;
    Refresh();
}

uint32_t AdvancedSettingsDialog::ToFallbackCode(int32_t value) {
    switch (value) {
    case 1: return 2;
    case 2: return 3;
    default: return 1;
    }
}

int32_t AdvancedSettingsDialog::FromFallbackCode(uint32_t code) {
    switch (code) {
    case 2: return 1;
    case 3: return 2;
    default: return 0;
    }
}

LRESULT AdvancedSettingsDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(wParam, lParam);
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam), wParam, lParam);
    case WM_HSCROLL: return OnHScroll(LOWORD(wParam), reinterpret_cast<HWND>(lParam), wParam, lParam);
    case WM_DESTROY: return OnDestroy();
    }
    return CameraPanel::WindowProc(message, wParam, lParam);
}

LRESULT AdvancedSettingsDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    LRESULT result = CameraPanel::WindowProc(WM_INITDIALOG, wParam, lParam);
    if (sharpness_.BindControl(hwnd(), IDC_SHARPNESS_SLIDER)) (void)sharpness_.EnablePositionTip();
    if (backlight_.BindControl(hwnd(), IDC_BACKLIGHT_SLIDER)) (void)backlight_.EnablePositionTip();
    SkinWindow();
    RememberControls(kCameraControls);
    RememberControl(IDOK);
    for (int id : kCameraControls) EnableControl(id, false);

    // Opening values come from the first read that reaches the camera.
    for (bool& valid : validAtOpening_) valid = false;
    openingPending_ = true;
    Refresh();
    StartListening();
    return result;
}

void AdvancedSettingsDialog::SkinWindow() {
    const WindowSkin look(kDialogBackgroundImage, {});
    if (!look.hasBundlePath()) return;
    char folder[MAX_PATH] = {};
    (void)BuildSkinLibraryFolder(folder);
    (void)skin_.Open(hwnd(), look.descriptor(), folder);
}

LRESULT AdvancedSettingsDialog::OnDestroy() {
    // No refresh request may arrive once the window is going.
    StopListening();
    skin_.Close();
    return CameraPanel::WindowProc(WM_DESTROY, 0, 0);
}

bool AdvancedSettingsDialog::ReadAll() {
    ScopedCameraChannel channel(deviceName_);
    if (!channel.IsOpen()) return false;
    for (int row = 0; row < kRowCount; ++row) {
        bool read = ReadCameraProperty(channel.get(), IID_IAMVideoProcAmp, kRows[row].id, &records_[row]);
        if (row == kPowerLine && !read && channel.get()->propertySet) ReadPowerLineFallback(channel.get());
    }
    return true;
}

void AdvancedSettingsDialog::ReadPowerLineFallback(CameraChannel* channel) {
    CameraProperty& record = records_[kPowerLine];
    record.minimum = 1;
    record.maximum = 3;
    record.step = 1;
    record.defaultValue = 2;
    record.flags = kFlagManual;
    record.capabilities = kFlagManual;
    record.automatic = 0;
    VendorPropertyBuffer buffer;
    if (!GetVendorProperty(channel, kPowerLineFallbackProperty, &buffer)) {
        record.valid = 0;
        return;
    }
    record.value = FromFallbackCode(buffer.At(VendorPropertyBuffer::kValueOffset));
    record.appliedValue = record.value;
    record.appliedFlags = record.flags;
    record.valid = 1;
}

void AdvancedSettingsDialog::Refresh() {
    if (!ReadAll()) {
        for (int id : kCameraControls) EnableControl(id, false);
        EnableControl(IDOK, false);
        return;
    }
    if (openingPending_) TakeOpeningValues();

    if (records_[kPowerLine].valid) {
        for (int id : {IDC_POWER_LINE_LABEL, IDC_POWER_LINE_50HZ, IDC_POWER_LINE_60HZ, IDC_POWER_LINE_OFF}) {
            EnableControl(id, true);
        }
        MarkPowerLineButton(records_[kPowerLine].value);
    }
    if (records_[kSharpness].valid) {
        EnableControl(IDC_SHARPNESS_LABEL, true);
        EnableControl(IDC_SHARPNESS_SLIDER, true);
        ShowPropertyOnSlider(sharpness_, records_[kSharpness]);
    }
    if (records_[kBacklight].valid) {
        EnableControl(IDC_BACKLIGHT_LABEL, true);
        EnableControl(IDC_BACKLIGHT_SLIDER, true);
        ShowPropertyOnSlider(backlight_, records_[kBacklight]);
    }
    if (records_[kSharpness].valid || records_[kBacklight].valid) {
        EnableControl(IDC_SLIDER_GROUP_LABEL, true);
        EnableControl(IDC_ADVANCED_DEFAULT, true);
    }
    EnableControl(IDOK, true);
}

void AdvancedSettingsDialog::TakeOpeningValues() {
    for (int row = 0; row < kRowCount; ++row) {
        records_[row].valueAtOpening = records_[row].value;
        records_[row].flagsAtOpening = records_[row].flags;
        validAtOpening_[row] = records_[row].valid != 0;
    }
    openingPending_ = false;
}

void AdvancedSettingsDialog::MarkPowerLineButton(int32_t value) {
    // A value without a button (the camera's own automatic choice) marks none.
    if (int button = PowerLineButton(value)) {
        ::CheckRadioButton(hwnd(), IDC_POWER_LINE_50HZ, IDC_POWER_LINE_OFF, button);
    }
}

void AdvancedSettingsDialog::Apply() {
    // A scroll notification that changed nothing (the end of a move) does
    // not go looking for the camera.
    if (!AnyValidRecordChanged(records_)) return;
    ScopedCameraChannel channel(deviceName_);
    if (!channel.IsOpen()) return;
    for (int row = 0; row < kRowCount; ++row) {
        CameraProperty& record = records_[row];
        // A record the camera did not answer holds nothing of this camera's.
        if (!record.valid) continue;
        bool written = WriteCameraProperty(channel.get(), IID_IAMVideoProcAmp, kRows[row].id, &record);
        if (row != kPowerLine || written || !channel.get()->propertySet) continue;
        VendorPropertyBuffer buffer;
        buffer.Put(VendorPropertyBuffer::kValueOffset, ToFallbackCode(record.value));
        (void)SetVendorProperty(channel.get(), kPowerLineFallbackProperty, &buffer);
        record.appliedValue = record.value;
        record.appliedFlags = record.flags;
    }
}

LRESULT AdvancedSettingsDialog::OnCommand(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_POWER_LINE_50HZ: ChoosePowerLine(1, id); return 0;
        case IDC_POWER_LINE_60HZ: ChoosePowerLine(2, id); return 0;
        case IDC_POWER_LINE_OFF: ChoosePowerLine(0, id); return 0;
        case IDC_ADVANCED_DEFAULT: SetDefaults(); return 0;
        case IDCANCEL: Cancel(); return 0;
        }
    }
    return CameraPanel::WindowProc(WM_COMMAND, wParam, lParam);
}

void AdvancedSettingsDialog::ChoosePowerLine(int32_t value, int button) {
    records_[kPowerLine].value = value;
    ::CheckRadioButton(hwnd(), IDC_POWER_LINE_50HZ, IDC_POWER_LINE_OFF, button);
    Apply();
}

void AdvancedSettingsDialog::SetDefaults() {
    backlight_.SetPos(records_[kBacklight].defaultValue, true);
    records_[kBacklight].value = records_[kBacklight].defaultValue;
    sharpness_.SetPos(records_[kSharpness].defaultValue, true);
    records_[kSharpness].value = records_[kSharpness].defaultValue;
    Apply();
}

void AdvancedSettingsDialog::Cancel() {
    for (int row = 0; row < kRowCount; ++row) {
        // Nothing read from this camera yet: there is nothing to restore.
        if (openingPending_ || !validAtOpening_[row]) continue;
        CameraProperty& record = records_[row];
        record.value = record.valueAtOpening;
        record.flags = record.flagsAtOpening;
        // The write takes the mode from the automatic field, not the flags.
        record.automatic = (record.flagsAtOpening & kFlagAutomatic) ? 1 : 0;
    }
    Apply();
    EndDialog(IDCANCEL);
}

LRESULT AdvancedSettingsDialog::OnHScroll(UINT code, HWND slider, WPARAM wParam, LPARAM lParam) {
    if (slider && slider == sharpness_.hwnd()) TakeSliderPosition(sharpness_, code, &records_[kSharpness]);
    if (slider && slider == backlight_.hwnd()) TakeSliderPosition(backlight_, code, &records_[kBacklight]);
    Apply();
    return CameraPanel::WindowProc(WM_HSCROLL, wParam, lParam);
}

}  // namespace ostrivan
