// Menu: owner of a menu handle. Owner-drawn entries are measured and drawn
// by the menu object: the default layer of the window that owns the menu
// (the one given to TrackPopupMenu) hands WM_MEASUREITEM and WM_DRAWITEM for
// menus to MeasureItem and DrawItem of the object that holds the entry.
//
// Error rule: CreatePopup returns false when no menu could be made.
#pragma once

#include <windows.h>

namespace ostrivan {

class Menu {
public:
    Menu() = default;
    virtual ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    [[nodiscard]] bool CreatePopup();
    void Destroy();
    HMENU handle() const { return menu_; }
    int GetItemCount() const { return menu_ ? ::GetMenuItemCount(menu_) : 0; }

    virtual void MeasureItem(MEASUREITEMSTRUCT& item);
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

    // The menu object holding that menu handle, or the entry with that command id.
    static Menu* FromHandle(HMENU menu);
    static Menu* FindByCommand(UINT commandId);

private:
    HMENU menu_ = nullptr;
};

}  // namespace ostrivan
