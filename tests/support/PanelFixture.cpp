#include "support/PanelFixture.h"

#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "settings/SettingsStore.h"

#include <commctrl.h>

#include <cmath>
#include <cstdio>

namespace testsupport {

using testbed::ControlGroup;
using testbed::ControlState;

namespace {

const char* GroupName(ControlGroup group) {
    switch (group) {
    case ControlGroup::CameraControl: return "camera";
    case ControlGroup::ProcAmp: return "procamp";
    default: return "vendor";
    }
}

// Where on the slider's channel a value lies, as the track bar maps places
// to positions (the thumb's middle over the value).
int PlaceOf(HWND slider, int value) {
    RECT channel{}, thumb{};
    ::SendMessageA(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    ::SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    int minimum = static_cast<int>(::SendMessageA(slider, TBM_GETRANGEMIN, 0, 0));
    int maximum = static_cast<int>(::SendMessageA(slider, TBM_GETRANGEMAX, 0, 0));
    double offset = (thumb.right - thumb.left) / 2;
    double width = channel.right - channel.left - offset * 2 - 1;
    if (maximum <= minimum) return channel.left + static_cast<int>(offset);
    return static_cast<int>(std::lround(channel.left + offset + (value - minimum) * width / (maximum - minimum)));
}

}  // namespace

void PanelBed::SetUp() {
    VirtualCameraBed::SetUp();
    // The section opens by itself only when no state of it is stored.
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, ostrivan::kConsoleKey, "PanelState0");
}

void PanelBed::TearDown() {
    if (console_) {
        ::PostMessageA(console_->hwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(console_->Join(driving::kHangLimitMs)) << "the console did not end";
        console_.reset();
        // A camera worker still inside a call of a slow camera ends on its own.
        EXPECT_TRUE(driving::WaitUntil([&] { return LiveObjects() == 0; }, driving::kHangLimitMs))
            << "a camera worker never let go of its camera";
    }
    VirtualCameraBed::TearDown();
}

void PanelBed::StartConsole() {
    console_ = std::make_unique<RunningConsole>();
    ASSERT_TRUE(console_->WaitForFirstShow()) << "the panel was never shown";
    console_->Sync();
    Settle();
}

void PanelBed::PlugRealCamera(int index, const char* name, testbed::CameraPreset preset) {
    ASSERT_TRUE(testbed::DefineCamera(index, name, preset));
    ASSERT_TRUE(testbed::PlugVirtualCamera(index));
}

void PanelBed::Offer(int camera, ControlGroup group, LONG id, LONG minimum, LONG maximum, LONG step,
                     LONG defaultValue, LONG value, LONG flags, LONG capabilities) {
    ASSERT_TRUE(testbed::OfferControl(
        camera, group, id, testbed::OfferedState(minimum, maximum, step, defaultValue, value, flags, capabilities)));
}

ControlState PanelBed::Camera(ControlGroup group, LONG id, int camera) {
    ControlState state;
    EXPECT_TRUE(testbed::ReadControl(camera, group, id, &state));
    return state;
}

DWORD PanelBed::SetCalls(ControlGroup group, LONG id, int camera) { return testbed::SetCallCount(camera, group, id); }

LONG PanelBed::Reported(ControlGroup group, LONG id, int camera) {
    ControlState state = Camera(group, id, camera);
    return (state.flags & 1) ? state.autoValue : state.value;
}

void PanelBed::CameraChooses(ControlGroup group, LONG id, LONG value, int camera) {
    ASSERT_TRUE(testbed::SetAutomaticChoice(camera, group, id, value));
}

void PanelBed::CameraNowHolds(ControlGroup group, LONG id, LONG value, int camera) {
    ControlState state = Camera(group, id, camera);
    ASSERT_TRUE(testbed::StoreControlValue(camera, group, id, value, state.flags));
}

void PanelBed::AnotherProgramSets(ControlGroup group, LONG id, LONG value, LONG flags, int camera) {
    char arguments[200];
    std::snprintf(arguments, sizeof(arguments), "property %d %s %ld set %ld %ld", camera, GroupName(group), id, value,
                  flags);
    ToolCommand(arguments);
}

void PanelBed::ToolCommand(const std::string& arguments) {
    ASSERT_EQ(0, RunProgram(ProgramFolder() + "camtestbed.exe " + arguments)) << arguments;
}

int PanelBed::Position(HWND slider) { return static_cast<int>(::SendMessageA(slider, TBM_GETPOS, 0, 0)); }

bool PanelBed::Checked(HWND button) { return ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void PanelBed::Settle() {
    if (!console_) return;
    ostrivan::ZestViewPanel& view = panel();
    ostrivan::AdvancedSettingsDialog& advanced = view.advancedDialogForTesting();
    EXPECT_TRUE(driving::WaitUntil([&] { return !view.CameraBusy() && !advanced.CameraBusy(); }, driving::kHangLimitMs))
        << "the camera work was never done";
    // The handler that took the last reading has returned once this is answered.
    ::SendMessageA(view.hwnd(), WM_NULL, 0, 0);
}

void PanelBed::PressKey(HWND control, UINT key) {
    ::SendMessageA(control, WM_KEYDOWN, key, 1);
    ::SendMessageA(control, WM_KEYUP, key, 0xC0000001);
    Settle();
}

// Each mouse message goes with the system's cursor at its place: a mouse
// move the platform makes of its own while the slider holds the capture
// (when the position tip appears under the cursor, for one) then carries
// the same place, as a user's hand would, instead of wherever the cursor
// was left.
void PanelBed::SendMouse(HWND slider, UINT message, WPARAM keys, int x, int y) {
    POINT screen{x, y};
    ::ClientToScreen(slider, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageA(slider, message, keys, MAKELPARAM(x, y));
}

void PanelBed::BeginDrag(HWND slider, int value) {
    RECT thumb{};
    ::SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    int y = (thumb.top + thumb.bottom) / 2;
    SendMouse(slider, WM_LBUTTONDOWN, MK_LBUTTON, (thumb.left + thumb.right) / 2, y);
    SendMouse(slider, WM_MOUSEMOVE, MK_LBUTTON, PlaceOf(slider, value), y);
    Settle();
}

void PanelBed::EndDrag(HWND slider) {
    RECT thumb{};
    ::SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMouse(slider, WM_LBUTTONUP, 0, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    Settle();
}

void PanelBed::FlushPosted(HWND label) {
    // Two stock fonts take turns as the marker.
    static bool second = false;
    second = !second;
    WPARAM marker = reinterpret_cast<WPARAM>(::GetStockObject(second ? ANSI_VAR_FONT : DEFAULT_GUI_FONT));
    ::PostMessageA(label, WM_SETFONT, marker, FALSE);
    EXPECT_TRUE(
        driving::WaitUntil([&] { return static_cast<WPARAM>(::SendMessageA(label, WM_GETFONT, 0, 0)) == marker; }));
}

void PanelBed::SignalNamedEvent(const char* name) {
    HANDLE event = ::CreateEventA(nullptr, FALSE, FALSE, name);
    ASSERT_TRUE(event != nullptr);
    bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (existed) ::SetEvent(event);
    ::CloseHandle(event);
    ASSERT_TRUE(existed) << "nobody listens on " << name;
}

HWND PanelBed::OpenAdvanced() {
    Click(PanelControl(IDC_ADVANCED));
    HWND dialog = nullptr;
    EXPECT_TRUE(driving::WaitUntil([&] {
        dialog = panel().advancedDialogForTesting().hwnd();
        return dialog && ::IsWindowVisible(dialog);
    }))
        << "the advanced settings dialog did not open";
    Settle();
    return dialog;
}

}  // namespace testsupport
