// OwnerDrawMenu: the camera drop-down's popup menu, painted flat in the
// console's colours and exactly as wide as the button that opens it.
//
// MakeOwnerDrawn turns every entry into an owner-drawn one whose item data
// is the entry's text in the menu's own list; the entry keeps its string
// (only its type and data change), so it can still be read back by text.
// The list is rebuilt only by MakeOwnerDrawn: the new list is complete and
// every entry points into it before the old one goes, so no entry ever
// points at freed text. The list also remembers which text each row showed,
// so a pick can be checked against what the user saw.
#pragma once

#include "framework/Menu.h"

#include <deque>
#include <string>

namespace ostrivan {

class OwnerDrawMenu : public Menu {
public:
    static constexpr int kTextSize = 260;  // entry texts are read with this buffer
    static constexpr int kCheckMarkMargin = 20;
    static constexpr COLORREF kSelectedOuter = RGB(10, 36, 106);
    static constexpr COLORREF kSelectedInner = RGB(182, 189, 210);
    static constexpr COLORREF kBackground = RGB(249, 248, 247);

    // An entry's text, cut to kTextSize - 1 characters and always terminated
    // (GetMenuString may leave a full buffer unterminated); empty when
    // there is no such entry.
    static void ReadText(HMENU menu, UINT item, UINT byFlag, char* text);

    void SetItemWidth(int width) { itemWidth_ = width; }
    int itemWidthForTesting() const { return itemWidth_; }
    // Rebuilds the text list from the entries and makes every entry owner-drawn.
    void MakeOwnerDrawn();
    // The text the entry at this position showed when the menu was last made
    // owner-drawn, or null when there was no entry there.
    const std::string* ShownText(int position) const;

    void MeasureItem(MEASUREITEMSTRUCT& item) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    int itemWidth_ = 0;
    std::deque<std::string> texts_;  // a deque: appending never moves a text
};

}  // namespace ostrivan
