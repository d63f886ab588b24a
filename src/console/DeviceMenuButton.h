// DeviceMenuButton: the camera drop-down button (control 1059 of the console).
// It owns a popup menu of camera descriptions, shows the chosen one as its
// caption (three spaces, then the text) and sends kMsgCameraPicked to its
// parent when the user picks an entry, also the one already selected.
//
// The button owns the tracked popup: a pick from the open menu comes back
// from the tracking and counts only when its row still shows the text it
// showed when the menu opened (a device change may rebuild the menu while it
// is open); a
// WM_COMMAND with an entry's id counts as a pick of that entry. Nothing is
// picked while the button is disabled. The button measures its own menu's
// entries.
//
// Error rule: AppendEntry returns false when the menu is full (the ids of
// 100 entries are used up) or the entry cannot be added; other operations
// on a missing entry do nothing.
#pragma once

#include "console/OwnerDrawMenu.h"
#include "framework/Controls.h"

namespace ostrivan {

class DeviceMenuButton : public Button {
public:
    static constexpr size_t kTextSize = OwnerDrawMenu::kTextSize;
    static constexpr const char* kCaptionPrefix = "   ";

    DeviceMenuButton();

    bool AppendEntry(const char* text);
    void DeleteEntry(int position);
    void ClearEntries();
    void SelectEntry(int position);
    int GetSelectedIndex() const { return selectedIndex_; }
    // Copies the entry's text into a buffer of kTextSize bytes (empty when there is no such entry).
    void GetEntryText(int position, char* buffer) const;
    int GetEntryCount() const { return menu_.GetItemCount(); }
    const char* selectedText() const { return selectedText_; }
    // Opens the drop-down below the button; returns when it closes.
    void ShowMenu();

    OwnerDrawMenu& menuForTesting() { return menu_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCommand(Command command);
    // True when the entry is one of this button's menu.
    bool OnMeasureItem(MEASUREITEMSTRUCT& item);
    // fromOpenMenu: the pick must be of a row that still shows the text it
    // showed when the menu opened.
    void TakePick(UINT id, bool fromOpenMenu);
    void ShowCaption(const char* text);

    OwnerDrawMenu menu_;
    char selectedText_[kTextSize] = {};
    UINT nextCommandId_ = 0;
    int selectedIndex_ = -1;
};

}  // namespace ostrivan
