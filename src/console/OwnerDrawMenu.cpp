#include "console/OwnerDrawMenu.h"

#include "base/BoundedText.h"
#include "base/NoThrow.h"

namespace ostrivan {

namespace {
// The solid-rectangle fill: background colour plus an opaque empty text.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}
}  // namespace

void OwnerDrawMenu::ReadText(HMENU menu, UINT item, UINT byFlag, char* text) {
    char read[kTextSize + 1] = {};
    if (::GetMenuStringA(menu, item, read, kTextSize, byFlag) <= 0) read[0] = '\0';
    CopyText(text, kTextSize, read, kTextSize);
}

void OwnerDrawMenu::MakeOwnerDrawn() {
    HMENU menu = handle();
    std::deque<std::string> texts;
    int count = GetItemCount();
    bool listed = TryAllocating([&] {
        for (int position = 0; position < count; ++position) {
            char text[kTextSize];
            ReadText(menu, position, MF_BYPOSITION, text);
            texts.emplace_back(text);
        }
    });
    if (!listed) return;  // the entries keep their old, still valid texts
    for (int position = 0; position < count; ++position) {
        // Type and data only: the entry keeps its string and command id.
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        info.fType = MFT_OWNERDRAW;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(texts[static_cast<size_t>(position)].c_str());
        ::SetMenuItemInfoA(menu, position, TRUE, &info);
    }
    texts_.swap(texts);  // the old texts go only now that nothing points at them
}

const std::string* OwnerDrawMenu::ShownText(int position) const {
    if (position < 0 || static_cast<size_t>(position) >= texts_.size()) return nullptr;
    return &texts_[static_cast<size_t>(position)];
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
