// ConsoleWnd: construction, message dispatch, initialisation and ending.
#include "console/ConsoleWnd.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ResourceSource.h"
#include "launch/ConsoleWatcher.h"
#include "framework/TitleFont.h"
#include "settings/SettingsStore.h"
#include "skin/SkinImages.h"
#include "skin/SkinPaths.h"
#include "skin/WindowSkin.h"

namespace ostrivan {

namespace {

constexpr int kOptionsButtonWidth = 28;
constexpr int kOptionsButtonHeight = 24;

// The console's tool tips are made with the ANSI class, so their requests are ANSI.
bool IsAnsiToolTipRequest(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    return header && header->code == TTN_NEEDTEXTA;
}

}  // namespace

ConsoleWnd::ConsoleWnd()
    : Dialog(IDD_CONSOLE, EnterEscape::Swallow) {
    HMODULE source = ResourceSource();
    icon_ = source ? ::LoadIconA(source, MAKEINTRESOURCEA(IDI_CONSOLE)) : nullptr;
}

ConsoleWnd::~ConsoleWnd() {
    // Workers hear of the end before the window and the launch record go;
    // they use neither, so one stuck in a driver need not be waited for.
    workers_.StopAll();
    // The window goes first, while the whole object still takes its messages.
    DestroyWindow();
}

void ConsoleWnd::Attach(const std::vector<std::string>& deviceList, LaunchContext* context) {
    deviceList_ = deviceList;
    context_ = context;
    CopyText(currentDevice_, context && context->selectedDevice ? context->selectedDevice : "");
}

LRESULT ConsoleWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_SYSCOMMAND: return OnSysCommand(static_cast<UINT>(wParam), PointOf(lParam));
    case WM_PAINT: if (::IsIconic(hwnd())) return OnPaintMinimised(); break;
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(icon_);
    case WM_LBUTTONDOWN: if (OnLButtonDown(static_cast<UINT>(wParam), PointOf(lParam))) return 0; break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), PointOf(lParam)); break;
    case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), PointOf(lParam)); break;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PointOf(lParam)); break;
    case WM_SIZING: return OnSizing(static_cast<UINT>(wParam), reinterpret_cast<RECT*>(lParam));
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), SizeOf(lParam)); break;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); break;
    case WM_DEVICECHANGE: return OnDeviceChange(static_cast<UINT>(wParam), static_cast<DWORD_PTR>(lParam));
    case WM_CLOSE: OnClose(); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_NOTIFY: if (IsAnsiToolTipRequest(lParam)) return OnToolTipText(*reinterpret_cast<NMHDR*>(lParam)); break;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); break;
    case kMsgFitToPanel: return OnFitToPanel();
    case kMsgShowInfoPanel: return OnShowInfoPanel(true);
    case kMsgHideInfoPanel: return OnShowInfoPanel(false);
    case kMsgCameraPicked: return OnCameraPicked();
    case kMsgDeviceListReady: return OnDeviceListReady(lParam);
    case kMsgDeviceReachable: return OnDeviceReachable();
    case kMsgBringToFront: return OnBringToFront();
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT ConsoleWnd::OnInitDialog() {
    (void)closeButton_.BindControl(hwnd(), IDC_CLOSE);
    (void)minimiseButton_.BindControl(hwnd(), IDC_MINIMIZE);
    (void)deviceButton_.BindControl(hwnd(), IDC_CAMERA_BUTTON);

    ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    ::SetWindowTextA(hwnd(), LoadResourceString(IDS_CONSOLE_TITLE).c_str());
    ::SetWindowLongA(hwnd(), GWL_STYLE, ::GetWindowLongA(hwnd(), GWL_STYLE) | WS_SYSMENU | WS_MINIMIZEBOX);

    int resolution = DisplayResolution();
    RestoreWindowPosition();
    LayOutTitleBar();
    (void)tips_.EnableAfterShow(hwnd());
    SkinWindow();
    CreateTabStrip(resolution);
    titleFont_ = CreateTitleFont(hwnd());
    CreateInfoPanel(resolution);
    RebuildDeviceMenu();

    ::SendMessageA(titleStatic_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    ::SendMessageA(infoPanel_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    infoPanel_.SetStatePersistence(&settings_, true, infoPanel_.GetSectionCount());
    FocusTitle();
    ::SetWindowPos(::GetDlgItem(hwnd(), IDC_OPTIONS), nullptr, 0, 0, kOptionsButtonWidth, kOptionsButtonHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (context_) {
        context_->consoleWindow = hwnd();
        StartConsoleWatcher(context_);
        deviceChangeMutex_.reset(::CreateMutexA(nullptr, FALSE, nullptr));
        context_->deviceChangeMutex = deviceChangeMutex_.get();
    }
    return TRUE;
}

void ConsoleWnd::SkinWindow() {
    char folder[MAX_PATH];
    (void)BuildSkinLibraryFolder(folder);
    const WindowSkin look(kConsoleBackgroundImage, {{IDC_MINIMIZE, kMinimizeButtonImage},
                                                    {IDC_CLOSE, kCloseButtonImage},
                                                    {IDC_CAMERA_BUTTON, kCameraButtonImage},
                                                    {IDC_OPTIONS, kOptionsButtonImage}});
    CopyText(bundlePath_, look.bundlePath());  // the info panel is skinned from the same bundle
    if (!skin_.Open(hwnd(), look.descriptor(), folder)) {
        ::MessageBoxA(hwnd(), LoadResourceString(IDS_SKIN_FAILED).c_str(),
                      LoadResourceString(IDS_CONSOLE_TITLE).c_str(), MB_OK);
    }
}

void ConsoleWnd::OnClose() {
    // A close request from another copy comes while the camera menu or the
    // system menu may be open: the menu must not keep the console on screen.
    ::EndMenu();
    if (!::IsIconic(hwnd())) SaveWindowPosition();
    if (zestViewPanel_.IsWindow()) zestViewPanel_.CloseAdvanced();
    // The controls let go of the title font before it is deleted.
    ::SendMessageA(titleStatic_.hwnd(), WM_SETFONT, 0, FALSE);
    ::SendMessageA(infoPanel_.hwnd(), WM_SETFONT, 0, FALSE);
    titleFont_.reset();
    if (optionsDialog_.IsWindow()) ::SendMessageA(optionsDialog_.hwnd(), WM_CLOSE, 0, 0);
    if (deviceButton_.IsWindow()) deviceButton_.ClearEntries();
}

void ConsoleWnd::OnDestroy() {
    // Stopped workers post nothing more; one still in a driver ends on its own.
    workers_.StopAll();
    if (context_) context_->deviceChangeMutex = nullptr;
    deviceChangeMutex_.reset();
}

LRESULT ConsoleWnd::OnToolTipText(NMHDR& request) {
    // Only tools identified by their window are ours to answer.
    if (!ToolTipRequestByWindow(request)) return FALSE;
    int id = ToolTipRequestControlId(request);
    UINT text = id == IDC_MINIMIZE ? IDS_TIP_MINIMIZE : id == IDC_CLOSE ? IDS_TIP_CLOSE : 0;
    AnswerToolTipRequest(request, text ? LoadResourceString(text).c_str() : "");
    return TRUE;
}

void ConsoleWnd::OnCommand(UINT id, UINT code, HWND) {
    // The buttons act on clicks only: a skin may make them notify focus
    // changes too. Menu commands arrive with the same code as clicks.
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_MINIMIZE: ::SendMessageA(hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case IDC_CLOSE: ::SendMessageA(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case IDC_CAMERA_BUTTON: deviceButton_.ShowMenu(); break;
    case IDC_OPTIONS: ShowOptions(); break;
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_CLOSE:
    case SC_RESTORE: ::SendMessageA(hwnd(), WM_SYSCOMMAND, id, 0); break;
    default: break;
    }
}

LRESULT ConsoleWnd::OnBringToFront() {
    if (::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
    ::SetForegroundWindow(hwnd());
    ::SetActiveWindow(hwnd());
    return 0;
}

void ConsoleWnd::FocusTitle() {
    if (titleStatic_.IsWindow()) ::SetFocus(titleStatic_.hwnd());
}

}  // namespace ostrivan
