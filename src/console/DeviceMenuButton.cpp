#include "console/DeviceMenuButton.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"

#include <cstdio>

namespace ostrivan {

DeviceMenuButton::DeviceMenuButton() : nextCommandId_(kFirstCameraCommand) {
    // Without a menu every entry operation simply finds no entry.
    (void)menu_.CreatePopup();
}

LRESULT DeviceMenuButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); break;
    }
    return Button::WindowProc(message, wParam, lParam);
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
    // Overlaps the button's bottom edge by three pixels.
    ::TrackPopupMenu(menu_.handle(), TPM_LEFTALIGN | TPM_LEFTBUTTON, r.left, r.bottom - 3, 0, hwnd(), nullptr);
}

void DeviceMenuButton::OnCommand(UINT id, UINT, HWND) {
    char text[kTextSize] = {};
    // A command of an entry that is gone (the menu was cleared while open) is no pick.
    if (id >= kFirstCameraCommand && id <= kLastCameraCommand &&
        ::GetMenuState(menu_.handle(), id, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        OwnerDrawMenu::ReadText(menu_.handle(), id, MF_BYCOMMAND, text);
        ShowCaption(text);
        CopyText(selectedText_, text);
        int count = GetEntryCount();
        for (int position = 0; position < count; ++position) {
            if (::GetMenuItemID(menu_.handle(), position) == id) selectedIndex_ = position;
        }
        ::SendMessageA(::GetParent(hwnd()), kMsgCameraPicked, 0, 0);
    }
}

}  // namespace ostrivan
