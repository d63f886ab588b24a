#include "console/PanelHost.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ResourceSource.h"
#include "framework/Dialog.h"
#include "skin/SkinImages.h"
#include "skin/SkinPaths.h"

namespace ostrivan {

namespace {

// Ends the message boxes that a window owns on this thread.
BOOL CALLBACK EndOwnedMessageBox(HWND window, LPARAM owner) {
    char className[16] = {};
    if (::GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner) &&
        ::GetClassNameA(window, className, sizeof(className)) &&
        lstrcmpA(className, Dialog::kSystemClassName) == 0) {
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

}  // namespace

PanelHost::PanelHost(const Window& window) : window_(window) {
    HMODULE source = ResourceSource();
    icon_ = source ? ::LoadIconA(source, MAKEINTRESOURCEA(IDI_CONSOLE)) : nullptr;
}

void PanelHost::Skin(const WindowSkin& look) {
    char folder[kPathSize] = {};
    (void)BuildSkinLibraryFolder(folder);
    CopyText(bundlePath_, look.bundlePath());
    if (skin_.Open(window_.hwnd(), look.descriptor(), folder)) return;
    failureShown_ = true;
    ::MessageBoxA(window_.hwnd(), LoadResourceString(IDS_SKIN_FAILED).c_str(),
                  LoadResourceString(IDS_CONSOLE_TITLE).c_str(), MB_OK);
    failureShown_ = false;
}

void PanelHost::EndSkinFailureMessage() {
    if (!failureShown_ || !window_.hwnd()) return;
    ::EnumThreadWindows(::GetCurrentThreadId(), EndOwnedMessageBox, reinterpret_cast<LPARAM>(window_.hwnd()));
}

bool PanelHost::CreatePanel(const RECT& rect, LaunchContext* context) {
    if (!infoPanel_.Create(window_.hwnd(), rect, IDC_INFO_PANEL, 0, WS_VISIBLE, bundlePath_, kInfoPanelWindowSkin)) {
        return false;
    }
    viewPanel_.Attach(context);
    if (viewPanel_.Create(infoPanel_.hwnd())) {
        (void)infoPanel_.AddSection(viewPanel_.hwnd(), infoPanel_.GetSectionCount(), 1,
                                    LoadResourceString(IDS_VIEW_PANEL_TITLE).c_str(), -1);
    }
    infoPanel_.SetStatePersistence(&sectionStates_, true, infoPanel_.GetSectionCount());
    return true;
}

LRESULT PanelHost::PaintMinimised() {
    HWND window = window_.hwnd();
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    ::SendMessageA(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(window, &client);
    int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    if (icon_) ::DrawIcon(dc, x, y, icon_);
    ::EndPaint(window, &paint);
    return 0;
}

}  // namespace ostrivan
