#include "dialogs/AdvancedSettingsDialog.h"

#include "ResourceIds.h"

#include <iterator>

namespace ostrivan {

namespace {

const PropertyRow kRows[] = {
    {&IID_IAMVideoProcAmp, kPowerLineFrequencyProperty,
     {IDC_POWER_LINE_LABEL, IDC_POWER_LINE_50HZ, IDC_POWER_LINE_60HZ, IDC_POWER_LINE_OFF}, 0, SliderUse::Always,
     ReadPowerLineFrequency, WritePowerLineFrequency},
    {&IID_IAMVideoProcAmp, VideoProcAmp_Sharpness, {IDC_SHARPNESS_LABEL}, IDC_SHARPNESS_SLIDER},
    {&IID_IAMVideoProcAmp, VideoProcAmp_BacklightCompensation, {IDC_BACKLIGHT_LABEL}, IDC_BACKLIGHT_SLIDER},
};
static_assert(std::size(kRows) == AdvancedSettingsDialog::kRowCount, "a row for every record");

// Follow the camera beside the rows' own; Cancel is always enabled.
constexpr int kOwnControls[] = {IDC_SLIDER_GROUP_LABEL, IDC_ADVANCED_DEFAULT};

const CameraPanel::Form kForm = {
    IDD_ADVANCED, Dialog::EnterEscape::Keep, AdvancedSettingsDialog::kTitle, kRows, kOwnControls,
    CameraPanel::PositionTips::AtOpening, {}, CameraPanel::FirstReading::WhenItComes,
};

// The record's power-line value and its radio button.
int PowerLineButton(int32_t value) {
    switch (static_cast<PowerLineFrequency>(value)) {
    case PowerLineFrequency::Off: return IDC_POWER_LINE_OFF;
    case PowerLineFrequency::Hz50: return IDC_POWER_LINE_50HZ;
    case PowerLineFrequency::Hz60: return IDC_POWER_LINE_60HZ;
    default: return 0;
    }
}

}  // namespace

AdvancedSettingsDialog::AdvancedSettingsDialog() : CameraPanel(kForm) {}

void AdvancedSettingsDialog::DeviceChanged(const char* name) {
    SetDeviceName(name);
    if (!IsWindow()) return;
    // Cancel must never write this camera's opening values into another one.
    openingPending_ = true;
    Refresh();
}

LRESULT AdvancedSettingsDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(); break;
    case WM_COMMAND: if (OnCommand(CommandOf(wParam, lParam))) return 0; break;
    }
    return CameraPanel::WindowProc(message, wParam, lParam);
}

void AdvancedSettingsDialog::OnInitDialog() {
    closingForExit_ = false;
    RememberControl(IDOK);
    // Opening values come from the first read that reaches the camera.
    for (bool& valid : validAtOpening_) valid = false;
    openingPending_ = true;
}

void AdvancedSettingsDialog::ShowReading(bool opened) {
    if (!opened) {
        DisableCameraControls();
        EnableControl(IDOK, false);
        return;
    }
    if (openingPending_) TakeOpeningValues();
    ShowRecords();
    if (record(kPowerLine).valid) MarkPowerLineButton(record(kPowerLine).value);
    if (record(kSharpness).valid || record(kBacklight).valid) {
        EnableControl(IDC_SLIDER_GROUP_LABEL, true);
        EnableControl(IDC_ADVANCED_DEFAULT, true);
    }
    EnableControl(IDOK, true);
}

void AdvancedSettingsDialog::TakeOpeningValues() {
    for (int row = 0; row < kRowCount; ++row) {
        record(row).valueAtOpening = record(row).value;
        record(row).flagsAtOpening = record(row).flags;
        validAtOpening_[row] = record(row).valid != 0;
    }
    openingPending_ = false;
}

void AdvancedSettingsDialog::MarkPowerLineButton(int32_t value) {
    // A value without a button (the camera's own automatic choice) marks none.
    if (int button = PowerLineButton(value)) {
        ::CheckRadioButton(hwnd(), IDC_POWER_LINE_50HZ, IDC_POWER_LINE_OFF, button);
    }
}

bool AdvancedSettingsDialog::OnCommand(const Command& command) {
    if (command.code != BN_CLICKED) return false;
    switch (command.id) {
    case IDC_POWER_LINE_50HZ: ChoosePowerLine(PowerLineFrequency::Hz50, IDC_POWER_LINE_50HZ); return true;
    case IDC_POWER_LINE_60HZ: ChoosePowerLine(PowerLineFrequency::Hz60, IDC_POWER_LINE_60HZ); return true;
    case IDC_POWER_LINE_OFF: ChoosePowerLine(PowerLineFrequency::Off, IDC_POWER_LINE_OFF); return true;
    case IDC_ADVANCED_DEFAULT: SetDefaults(); return true;
    case IDCANCEL: Cancel(); return true;
    default: return false;
    }
}

void AdvancedSettingsDialog::ChoosePowerLine(PowerLineFrequency value, int button) {
    record(kPowerLine).value = static_cast<int32_t>(value);
    ::CheckRadioButton(hwnd(), IDC_POWER_LINE_50HZ, IDC_POWER_LINE_OFF, button);
    (void)WriteRecords(RowBit(kPowerLine));
}

void AdvancedSettingsDialog::SetDefaults() {
    ResetToDefault(kBacklight);
    ResetToDefault(kSharpness);
    (void)WriteRecords(RowBit(kBacklight) | RowBit(kSharpness));
}

void AdvancedSettingsDialog::CloseForExit() {
    if (!IsWindow()) return;
    // The dialog manager answers the close request with a Cancel it posts.
    closingForExit_ = true;
    ::SendMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void AdvancedSettingsDialog::Cancel() {
    // A close of the console while Cancel waits finds it under way.
    if (cancelling_) return;
    cancelling_ = true;
    uint32_t restored = 0;
    for (int row = 0; row < kRowCount; ++row) {
        // Nothing read from this camera yet: there is nothing to restore.
        if (openingPending_ || !validAtOpening_[row]) continue;
        CameraProperty& values = record(row);
        values.value = values.valueAtOpening;
        values.flags = values.flagsAtOpening;
        // The write takes the mode from the automatic field, not the flags.
        values.automatic = (values.flagsAtOpening & kFlagAutomatic) ? 1 : 0;
        restored |= RowBit(row);
    }
    if (uint32_t job = restored ? WriteRecords(restored) : 0) {
        // The values go back to the camera before the dialog goes; the
        // dialog takes no input meanwhile, the console's other messages
        // still run. A console that is closing waits only a moment.
        ::EnableWindow(hwnd(), FALSE);
        bool done = !closingForExit_ && WaitForCamera(job, kCancelWaitMs, true, [this] { return closingForExit_; });
        // The console closing, now or meanwhile, waits a moment only.
        if (!done && closingForExit_) (void)WaitForCamera(job, kExitWaitMs, false);
    }
    cancelling_ = false;
    if (IsWindow()) EndDialog(IDCANCEL);
}

}  // namespace ostrivan
