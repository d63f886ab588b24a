// Demonstration of the console's controls on its skin: the camera menu
// button listing the test bed's cameras, and a slider with its position tip,
// in a window skinned by the skinning library from the console's bundle.
//
//   demo.exe                 runs until closed
//   demo.exe /show-menu N    opens the camera menu, and closes after N seconds
#include "DemoIds.h"
#include "ResourceIds.h"
#include "camera/CameraDiscovery.h"
#include "console/DeviceMenuButton.h"
#include "framework/TipSlider.h"
#include "framework/Dialog.h"
#include "skin/ResourceLibrary.h"
#include "skin/SkinPaths.h"
#include "skin/SkinSession.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace ostrivan;

namespace {

constexpr UINT_PTR kOpenMenuTimer = 1;
constexpr UINT_PTR kCloseTimer = 2;
constexpr UINT_PTR kHoverTimer = 3;

class DemoWindow : public Dialog {
public:
    DemoWindow(int closeAfterSeconds) : Dialog(IDD_DEMO, EnterEscape::Swallow), closeAfter_(closeAfterSeconds) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam), wParam, lParam);
        case WM_TIMER: return OnTimer(wParam);
        case WM_LBUTTONDOWN: return OnLButtonDown(wParam, lParam);
        case kMsgCameraPicked: return OnCameraPicked();
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT OnInitDialog() {
        if (!camera_.BindControl(hwnd(), IDC_DEMO_CAMERA) || !slider_.BindControl(hwnd(), IDC_DEMO_SLIDER)) return TRUE;
        LaunchContext context{};
        if (FindCameras(&context) == kStatusOk) {
            for (uint32_t i = 0; i < context.deviceCount; ++i) camera_.AppendEntry(context.deviceNames[i]);
        } else {
            camera_.AppendEntry("No camera connected");
        }
        camera_.AppendEntry("XC0730 Web Camera (demonstration)");
        camera_.SelectEntry(0);
        slider_.SetRange(-64, 64, true);
        slider_.SetPageSize(8);
        slider_.SetPos(12, true);
        slider_.EnablePositionTip();

        char bundle[MAX_PATH], folder[MAX_PATH];
        if (BuildSkinBundlePath(bundle) && BuildSkinLibraryFolder(folder)) {
            static const SkinControlSkin skins[] = {
                {sizeof(SkinControlSkin), kSkinControlImageButton, "Minimize.png"},
                {sizeof(SkinControlSkin), kSkinControlImageButton, "Close.png"},
                {sizeof(SkinControlSkin), kSkinControlImageButton, "Button_Special.png"},
                {sizeof(SkinControlSkin), kSkinControlImageButton, "Setting.png"},
            };
            static const SkinControlEntry controls[] = {
                {sizeof(SkinControlEntry), IDC_DEMO_MINIMIZE, &skins[0]},
                {sizeof(SkinControlEntry), IDC_DEMO_CLOSE, &skins[1]},
                {sizeof(SkinControlEntry), IDC_DEMO_CAMERA, &skins[2]},
                {sizeof(SkinControlEntry), IDC_DEMO_SETTINGS, &skins[3]},
            };
            SkinDescriptor descriptor;
            descriptor.bundlePath = bundle;
            descriptor.imageName = "BG.png";
            descriptor.controlCount = 4;
            descriptor.controls = controls;
            skinned_ = skin_.Open(hwnd(), descriptor, folder) != 0;
        }
        ShowStatus(skinned_ ? "Skinned by HookWnd.DLL from Ostrivan.bff" : "Not skinned: HookWnd.DLL or Ostrivan.bff missing");
        if (closeAfter_ > 0) {
            SetTimer(kHoverTimer, 600);
            SetTimer(kOpenMenuTimer, 1200);
            SetTimer(kCloseTimer, static_cast<UINT>(closeAfter_) * 1000);
        }
        return TRUE;
    }

    LRESULT OnCommand(WORD id, WORD, WPARAM wParam, LPARAM lParam) {
        switch (id) {
        case IDC_DEMO_CLOSE: EndDialog(IDCANCEL); return 0;
        case IDC_DEMO_MINIMIZE: ::ShowWindow(hwnd(), SW_MINIMIZE); return 0;
        case IDC_DEMO_CAMERA: camera_.ShowMenu(); return 0;
        }
        return DefaultProc(WM_COMMAND, wParam, lParam);
    }

    LRESULT OnTimer(UINT_PTR id) {
        KillTimer(id);
        if (id == kHoverTimer) {
            // Let the tip show the slider's position, as under a resting mouse.
            RECT r;
            ::GetWindowRect(slider_.hwnd(), &r);
            ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            ::PostMessageA(slider_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM((r.right - r.left) / 2, 5));
        } else if (id == kOpenMenuTimer) {
            camera_.ShowMenu();
        } else if (id == kCloseTimer) {
            ::EndMenu();
            EndDialog(IDOK);
        }
        return 0;
    }

    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam) {
        // The title band moves the window.
        if (GET_Y_LPARAM_(lParam) < 30) ::SendMessageA(hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        return DefaultProc(WM_LBUTTONDOWN, wParam, lParam);
    }
    static int GET_Y_LPARAM_(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

    LRESULT OnCameraPicked() {
        char status[300];
        std::snprintf(status, sizeof(status), "Picked: %s", camera_.selectedText());
        ShowStatus(status);
        return 0;
    }

    void ShowStatus(const char* text) { ::SetDlgItemTextA(hwnd(), IDC_DEMO_STATUS, text); }

    int closeAfter_;
    bool skinned_ = false;
    DeviceMenuButton camera_;
    TipSlider slider_;
    SkinSession skin_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    int seconds = 0;
    if (const char* option = std::strstr(commandLine, "/show-menu")) seconds = std::atoi(option + 10);
    SetResourceSource(instance);
    DemoWindow window(seconds);
    INT_PTR result = window.DoModal(nullptr);
    std::printf("demo window closed (%d)\n", static_cast<int>(result));
    return result == -1 ? 1 : 0;
}
