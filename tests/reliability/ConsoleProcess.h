// Standalone consoles in rundll32 processes of the prefix, as the
// reliability tests start, drive and end them.
#pragma once

#include "driving/HangLimit.h"
#include "driving/WindowSearch.h"
#include "driving/WindowWaits.h"
#include "reliability/Figures.h"
#include "settings/SettingsStore.h"
#include "support/VirtualCameraFixture.h"

#include <windows.h>

#include <shlwapi.h>

#include <string>

namespace reliability {

// A console asked to close ends within a second, whatever its camera does;
// on top, room for a loaded machine.
constexpr double kCloseMs = 1000;
constexpr double kLoadAllowanceMs = 800;
constexpr const char* kTitle = "XC0730 Camera Console";
constexpr const char* kCamera = "XC0730 Web Camera";

inline std::string RunDll32(const char* exportName, const std::string& arguments) {
    return std::string("rundll32.exe Ostrivan.dll,") + exportName + " " + arguments;
}

inline std::string Console(const std::string& arguments) { return RunDll32("ksCVWConsoleRunDLL32EP", arguments); }

// The 32-bit system folder, where rundll32 finds the module and its libraries.
inline std::string SystemFile(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

// A text of the installed resource library.
inline std::string LibraryString(UINT id) {
    HMODULE library = ::LoadLibraryExA(SystemFile("Ostrivan.crl").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[512] = {};
    if (library) {
        ::LoadStringA(library, id, text, sizeof(text));
        ::FreeLibrary(library);
    }
    return text;
}

// Whether the window's thread still takes messages.
inline bool Answers(HWND window) {
    DWORD_PTR ignored = 0;
    return window && ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, driving::kHangLimitMs, &ignored) != 0;
}

// The console's window once it shows; null when none showed in time.
inline HWND WaitForConsoleWindow() { return driving::WaitForWindow(driving::AnyWindow().Titled(kTitle)); }

enum class CloseBy { Message, QuitLine };

// Asks a running console to close: a close message to its window, or
// "/quit" from another program. False when the request could not be made.
inline bool RequestClose(HWND window, CloseBy by) {
    if (by == CloseBy::Message) return ::PostMessageA(window, WM_CLOSE, 0, 0) != FALSE;
    return testsupport::RunProgram(Console("/quit")) == 0;
}

// Waits for a process and closes its handle; its exit code, or kTimedOut
// (the process is then ended).
inline int Finish(HANDLE process, DWORD ms) {
    DWORD code = static_cast<DWORD>(kTimedOut);
    if (::WaitForSingleObject(process, ms) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process, &code);
    } else {
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, ms);
    }
    ::CloseHandle(process);
    return static_cast<int>(code);
}

// No settings before and after each test, and the standard camera plugged.
class ConsoleBed : public testsupport::VirtualCameraBed {
protected:
    void SetUp() override {
        VirtualCameraBed::SetUp();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, ostrivan::kConsoleKey);
        PlugStandardCamera(1, kCamera);
    }
    void TearDown() override {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, ostrivan::kConsoleKey);
        VirtualCameraBed::TearDown();
    }
};

}  // namespace reliability
