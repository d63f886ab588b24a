#include "console/ConsoleWnd.h"

#include "ResourceIds.h"
#include "base/ResourceSource.h"
#include "framework/TitleFont.h"
#include "launch/ConsoleWatcher.h"
#include "skin/SkinImages.h"

namespace ostrivan {

namespace {

// The console's tool tips are made with the ANSI class, so their requests are ANSI.
bool IsAnsiToolTipRequest(const NMHDR* header) { return header && header->code == TTN_NEEDTEXTA; }

}  // namespace

ConsoleWnd::ConsoleWnd()
    : Dialog(IDD_CONSOLE, EnterEscape::Swallow),
      panels_(*this),
      titleBar_(*this),
      layout_(*this, panels_),
      cameras_(*this, panels_.viewPanel()) {}

ConsoleWnd::~ConsoleWnd() {
    // Workers hear of the end before the window and the launch record go;
    // they use neither, so one stuck in a driver need not be waited for.
    cameras_.StopWorkers();
    // The window goes first, while the whole object still takes its messages.
    DestroyWindow();
}

LRESULT ConsoleWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_SYSCOMMAND: return OnSysCommand(static_cast<UINT>(wParam), PointOf(lParam));
    case WM_PAINT: if (::IsIconic(hwnd())) return panels_.PaintMinimised(); break;
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(panels_.icon());
    case WM_LBUTTONDOWN: if (titleBar_.OnLButtonDown(static_cast<UINT>(wParam), PointOf(lParam))) return 0; break;
    case WM_LBUTTONDBLCLK: titleBar_.OnLButtonDblClk(static_cast<UINT>(wParam), PointOf(lParam)); break;
    case WM_RBUTTONUP: titleBar_.OnRButtonUp(static_cast<UINT>(wParam), PointOf(lParam)); break;
    case WM_MOUSEMOVE: titleBar_.OnMouseMove(static_cast<UINT>(wParam), PointOf(lParam)); break;
    case WM_SIZING: return OnSizing(static_cast<UINT>(wParam), reinterpret_cast<RECT*>(lParam));
    case WM_SIZE: layout_.OnSize(static_cast<UINT>(wParam), SizeOf(lParam)); break;
    case WM_INITMENUPOPUP: titleBar_.OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); break;
    case WM_DEVICECHANGE: return cameras_.OnDeviceChange();
    case WM_CLOSE: OnClose(); break;
    case WM_DESTROY: cameras_.OnDestroy(); break;
    case WM_NOTIFY: if (IsAnsiToolTipRequest(NotifyOf(lParam))) return OnToolTipText(*NotifyOf(lParam)); break;
    case WM_COMMAND: OnCommand(CommandOf(wParam, lParam)); break;
    case kMsgFitToPanel: return OnFitToPanel();
    case kMsgShowInfoPanel: return OnShowInfoPanel(true);
    case kMsgHideInfoPanel: return OnShowInfoPanel(false);
    case kMsgCameraPicked: return cameras_.OnCameraPicked();
    case kMsgDeviceListReady: return cameras_.OnDeviceListReady(static_cast<uintptr_t>(lParam));
    case kMsgDeviceReachable: return cameras_.OnDeviceReachable();
    case kMsgBringToFront: return OnBringToFront();
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT ConsoleWnd::OnInitDialog() {
    titleBar_.BindButtons();
    cameras_.BindButton();
    panels_.SetWindowIcons();
    ::SetWindowTextA(hwnd(), LoadResourceString(IDS_CONSOLE_TITLE).c_str());
    ::SetWindowLongA(hwnd(), GWL_STYLE, ::GetWindowLongA(hwnd(), GWL_STYLE) | WS_SYSMENU | WS_MINIMIZEBOX);

    int resolution = ConsoleLayout::DisplayResolution();
    if (placement_.Restore(hwnd())) layout_.PlaceFooterControls();
    titleBar_.LayOut();
    (void)tips_.EnableAfterShow(hwnd());
    panels_.Skin(WindowSkin(kConsoleBackgroundImage, {{IDC_MINIMIZE, kMinimizeButtonImage},
                                                      {IDC_CLOSE, kCloseButtonImage},
                                                      {IDC_CAMERA_BUTTON, kCameraButtonImage},
                                                      {IDC_OPTIONS, kOptionsButtonImage}}));
    layout_.CreateTabStrip(resolution);
    titleFont_ = CreateTitleFont(hwnd());
    layout_.CreateInfoPanel(resolution, context_);
    cameras_.RebuildDeviceMenu();
    UseTitleFont(titleFont_.get());
    titleBar_.Focus();
    layout_.SizeOptionsButton();

    if (context_) {
        context_->consoleWindow = hwnd();
        StartConsoleWatcher(context_);
    }
    cameras_.FollowDeviceChanges();
    return TRUE;
}

