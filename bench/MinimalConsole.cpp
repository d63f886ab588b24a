#include "MinimalConsole.h"

#include "BareCalls.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>
#include <string>

namespace {

constexpr char kClass[] = "MinimalCameraConsole";
constexpr int kSliderLeft = 20;
constexpr int kSliderTop = 40;
constexpr int kSliderPitch = 40;
constexpr int kSliderHeight = 30;

HINSTANCE g_instance = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void AddSlider(HWND parent, int index, int width, const bench::BareProperty& read) {
    HWND slider = ::CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | TBS_HORZ, kSliderLeft,
                                    kSliderTop + index * kSliderPitch, width - 2 * kSliderLeft, kSliderHeight, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + index)), g_instance, nullptr);
    ::SendMessageA(slider, TBM_SETRANGEMIN, FALSE, read.minimum);
    ::SendMessageA(slider, TBM_SETRANGEMAX, FALSE, read.maximum);
    ::SendMessageA(slider, TBM_SETPOS, TRUE, read.value);
}

void Run(int width, int height, const std::string& camera) {
    bench::BareProperty read[bench::kReadCount];
    if (FAILED(::CoInitialize(nullptr))) return;
    bool haveValues = bench::BareRefresh(camera, read);
    ::CoUninitialize();
    if (!haveValues) return;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = g_instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClass;
    if (!::RegisterClassA(&windowClass)) return;
    HWND window = ::CreateWindowExA(0, kClass, bench::kMinimalConsoleTitle, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                                    100, 100, width, height, nullptr, nullptr, g_instance, nullptr);
    if (window) {
        for (int i = 0; i < bench::kReadCount; ++i) AddSlider(window, i, width, read[i]);
        ::ShowWindow(window, SW_SHOW);
        ::UpdateWindow(window);
        MSG message;
        while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    ::UnregisterClassA(kClass, g_instance);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) g_instance = instance;
    return TRUE;
}

extern "C" void CALLBACK MinimalConsoleRunDLL32EP(HWND, HINSTANCE, LPSTR commandLine, int) {
    if (!commandLine) return;
    char* rest = commandLine;
    long width = std::strtol(rest, &rest, 10);
    long height = std::strtol(rest, &rest, 10);
    while (*rest == ' ') ++rest;
    if (width <= 0 || height <= 0 || *rest == '\0') return;
    Run(static_cast<int>(width), static_cast<int>(height), rest);
}
