// TabStripDialog: the small modeless child dialog (IDD_TAB_STRIP) that the
// console places over its placeholder IDC_TAB_PLACEHOLDER. Its tab
// IDC_TAB_VIEW asks the parent to show the info panel (kMsgShowInfoPanel) and
// stays pressed; the second tab IDC_TAB_HIDE asks it to hide the panel
// (kMsgHideInfoPanel) and releases IDC_TAB_VIEW. IDC_TAB_HIDE is hidden after
// opening.
// Enter and Escape never close it.
//
// Error rule: Create (the framework's) returns false when the template or the
// window cannot be made. Skinning failures leave the dialog unskinned.
#pragma once

#include "framework/Dialog.h"
#include "skin/SkinSession.h"

namespace ostrivan {

class TabStripDialog : public Dialog {
public:
    TabStripDialog();
    ~TabStripDialog() override;

    // Whether the last skinning of the window succeeded.
    bool isSkinnedForTesting() const { return skinned_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnInitDialog();
    // True when it took the command (a click on a tab).
    bool OnCommand(const Command& command);
    void OnDestroy();

    void SetTabPressed(bool pressed);

    SkinSession skin_;
    bool skinned_ = false;
};

}  // namespace ostrivan
