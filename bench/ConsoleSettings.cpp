#include "ConsoleSettings.h"

#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/Press.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "driving/WindowWaits.h"
#include "host/HostCommands.h"

#include <cstdio>
#include <string>

namespace bench {

namespace {

constexpr char kConsoleTitle[] = "XC0730 Camera Console";
constexpr char kAdvancedTitle[] = "Zest! View Advanced Settings";
constexpr char kHostTitle[] = "Console host";
constexpr char kEntry[] = "rundll32.exe Ostrivan.dll,ksCVWConsoleRunDLL32EP";

bool Fail(const char* what) {
    std::fprintf(stderr, "window_stall_bench: %s\n", what);
    return false;
}

// The test bed's host program, built beside this one for the same architecture.
std::string HostProgram() {
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    return "\"" + folder.substr(0, folder.find_last_of('\\') + 1) + "consolehost.exe\"";
}

// The view panel has read the camera once its Advanced button is enabled.
bool WaitForPanel(HWND within) {
    return driving::WaitForWindow(driving::AnyWindow().Within(within).WithId(IDC_ADVANCED).Enabled()) != nullptr;
}

}  // namespace

bool ConsoleInSetting::Open(ConsoleSetting setting) {
    setting_ = setting;
    switch (setting) {
    case ConsoleSetting::Standalone: return OpenStandalone();
    case ConsoleSetting::AdvancedOpen: return OpenStandalone() && OpenAdvancedDialog();
    case ConsoleSetting::Integrated: return OpenIntegrated();
    }
    return false;
}

bool ConsoleInSetting::OpenStandalone() {
    if (!process_.Start(kEntry, kConsoleTitle)) return Fail("the console did not show");
    console_ = process_.window();
    if (!WaitForPanel(console_)) return Fail("the console's view panel did not read the camera");
    targets_ = {console_};
    return true;
}

bool ConsoleInSetting::OpenAdvancedDialog() {
    // Posted, as a user's click comes: the dialog's modal run holds the console's thread.
    if (!driving::Press(driving::AnyWindow().Within(console_).WithId(IDC_ADVANCED).Enabled().Find()) ||
        !driving::WaitUntil([&] { return (dialog_ = process_.FindVisibleWindow(kAdvancedTitle)) != nullptr; })) {
        return Fail("the advanced settings dialog did not open");
    }
    // Its OK button is enabled once its first reading is shown.
    if (!driving::WaitForWindow(driving::AnyWindow().Within(dialog_).WithId(IDOK).Enabled())) {
        return Fail("the advanced settings dialog did not read the camera");
    }
    targets_ = {dialog_, console_};
    return true;
}

bool ConsoleInSetting::OpenIntegrated() {
    if (!process_.Start(HostProgram(), kHostTitle)) return Fail("the host application did not show");
    const HWND host = process_.window();
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutA(host, testbed::kHostConsoleWindow, 0, 0, SMTO_BLOCK, driving::kHangLimitMs, &answer)) {
        return Fail("the host did not answer");
    }
    console_ = reinterpret_cast<HWND>(answer);
    if (!console_ || !::IsChild(host, console_)) return Fail("the integrated console is not inside the host's window");
    if (!WaitForPanel(console_)) return Fail("the integrated console's view panel did not read the camera");
    targets_ = {console_};
    return true;
}

bool ConsoleInSetting::Close() {
    if (dialog_ && !driving::PressAndWaitGone(dialog_, IDCANCEL)) return Fail("the advanced settings dialog did not close");
    dialog_ = nullptr;
    // The host closes its instance with its window.
    const HWND closed = setting_ == ConsoleSetting::Integrated ? process_.window() : console_;
    if (!closed || !::PostMessageA(closed, WM_CLOSE, 0, 0) || !process_.WaitForEnd()) return Fail("the console did not end");
    return true;
}

}  // namespace bench