LRESULT ConsoleWnd::OnSysCommand(UINT command, POINT) {
    titleBar_.Focus();
    if ((command & 0xFFF0) == SC_MINIMIZE && !::IsIconic(hwnd())) placement_.Save(hwnd());
    LRESULT result = DefaultHandling();
    if (command == TitleBar::kDragMove) layout_.RelayOutPanel();
    return result;
}

LRESULT ConsoleWnd::OnSizing(UINT, RECT* proposed) {
    layout_.KeepMinHeight(proposed);
    LRESULT result = DefaultHandling();
    if (proposed) titleBar_.FollowSizing(*proposed);
    return result;
}

void ConsoleWnd::OnClose() {
    // A close request from another copy comes while the camera menu or the
    // system menu may be open: the menu must not keep the console on screen.
    ::EndMenu();
    if (!::IsIconic(hwnd())) placement_.Save(hwnd());
    panels_.CloseAdvanced();
    // The controls let go of the title font before it is deleted.
    UseTitleFont(nullptr);
    titleFont_.reset();
    if (optionsDialog_.IsWindow()) ::SendMessageA(optionsDialog_.hwnd(), WM_CLOSE, 0, 0);
    cameras_.ClearMenu();
}

LRESULT ConsoleWnd::OnToolTipText(NMHDR& request) {
    // Only tools identified by their window are ours to answer.
    if (!ToolTipRequestByWindow(request)) return FALSE;
    int id = ToolTipRequestControlId(request);
    UINT text = id == IDC_MINIMIZE ? IDS_TIP_MINIMIZE : id == IDC_CLOSE ? IDS_TIP_CLOSE : 0;
    AnswerToolTipRequest(request, text ? LoadResourceString(text).c_str() : "");
    return TRUE;
}

void ConsoleWnd::OnCommand(Command command) {
    // The buttons act on clicks only: a skin may make them notify focus
    // changes too. Menu commands arrive with the same code as clicks.
    if (command.code != BN_CLICKED) return;
    switch (command.id) {
    case IDC_MINIMIZE: ::SendMessageA(hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case IDC_CLOSE: ::SendMessageA(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case IDC_CAMERA_BUTTON: cameras_.ShowMenu(); break;
    case IDC_OPTIONS: ShowOptions(); break;
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_CLOSE:
    case SC_RESTORE: ::SendMessageA(hwnd(), WM_SYSCOMMAND, command.id, 0); break;
    default: break;
    }
}

LRESULT ConsoleWnd::OnBringToFront() {
    if (::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
    ::SetForegroundWindow(hwnd());
    ::SetActiveWindow(hwnd());
    return 0;
}

void ConsoleWnd::ShowOptions() {
    optionsDialog_.SetDeviceName(context_ ? context_->selectedDevice : nullptr);
    if (optionsDialog_.DoModal(hwnd()) == IDOK) ConsolePlacement::ApplyAlwaysOnTop(hwnd());
}

}  // namespace ostrivan
