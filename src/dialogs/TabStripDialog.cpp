#include "dialogs/TabStripDialog.h"

#include "ResourceIds.h"
#include "skin/SkinMessages.h"
#include "skin/SkinImages.h"
#include "skin/SkinPaths.h"
#include "skin/WindowSkin.h"

namespace ostrivan {

TabStripDialog::TabStripDialog() : Dialog(IDD_TAB_STRIP, EnterEscape::Swallow) {}

TabStripDialog::~TabStripDialog() {
    // The window goes first, while the whole object still takes its messages.
    DestroyWindow();
}

LRESULT TabStripDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_DESTROY: return OnDestroy();
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT TabStripDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    LRESULT result = Dialog::WindowProc(WM_INITDIALOG, wParam, lParam);

    const WindowSkin look(kTabStripBackgroundImage,
                          {{IDC_TAB_VIEW, kTabButtonImage}, {IDC_TAB_HIDE, kTabButtonImage}});
    // Without a path the library cannot skin; a missing folder only means
    // the library is looked for by plain name.
    if (look.hasBundlePath()) {
        char folder[MAX_PATH] = {};
        (void)BuildSkinLibraryFolder(folder);
        skinned_ = skin_.Open(hwnd(), look.descriptor(), folder) != 0;
    }

    HWND viewTab = ::GetDlgItem(hwnd(), IDC_TAB_VIEW);
    if (viewTab) SetButtonImage(viewTab, kViewTabImage);
    SetTabPressed(true);
    if (HWND hideTab = ::GetDlgItem(hwnd(), IDC_TAB_HIDE)) ::ShowWindow(hideTab, SW_HIDE);
    return result;
}

LRESULT TabStripDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_TAB_VIEW:
            ::SendMessageA(::GetParent(hwnd()), kMsgShowInfoPanel, 0, 0);
            SetTabPressed(true);
            return 0;
        case IDC_TAB_HIDE:
            ::SendMessageA(::GetParent(hwnd()), kMsgHideInfoPanel, 0, 0);
            SetTabPressed(false);
            return 0;
        }
    }
    return Dialog::WindowProc(WM_COMMAND, wParam, lParam);
}

LRESULT TabStripDialog::OnDestroy() {
    skin_.Close();
    skinned_ = false;
    return Dialog::WindowProc(WM_DESTROY, 0, 0);
}

void TabStripDialog::SetTabPressed(bool pressed) {
    ::SendDlgItemMessageA(hwnd(), IDC_TAB_VIEW, BM_SETCHECK, pressed ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace ostrivan
