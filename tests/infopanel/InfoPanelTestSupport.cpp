#include "InfoPanelTestSupport.h"

#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/Pump.h"
#include "framework/MessageLoop.h"
#include "settings/SettingsStore.h"

#include <cstdio>
#include <map>

namespace infopaneltest {

namespace {
constexpr char kRecorderClass[] = "InfoPanelTestRecorder";

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER) {
        Journal().push_back({window, message, wParam, lParam});
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void RegisterRecorder() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecorderProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kRecorderClass;
        return ::RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

std::string PanelStateName(int number) { return "PanelState" + std::to_string(number); }

// Restore timers taken, by window: the hook procedure has no object of its own.
std::map<HWND, int>& RestoreTimers() {
    static std::map<HWND, int> taken;
    return taken;
}

LRESULT CALLBACK CountRestoreTimer(int code, WPARAM removal, LPARAM parameter) {
    const auto* message = reinterpret_cast<const MSG*>(parameter);
    if (code == HC_ACTION && removal == PM_REMOVE && message->message == WM_TIMER &&
        message->wParam == ostrivan::kRestoreSectionsTimer) {
        ++RestoreTimers()[message->hwnd];
    }
    return ::CallNextHookEx(nullptr, code, removal, parameter);
}

}  // namespace

std::vector<Received>& Journal() {
    static std::vector<Received> journal;
    return journal;
}

std::vector<Received> ReceivedBy(HWND window, UINT message) {
    std::vector<Received> found;
    for (const Received& r : Journal())
        if (r.window == window && r.message == message) found.push_back(r);
    return found;
}

RecorderWindow::RecorderWindow(HWND parent, const RECT& rect, bool visible) {
    RegisterRecorder();
    DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
    window_ = ::CreateWindowExA(0, kRecorderClass, "recorder", style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

RecorderWindow::~RecorderWindow() {
    if (::IsWindow(window_)) ::DestroyWindow(window_);
}

void Pump() { ostrivan::MessageLoop::PumpPending(); }

RestoreTimerWatch::RestoreTimerWatch() {
    RestoreTimers().clear();
    hook_ = ::SetWindowsHookExA(WH_GETMESSAGE, CountRestoreTimer, nullptr, ::GetCurrentThreadId());
    EXPECT_NE(nullptr, hook_) << "the restore timer cannot be watched";
}

RestoreTimerWatch::~RestoreTimerWatch() {
    if (hook_) ::UnhookWindowsHookEx(hook_);
}

int RestoreTimerWatch::Taken(HWND panel) const {
    auto found = RestoreTimers().find(panel);
    return found == RestoreTimers().end() ? 0 : found->second;
}

bool RestoreTimerWatch::PumpUntilTaken(HWND panel, int times) {
    return driving::PumpUntil([&] { return Taken(panel) >= times; }, driving::kHangLimitMs,
                              ostrivan::MessageLoop::PumpPending);
}

HWND MakeClient(HWND parent, int width, int height, bool visible, const char* text) {
    return ::CreateWindowExA(0, "STATIC", text, WS_CHILD | (visible ? WS_VISIBLE : 0), 0, 0, width, height, parent,
                             nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

RECT ChildRect(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

void ClearPanelStates() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, ostrivan::kConsoleKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    for (int n = 0; n < 16; ++n) ::RegDeleteValueA(key, PanelStateName(n).c_str());
    ::RegCloseKey(key);
}

void StorePanelState(int number, DWORD value) { StorePanelStateRaw(number, REG_DWORD, &value, sizeof(value)); }

void StorePanelStateRaw(int number, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, ostrivan::kConsoleKey, 0, nullptr, 0, KEY_SET_VALUE,
                                               nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, PanelStateName(number).c_str(), 0, type,
                                              static_cast<const BYTE*>(data), size));
    ::RegCloseKey(key);
}

bool ReadPanelState(int number, DWORD* value) {
    DWORD type = 0;
    DWORD size = sizeof(*value);
    return ::RegGetValueA(HKEY_CURRENT_USER, ostrivan::kConsoleKey, PanelStateName(number).c_str(), RRF_RT_ANY, &type,
                          value, &size) == ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof(*value);
}

}  // namespace infopaneltest
