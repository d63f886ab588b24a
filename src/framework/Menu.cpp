#include "framework/Menu.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace ostrivan {

namespace {
// Every menu object holding a menu; menus may be made on any thread.
std::mutex g_menusLock;
std::vector<Menu*> g_menus;

void Register(Menu* menu) {
    std::lock_guard<std::mutex> lock(g_menusLock);
    g_menus.push_back(menu);
}
void Unregister(Menu* menu) {
    std::lock_guard<std::mutex> lock(g_menusLock);
    g_menus.erase(std::remove(g_menus.begin(), g_menus.end(), menu), g_menus.end());
}
}  // namespace

Menu::~Menu() { Destroy(); }

bool Menu::CreatePopup() {
    Destroy();
    menu_ = ::CreatePopupMenu();
    if (!menu_) return false;
    Register(this);
    return true;
}

void Menu::Destroy() {
    if (!menu_) return;
    Unregister(this);
    ::DestroyMenu(menu_);
    menu_ = nullptr;
}

void Menu::MeasureItem(MEASUREITEMSTRUCT&) {}
void Menu::DrawItem(const DRAWITEMSTRUCT&) {}

Menu* Menu::FromHandle(HMENU menu) {
    std::lock_guard<std::mutex> lock(g_menusLock);
    for (Menu* object : g_menus) {
        if (object->menu_ == menu) return object;
    }
    return nullptr;
}

Menu* Menu::FindByCommand(UINT commandId) {
    std::lock_guard<std::mutex> lock(g_menusLock);
    for (Menu* object : g_menus) {
        if (::GetMenuState(object->menu_, commandId, MF_BYCOMMAND) != static_cast<UINT>(-1)) return object;
    }
    return nullptr;
}

}  // namespace ostrivan
