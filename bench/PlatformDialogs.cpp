#include "PlatformDialogs.h"

#include "BareCalls.h"

#include "ResourceIds.h"
#include "driving/HangLimit.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>

namespace bench {

namespace {

constexpr char kName[] = "XC0730 Web Camera";
constexpr char kLibrary[] = "Ostrivan.crl";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kPeriodMs = 1500;

bool Fail(const char* what) {
    std::fprintf(stderr, "platform dialogs: %s\n", what);
    return false;
}

// The resource library, loaded by the windows' thread for its whole run.
HMODULE g_library = nullptr;
UINT g_refreshMessage = 0;  // wParam: where the count goes (a testbed::ProcessObjects)
UINT g_countMessage = 0;

// The console's page step: a tenth of the range in steps, at least one step.
long PageStep(const BareProperty& read) {
    if (read.step < 1) return 0;
    const long steps = (read.maximum - read.minimum) / read.step;
    const long page = static_cast<long>(steps * 0.1 + 0.5) * read.step;
    return page < read.step ? read.step : page;
}

void ShowOnSlider(HWND dialog, int id, const BareProperty& read) {
    HWND slider = ::GetDlgItem(dialog, id);
    if (::SendMessageA(slider, TBM_GETRANGEMIN, 0, 0) != read.minimum ||
        ::SendMessageA(slider, TBM_GETRANGEMAX, 0, 0) != read.maximum) {
        ::SendMessageA(slider, TBM_SETRANGEMIN, FALSE, read.minimum);
        ::SendMessageA(slider, TBM_SETRANGEMAX, TRUE, read.maximum);
    }
    ::SendMessageA(slider, TBM_SETLINESIZE, 0, read.step);
    ::SendMessageA(slider, TBM_SETPAGESIZE, 0, PageStep(read));
    if (::SendMessageA(slider, TBM_GETPOS, 0, 0) != read.value) ::SendMessageA(slider, TBM_SETPOS, TRUE, read.value);
}

void Enable(HWND dialog, int id, bool enable) {
    HWND control = ::GetDlgItem(dialog, id);
    if (control && (::IsWindowEnabled(control) != FALSE) != enable) ::EnableWindow(control, enable);
}

bool RefreshPanel(HWND panel) {
    BareProperty read[kReadCount];
    if (!BareRefresh(kName, read)) return false;
    const bool automatic = (read[kExposureRead].flags & 1) != 0;
    for (int id : {IDC_EXPOSURE_LABEL, IDC_AUTO_EXPOSURE, IDC_EXPOSURE_RULE, IDC_BRIGHTNESS_LABEL, IDC_BRIGHTNESS_SLIDER,
                   IDC_CONTRAST_LABEL, IDC_CONTRAST_SLIDER, IDC_ADVANCED, IDC_DEFAULT}) {
        Enable(panel, id, true);
    }
    Enable(panel, IDC_EXPOSURE_SLIDER, !automatic);
    ShowOnSlider(panel, IDC_EXPOSURE_SLIDER, read[kExposureRead]);
    ShowOnSlider(panel, IDC_BRIGHTNESS_SLIDER, read[kBrightnessRead]);
    ShowOnSlider(panel, IDC_CONTRAST_SLIDER, read[kContrastRead]);
    const UINT check = automatic ? BST_CHECKED : BST_UNCHECKED;
    if (::IsDlgButtonChecked(panel, IDC_AUTO_EXPOSURE) != check) ::CheckDlgButton(panel, IDC_AUTO_EXPOSURE, check);
    return true;
}

void RefreshAdvanced(HWND dialog) {
    BareProperty read[kAdvancedReadCount];
    if (!BareAdvancedRefresh(kName, read)) return;
    for (int id : {IDC_POWER_LINE_LABEL, IDC_POWER_LINE_50HZ, IDC_POWER_LINE_60HZ, IDC_POWER_LINE_OFF, IDC_SHARPNESS_LABEL,
                   IDC_SHARPNESS_SLIDER, IDC_BACKLIGHT_LABEL, IDC_BACKLIGHT_SLIDER, IDC_SLIDER_GROUP_LABEL,
                   IDC_ADVANCED_DEFAULT}) {
        Enable(dialog, id, true);
    }
    ShowOnSlider(dialog, IDC_SHARPNESS_SLIDER, read[kSharpnessRead]);
    ShowOnSlider(dialog, IDC_BACKLIGHT_SLIDER, read[kBacklightRead]);
    const int buttons[] = {IDC_POWER_LINE_OFF, IDC_POWER_LINE_50HZ, IDC_POWER_LINE_60HZ};
    const long value = read[kPowerLineRead].value;
    if (value >= 0 && value < 3) ::CheckRadioButton(dialog, IDC_POWER_LINE_50HZ, IDC_POWER_LINE_OFF, buttons[value]);
}

// The modal dialogs' buttons that open further ones.
struct Opening {
    int button;
    int templateId;
};
const Opening kOpenings[] = {
    {IDC_ADVANCED, IDD_ADVANCED},
    {IDC_OPTIONS, IDD_OPTIONS},
    {IDC_LOCK_TOGGLE, IDD_PASSWORD_PROMPT},
    {IDC_CHANGE_PASSWORD, IDD_SET_PASSWORD},
};

INT_PTR CALLBACK ModalProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the dialog a button opens, if any, owned by the window's top-level window.
bool OpenFrom(HWND window, int button) {
    for (const Opening& opening : kOpenings) {
        if (opening.button != button) continue;
        ::DialogBoxParamA(g_library, MAKEINTRESOURCEA(opening.templateId), ::GetAncestor(window, GA_ROOT), ModalProc,
                          opening.templateId);
        return true;
    }
    return false;
}

INT_PTR CALLBACK ModalProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        if (lParam == IDD_ADVANCED) {
            RefreshAdvanced(dialog);
            ::SetTimer(dialog, kTimer, kPeriodMs, nullptr);
        }
        return TRUE;
    case WM_TIMER: RefreshAdvanced(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::KillTimer(dialog, kTimer);
            ::EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return OpenFrom(dialog, LOWORD(wParam));
    }
    return FALSE;
}

INT_PTR CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM) {
    if (message == g_refreshMessage) {
        ::SetWindowLongPtrA(panel, DWLP_MSGRESULT, RefreshPanel(panel));
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_TIMER: RefreshPanel(panel); return TRUE;
    case WM_COMMAND: return OpenFrom(panel, LOWORD(wParam));
    case WM_DESTROY: ::KillTimer(panel, kTimer); return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK ConsoleProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == g_countMessage) {
        *reinterpret_cast<testbed::ProcessObjects*>(wParam) = testbed::CountProcessObjects();
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CLOSE) {
            ::DestroyWindow(window);
            return TRUE;
        }
        return OpenFrom(window, LOWORD(wParam));
    case WM_CLOSE: ::DestroyWindow(window); return TRUE;
    case WM_DESTROY: ::PostQuitMessage(0); return FALSE;
    }
    return FALSE;
}

