// ConsoleWnd: construction, message dispatch, initialisation and ending.
#include "console/ConsoleWnd.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ResourceSource.h"
#include "launch/ConsoleWatcher.h"
#include "settings/SettingsStore.h"
#include "skin/SkinPaths.h"

namespace ostrivan {

ConsoleWnd::ConsoleWnd()
    : Dialog(IDD_CONSOLE, EnterEscape::Swallow), zestViewPanel_(IDD_VIEW_PANEL, EnterEscape::Swallow) {
    HMODULE source = ResourceSource();
    icon_ = source ? ::LoadIconA(source, MAKEINTRESOURCEA(IDI_CONSOLE)) : nullptr;
}

ConsoleWnd::~ConsoleWnd() {
    // Workers end before the window and the launch record they serve.
    workers_.StopAll();
}

void ConsoleWnd::Attach(const std::vector<std::string>& deviceList, LaunchContext* context) {
    deviceList_ = deviceList;
    context_ = context;
    CopyText(currentDevice_, context && context->selectedDevice ? context->selectedDevice : "");
}

LRESULT ConsoleWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_PAINT: return OnPaint(wParam, lParam);
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(icon_);
    case WM_LBUTTONDOWN: return OnLButtonDown(wParam, lParam);
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(wParam, lParam);
    case WM_RBUTTONUP: return OnRButtonUp(wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
    case WM_SIZING: return OnSizing(wParam, lParam);
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(wParam, lParam);
    case WM_DEVICECHANGE: return OnDeviceChange(wParam, lParam);
    case WM_CLOSE: return OnClose();
    case WM_DESTROY: return OnDestroy();
    case WM_NOTIFY: return OnNotify(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case kMsgFitToPanel: return OnFitToPanel();
    case kMsgShowInfoPanel: return OnShowInfoPanel(true);
    case kMsgHideInfoPanel: return OnShowInfoPanel(false);
    case kMsgCameraPicked: return OnCameraPicked();
    case kMsgDeviceListReady: return OnDeviceListReady(lParam);
    case kMsgDeviceReachable: return OnDeviceReachable();
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT ConsoleWnd::OnInitDialog() {
    Dialog::WindowProc(WM_INITDIALOG, 0, 0);
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
    EnableToolTips();
    SkinWindow();
    CreateTabStrip(resolution);
    CreateTitleFont();
    CreateInfoPanel(resolution);
    RebuildDeviceMenu();

    ::SendMessageA(titleStatic_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    ::SendMessageA(infoPanel_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    infoPanel_.SetStatePersistence(&settings_, true, infoPanel_.GetSectionCount());
    FocusTitle();
    ::SetWindowPos(::GetDlgItem(hwnd(), IDC_OPTIONS), nullptr, 0, 0, 28, 24,
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
    (void)BuildSkinBundlePath(bundlePath_);
    (void)BuildSkinLibraryFolder(folder);

    static const SkinControlSkin kMinimize{sizeof(SkinControlSkin), kSkinControlImageButton, "Minimize.png", {}};
    static const SkinControlSkin kClose{sizeof(SkinControlSkin), kSkinControlImageButton, "Close.png", {}};
    static const SkinControlSkin kCamera{sizeof(SkinControlSkin), kSkinControlImageButton, "Button_Special.png", {}};
    static const SkinControlSkin kSetting{sizeof(SkinControlSkin), kSkinControlImageButton, "Setting.png", {}};
    const SkinControlEntry controls[4] = {
        {sizeof(SkinControlEntry), IDC_MINIMIZE, &kMinimize},
        {sizeof(SkinControlEntry), IDC_CLOSE, &kClose},
        {sizeof(SkinControlEntry), IDC_CAMERA_BUTTON, &kCamera},
        {sizeof(SkinControlEntry), IDC_OPTIONS, &kSetting},
    };
    SkinDescriptor descriptor;
    descriptor.bundlePath = bundlePath_;
    descriptor.windowKind = kSkinWindowKind;
    descriptor.imageName = "BG.png";
    descriptor.controlCount = 4;
    descriptor.controls = controls;
    if (!skin_.Open(hwnd(), descriptor, folder)) {
        ::MessageBoxA(hwnd(), LoadResourceString(IDS_SKIN_FAILED).c_str(),
                      LoadResourceString(IDS_CONSOLE_TITLE).c_str(), MB_OK);
    }
}

void ConsoleWnd::CreateTitleFont() {
    LOGFONTA font{};
    HFONT dialogFont = reinterpret_cast<HFONT>(::SendMessageA(hwnd(), WM_GETFONT, 0, 0));
    if (dialogFont) ::GetObjectA(dialogFont, sizeof(font), &font);
    font.lfHeight = -12;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = PRIMARYLANGID(::GetUserDefaultLangID()) == LANG_JAPANESE ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
    titleFont_.reset(::CreateFontIndirectA(&font));
}

LRESULT ConsoleWnd::OnClose() {
    if (!::IsIconic(hwnd())) SaveWindowPosition();
    // The controls let go of the title font before it is deleted.
    ::SendMessageA(titleStatic_.hwnd(), WM_SETFONT, 0, FALSE);
    ::SendMessageA(infoPanel_.hwnd(), WM_SETFONT, 0, FALSE);
    titleFont_.reset();
    if (optionsDialog_.IsWindow()) ::SendMessageA(optionsDialog_.hwnd(), WM_CLOSE, 0, 0);
    if (deviceButton_.IsWindow()) deviceButton_.ClearEntries();
    return Dialog::WindowProc(WM_CLOSE, 0, 0);
}

LRESULT ConsoleWnd::OnDestroy() {
    LRESULT result = Dialog::WindowProc(WM_DESTROY, 0, 0);
    // No worker may still run once the window and its launch record go.
    workers_.StopAll();
    if (context_) context_->deviceChangeMutex = nullptr;
    deviceChangeMutex_.reset();
    return result;
}

LRESULT ConsoleWnd::OnNotify(WPARAM wParam, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->code != TTN_NEEDTEXTA) return Dialog::WindowProc(WM_NOTIFY, wParam, lParam);
    auto* request = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    // Only tools identified by their window are ours to answer.
    if (!(request->uFlags & TTF_IDISHWND)) return FALSE;
    int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom));
    UINT text = id == IDC_MINIMIZE ? IDS_TIP_MINIMIZE : id == IDC_CLOSE ? IDS_TIP_CLOSE : 0;
    request->hinst = nullptr;
    request->szText[0] = '\0';
    if (text) CopyText(request->szText, LoadResourceString(text).c_str());
    request->lpszText = request->szText;
    return TRUE;
}

LRESULT ConsoleWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_MINIMIZE: ::SendMessageA(hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case IDC_CLOSE: ::SendMessageA(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case IDC_CAMERA_BUTTON: deviceButton_.ShowMenu(); break;
    case IDC_OPTIONS: ShowOptions(); break;
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_CLOSE:
    case SC_RESTORE: ::SendMessageA(hwnd(), WM_SYSCOMMAND, LOWORD(wParam), 0); break;
    default: break;
    }
    return Dialog::WindowProc(WM_COMMAND, wParam, lParam);
}

void ConsoleWnd::FocusTitle() {
    if (titleStatic_.IsWindow()) ::SetFocus(titleStatic_.hwnd());
}

}  // namespace ostrivan
