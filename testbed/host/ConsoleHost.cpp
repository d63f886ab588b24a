// A host application of the console: it loads the installed module by name,
// creates one or two instances, opens their integrated consoles, puts them
// into its own window (as children, or placed over it as they are) and
// keeps them sized to its client area, and destroys the instances when it
// closes. Other programs drive it through HostCommands.h.
//
// usage: consolehost [--two] [--place] [--mta] [--argument <camera>] [--size <w> <h>]
//                    [--dialog-loop | --window-messages-only] [--destroy-on-disable]
// --mta puts the host's thread into the multithreaded apartment first.
// --dialog-loop gives every message to IsDialogMessage of the consoles first;
// --window-messages-only dispatches only messages for windows (thread
// messages are dropped), as some hosts' loops do.
// --destroy-on-disable destroys the first instance when the host's window
// is disabled (a modal dialog of the console is being set up over it).
// Exit code: 0, or 1 when the module or an instance could not be had or a
// command of the host failed.
#include "host/HostCommands.h"
#include "host/HostInterface.h"

#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace testbed;

struct Instance {
    void* handle = nullptr;
    HWND console = nullptr;
    bool destroyed = false;
};

struct Host {
    EntryPoint entry = nullptr;
    Instance instances[2];
    int count = 1;
    bool embed = true;
    bool dialogLoop = false;
    bool windowMessagesOnly = false;
    bool destroyOnDisable = false;
    HWND window = nullptr;
};
Host g_host;

uint32_t Destroy(void* handle) {
    uint32_t block[1] = {0};
    return g_host.entry(handle, kDestroyInstance, block);
}

bool CreateOne(Instance& instance, const std::string& argument) {
    CreateInstanceBlock block{};
    std::strncpy(block.argument, argument.c_str(), sizeof(block.argument) - 1);
    if (g_host.entry(nullptr, kCreateInstance, &block) != 0) return false;
    instance.handle = block.instance;
    return instance.handle != nullptr;
}

uint32_t Open(Instance& instance) {
    OpenConsoleBlock block{0, sizeof(OpenConsoleBlock), nullptr};
    uint32_t status = g_host.entry(instance.handle, kOpenIntegratedConsole, &block);
    if (status == 0) instance.console = block.window;
    return status;
}

// Embedded consoles become children of the host's window; placed ones stay
// top-level windows over it.
void Embed(HWND console) {
    if (!g_host.embed || !console) return;
    LONG style = ::GetWindowLongA(console, GWL_STYLE);
    ::SetWindowLongA(console, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    ::SetParent(console, g_host.window);
}

void Layout() {
    RECT client{};
    ::GetClientRect(g_host.window, &client);
    int width = (client.right - client.left) / g_host.count;
    for (int i = 0; i < g_host.count; ++i) {
        HWND console = g_host.instances[i].console;
        if (!console || !::IsWindow(console)) continue;
        POINT origin{client.left + i * width, client.top};
        if (!g_host.embed) ::ClientToScreen(g_host.window, &origin);
        ::MoveWindow(console, origin.x, origin.y, width, client.bottom - client.top, TRUE);
    }
}

Instance* Numbered(WPARAM number) { return number < static_cast<WPARAM>(g_host.count) ? &g_host.instances[number] : nullptr; }

DWORD WINAPI DestroyThread(void* handle) { return Destroy(handle); }

LRESULT OnHostMessage(UINT message, WPARAM number) {
    Instance* instance = Numbered(number);
    if (!instance) return -1;
    switch (message) {
    case testbed::kHostDestroy: {
        uint32_t status = Destroy(instance->handle);
        instance->console = nullptr;
        instance->destroyed = true;
        return status;
    }
    case testbed::kHostDestroyFromThread: {
        DWORD status = static_cast<DWORD>(-1);
        HANDLE thread = ::CreateThread(nullptr, 0, DestroyThread, instance->handle, 0, nullptr);
        if (!thread) return -1;
        // This thread keeps handling messages (the request comes to the
        // console's window here) until the other one has ended.
        while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::GetExitCodeThread(thread, &status);
        ::CloseHandle(thread);
        instance->console = nullptr;
        instance->destroyed = true;
        return status;
    }
    case testbed::kHostDestroyStale: return Destroy(instance->handle);
    case testbed::kHostOpenAgain: {
        uint32_t status = Open(*instance);
        if (status == 0) {
            Embed(instance->console);
            Layout();
        }
        return status;
    }
    case testbed::kHostConsoleWindow: return reinterpret_cast<LRESULT>(instance->console);
    }
    return -1;
}

// The host's code runs inside the console's call that disabled its window.
void OnEnable(bool enabled) {
    Instance& first = g_host.instances[0];
    if (enabled || !g_host.destroyOnDisable || first.destroyed || !first.handle) return;
    Destroy(first.handle);
    first.console = nullptr;
    first.destroyed = true;
}

// Whether a console's dialog processing took the message.
bool ConsoleDialogMessage(MSG& msg) {
    if (!g_host.dialogLoop) return false;
    for (Instance& one : g_host.instances) {
        if (one.console && ::IsWindow(one.console) && ::IsDialogMessageA(one.console, &msg)) return true;
    }
    return false;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ENABLE: OnEnable(wParam != FALSE); return 0;
    case WM_SIZE: Layout(); return 0;
    case WM_MOVE: if (!g_host.embed) Layout(); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    }
    if (message >= testbed::kHostDestroy && message <= testbed::kHostConsoleWindow) return OnHostMessage(message, wParam);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::string argument = "XC0730 Web Camera";
    int width = 360, height = 320;
    for (int i = 1; i < __argc; ++i) {
        std::string word = __argv[i];
        if (word == "--two") g_host.count = 2;
        else if (word == "--place") g_host.embed = false;
        else if (word == "--mta") ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        else if (word == "--dialog-loop") g_host.dialogLoop = true;
        else if (word == "--window-messages-only") g_host.windowMessagesOnly = true;
        else if (word == "--destroy-on-disable") g_host.destroyOnDisable = true;
        else if (word == "--argument" && i + 1 < __argc) argument = __argv[++i];
        else if (word == "--size" && i + 2 < __argc) {
            width = std::atoi(__argv[++i]);
            height = std::atoi(__argv[++i]);
        }
    }

    HMODULE module = ::LoadLibraryA("Ostrivan.dll");
    if (!module) return 1;
    g_host.entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(::GetProcAddress(module, "ksCVWEntryPoint")));
    if (!g_host.entry) return 1;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = testbed::kConsoleHostClass;
    ::RegisterClassA(&windowClass);
    RECT frame{0, 0, width * g_host.count, height};
    ::AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, FALSE);
    g_host.window = ::CreateWindowExA(0, testbed::kConsoleHostClass, "Console host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                      40, 40, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                      instance, nullptr);
    if (!g_host.window) return 1;

    int result = 0;
    for (int i = 0; i < g_host.count; ++i) {
        Instance& one = g_host.instances[i];
        if (!CreateOne(one, argument) || Open(one) != 0) {
            result = 1;
            continue;
        }
        Embed(one.console);
    }
    ::ShowWindow(g_host.window, SW_SHOWNORMAL);
    Layout();

    // A host's own loop: no dialog processing of the console's unless told.
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (g_host.windowMessagesOnly && !msg.hwnd) continue;
        if (ConsoleDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    for (Instance& one : g_host.instances) {
        if (one.handle && !one.destroyed && Destroy(one.handle) != 0) result = 1;
    }
    ::FreeLibrary(module);
    return result;
}