// The panel below the console's tab row, as the console places its section.
void PlacePanel(HWND window, HWND panel) {
    RECT tabs{};
    ::GetWindowRect(::GetDlgItem(window, IDC_TAB_PLACEHOLDER), &tabs);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&tabs), 2);
    ::SetWindowPos(panel, nullptr, 0, tabs.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

DWORD WINAPI PlatformDialogs::Run(void* parameter) {
    auto* dialogs = static_cast<PlatformDialogs*>(parameter);
    if (FAILED(::CoInitialize(nullptr))) return 1;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    ostrivan::UniqueModule library(::LoadLibraryA(kLibrary));
    g_library = library.get();
    HWND window = g_library ? ::CreateDialogParamA(g_library, MAKEINTRESOURCEA(IDD_CONSOLE), nullptr, ConsoleProc, 0)
                            : nullptr;
    HWND panel = window ? ::CreateDialogParamA(g_library, MAKEINTRESOURCEA(IDD_VIEW_PANEL), window, PanelProc, 0)
                        : nullptr;
    bool ready = false;
    if (panel) {
        ::SetWindowTextA(window, "Platform dialogs");
        PlacePanel(window, panel);
        ::ShowWindow(panel, SW_SHOW);
        ::ShowWindow(window, SW_SHOWNORMAL);
        ::UpdateWindow(window);
        ready = RefreshPanel(panel) && ::SetTimer(panel, kTimer, kPeriodMs, nullptr);
    }
    if (ready) {
        dialogs->window_ = window;
        dialogs->panel_ = panel;
        ::SetEvent(dialogs->ready_.get());
        // Until the window is closed.
        MSG message;
        while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (::IsDialogMessageA(window, &message)) continue;
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    if (::IsWindow(window)) ::DestroyWindow(window);
    g_library = nullptr;
    library.reset();
    ::CoUninitialize();
    return 0;
}

bool PlatformDialogs::Open() {
    g_refreshMessage = ::RegisterWindowMessageA("PlatformDialogsRefresh");
    g_countMessage = ::RegisterWindowMessageA("PlatformDialogsCount");
    ready_.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!ready_) return Fail("no event");
    thread_.reset(::CreateThread(nullptr, 0, Run, this, 0, &threadId_));
    if (!thread_) return Fail("no thread");
    HANDLE waits[] = {ready_.get(), thread_.get()};
    if (::WaitForMultipleObjects(2, waits, FALSE, driving::kHangLimitMs) != WAIT_OBJECT_0) {
        return Fail("the window did not show the camera (is the resource library installed?)");
    }
    return true;
}

testbed::ProcessObjects PlatformDialogs::Count() const {
    testbed::ProcessObjects counted;
    ::SendMessageA(window_, g_countMessage, reinterpret_cast<WPARAM>(&counted), 0);
    return counted;
}

bool PlatformDialogs::Refresh() const {
    DWORD_PTR refreshed = 0;
    return ::SendMessageTimeoutA(panel_, g_refreshMessage, 0, 0, SMTO_BLOCK, driving::kHangLimitMs, &refreshed) &&
           refreshed;
}

void PlatformDialogs::Close() {
    if (window_) ::PostMessageA(window_, WM_CLOSE, 0, 0);
    window_ = nullptr;
    panel_ = nullptr;
    if (thread_ && ::WaitForSingleObject(thread_.get(), driving::kHangLimitMs) != WAIT_OBJECT_0) {
        Fail("the windows' thread did not end");
    }
    thread_.reset();
}

}  // namespace bench
