#include "dialogs/TabStripDialog.h"

#include "ResourceIds.h"
#include "skin/SkinMessages.h"
#include "skin/SkinPaths.h"

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

    char bundle[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    // Without a path the library cannot skin; a missing folder only means
    // the library is looked for by plain name.
    if (BuildSkinBundlePath(bundle)) {
        (void)BuildSkinLibraryFolder(folder);
        SkinControlSkin tabImage;
        tabImage.imageName = "TabsButton.png";
        SkinControlEntry controls[2];
        controls[0].controlId = IDC_TAB_VIEW;
        controls[0].skin = &tabImage;
        controls[1].controlId = IDC_TAB_HIDE;
        controls[1].skin = &tabImage;
        SkinDescriptor descriptor;
        descriptor.bundlePath = bundle;
        descriptor.windowKind = kSkinWindowKind;
        descriptor.imageName = "BG3.png";
        descriptor.controlCount = 2;
        descriptor.controls = controls;
        skinned_ = skin_.Open(hwnd(), descriptor, folder) != 0;
    }

    HWND viewTab = ::GetDlgItem(hwnd(), IDC_TAB_VIEW);
    if (viewTab) SetButtonImage(viewTab, "ZestView.png");
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
