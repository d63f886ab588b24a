#include "console/OwnerDrawMenu.h"

namespace ostrivan {

namespace {
// The solid-rectangle fill: background colour plus an opaque empty text.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}
}  // namespace

void OwnerDrawMenu::MakeOwnerDrawn() {
    HMENU menu = handle();
    texts_.clear();
    int count = GetItemCount();
    for (int position = 0; position < count; ++position) {
        char text[kTextSize] = {};
        ::GetMenuStringA(menu, position, text, kTextSize, MF_BYPOSITION);
        texts_.emplace_back(text);
        // Type and data only: the entry keeps its string and command id.
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        info.fType = MFT_OWNERDRAW;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(texts_.back().c_str());
        ::SetMenuItemInfoA(menu, position, TRUE, &info);
    }
}

void OwnerDrawMenu::MeasureItem(MEASUREITEMSTRUCT& item) {
    // The system adds the check-mark margin, so the open menu is as wide as the button.
    item.itemWidth = static_cast<UINT>(itemWidth_ > kCheckMarkMargin ? itemWidth_ - kCheckMarkMargin : 0);
}

void OwnerDrawMenu::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    RECT outer{r.left, r.top, r.right - 1, r.bottom};
    RECT inner{r.left + 1, r.top + 1, r.right - 2, r.bottom - 1};
    bool selected = (item.itemState & ODS_SELECTED) && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT));
    if (selected) {
        FillSolid(item.hDC, outer, kSelectedOuter);
        FillSolid(item.hDC, inner, kSelectedInner);
    } else {
        FillSolid(item.hDC, outer, kBackground);
        FillSolid(item.hDC, inner, kBackground);
    }
    const char* text = reinterpret_cast<const char*>(item.itemData);
    if (text) ::TextOutA(item.hDC, r.left + 5, r.top + 1, text, lstrlenA(text));
}

}  // namespace ostrivan
