#include "console/DeviceMenuButton.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"

#include <cstdio>

namespace ostrivan {

DeviceMenuButton::DeviceMenuButton() : nextCommandId_(kFirstCameraCommand) {
    // Without a menu every entry operation simply finds no entry.
    (void)menu_.CreatePopup();
}

bool DeviceMenuButton::AppendEntry(const char* text) {
    // Ids past the last would never be taken as picks.
    if (!menu_.handle() || nextCommandId_ >= kLastCameraCommand) return false;
    ++nextCommandId_;
    return ::InsertMenuA(menu_.handle(), static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, nextCommandId_,
                         text ? text : "") != FALSE;
}

void DeviceMenuButton::DeleteEntry(int position) { ::DeleteMenu(menu_.handle(), position, MF_BYPOSITION); }

void DeviceMenuButton::ClearEntries() {
    for (int position = GetEntryCount() - 1; position >= 0; --position) DeleteEntry(position);
    nextCommandId_ = kFirstCameraCommand;
}

void DeviceMenuButton::GetEntryText(int position, char* buffer) const {
    if (buffer) OwnerDrawMenu::ReadText(menu_.handle(), position, MF_BYPOSITION, buffer);
}

void DeviceMenuButton::SelectEntry(int position) {
    selectedIndex_ = position;
    char text[kTextSize];
    GetEntryText(position, text);
    ShowCaption(text);
    CopyText(selectedText_, text);
}

void DeviceMenuButton::ShowCaption(const char* text) {
    char caption[kTextSize + 3];
    std::snprintf(caption, sizeof(caption), "%s%s", kCaptionPrefix, text);
    if (hwnd()) ::SetWindowTextA(hwnd(), caption);
}

void DeviceMenuButton::ShowMenu() {
    if (!hwnd() || !menu_.handle()) return;
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    menu_.SetItemWidth(r.right - r.left);
    menu_.MakeOwnerDrawn();
    // Overlaps the button's bottom edge by three pixels. The pick comes back
    // here, so it is checked against the menu as the user saw it.
    UINT picked = static_cast<UINT>(::TrackPopupMenu(menu_.handle(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                                     r.left, r.bottom - 3, 0, hwnd(), nullptr));
    if (picked) TakePick(picked, true);
}

LRESULT DeviceMenuButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: OnCommand(CommandOf(wParam, lParam)); break;
    case WM_MEASUREITEM: if (lParam && OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE; break;
    }
    return Button::WindowProc(message, wParam, lParam);
}

void DeviceMenuButton::OnCommand(Command command) {
    if (command.id >= kFirstCameraCommand && command.id <= kLastCameraCommand) TakePick(command.id, false);
}

// Another menu in this process may have entries with the same ids: this
// button answers for its own.
bool DeviceMenuButton::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || !menu_.handle() ||
        ::GetMenuState(menu_.handle(), item.itemID, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
        return false;
    }
    menu_.MeasureItem(item);
    return true;
}

void DeviceMenuButton::TakePick(UINT id, bool fromOpenMenu) {
    // A menu rebuilt while it was open may have moved another text into the
    // row the user chose; a disabled button offers nothing to pick.
    if (!::IsWindowEnabled(hwnd())) return;
    if (::GetMenuState(menu_.handle(), id, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
    char text[kTextSize] = {};
    OwnerDrawMenu::ReadText(menu_.handle(), id, MF_BYCOMMAND, text);
    int position = -1;
    int count = GetEntryCount();
    for (int i = 0; i < count; ++i) {
        if (::GetMenuItemID(menu_.handle(), i) == id) position = i;
    }
    if (fromOpenMenu) {
        const std::string* shown = menu_.ShownText(position);
        if (!shown || *shown != text) return;
    }
    ShowCaption(text);
    CopyText(selectedText_, text);
    selectedIndex_ = position;
    ::SendMessageA(::GetParent(hwnd()), kMsgCameraPicked, 0, 0);
}

}  // namespace ostrivan
