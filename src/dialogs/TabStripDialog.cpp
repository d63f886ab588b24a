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
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: if (OnCommand(CommandOf(wParam, lParam))) return 0; break;
    case WM_DESTROY: OnDestroy(); break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT TabStripDialog::OnInitDialog() {
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
    return TRUE;  // the system sets the focus
}

bool TabStripDialog::OnCommand(const Command& command) {
    if (command.code != BN_CLICKED) return false;
    switch (command.id) {
    case IDC_TAB_VIEW:
        ::SendMessageA(::GetParent(hwnd()), kMsgShowInfoPanel, 0, 0);
        SetTabPressed(true);
        return true;
    case IDC_TAB_HIDE:
        ::SendMessageA(::GetParent(hwnd()), kMsgHideInfoPanel, 0, 0);
        SetTabPressed(false);
        return true;
    default: return false;
    }
}

void TabStripDialog::OnDestroy() {
    skin_.Close();
    skinned_ = false;
}

void TabStripDialog::SetTabPressed(bool pressed) {
    ::SendDlgItemMessageA(hwnd(), IDC_TAB_VIEW, BM_SETCHECK, pressed ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace ostrivan
