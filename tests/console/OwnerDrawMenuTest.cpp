// The owner-drawn menu: its width follows the button, and its entries are
// painted in the console's colours (checked on a rendering in memory).
#include "ConsoleControlsFixture.h"
#include "base/UniqueHandle.h"

using namespace ostrivan;
using namespace consoletest;

namespace {

constexpr COLORREF kUntouched = RGB(255, 0, 255);

struct Rendering {
    UniqueDc dc{::CreateCompatibleDC(nullptr)};
    UniqueGdi<HBITMAP> bitmap;
    HGDIOBJ previous = nullptr;
    Rendering() {
        HDC screen = ::GetDC(nullptr);
        bitmap.reset(::CreateCompatibleBitmap(screen, 100, 20));
        ::ReleaseDC(nullptr, screen);
        previous = ::SelectObject(dc.get(), bitmap.get());
        UniqueGdi<HBRUSH> magenta(::CreateSolidBrush(kUntouched));
        RECT all{0, 0, 100, 20};
        ::FillRect(dc.get(), &all, magenta.get());
    }
    ~Rendering() { ::SelectObject(dc.get(), previous); }
    COLORREF At(int x, int y) const { return ::GetPixel(dc.get(), x, y); }
};

DRAWITEMSTRUCT Item(HDC dc, UINT state, UINT action, const char* text) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = 50002;
    item.itemAction = action;
    item.itemState = state;
    item.hDC = dc;
    item.rcItem = {0, 0, 100, 20};
    item.itemData = reinterpret_cast<ULONG_PTR>(text);
    return item;
}

TEST(OwnerDrawMenu, EntryIsAsWideAsTheButtonLessTheCheckMarkMargin) {
    OwnerDrawMenu menu;
    menu.SetItemWidth(150);
    MEASUREITEMSTRUCT item{ODT_MENU, 0, 50002, 0, 17, 0};
    menu.MeasureItem(item);
    EXPECT_EQ(130u, item.itemWidth);
    EXPECT_EQ(17u, item.itemHeight) << "the height stays as proposed";
}

TEST_F(ConsoleControls, OpeningTheMenuTakesTheButtonsWidth) {
    ASSERT_TRUE(dialog.button.AppendEntry("Camera A"));
    ::PostMessageA(dialog.button.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    dialog.button.ShowMenu();
    RECT r{};
    ::GetWindowRect(dialog.button.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, dialog.button.menuForTesting().itemWidthForTesting());
    MEASUREITEMSTRUCT item{ODT_MENU, 0, 50002, 0, 0, 0};
    EXPECT_TRUE(::SendMessageA(dialog.button.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(static_cast<UINT>(r.right - r.left - 20), item.itemWidth);
}

struct DrawCase {
    UINT state, action;
    COLORREF outer, inner;
};

TEST(OwnerDrawMenu, DrawsSelectedAndPlainEntriesInTheirColours) {
    const COLORREF plain = RGB(249, 248, 247);
    const DrawCase cases[] = {
        {ODS_SELECTED, ODA_DRAWENTIRE, RGB(10, 36, 106), RGB(182, 189, 210)},
        {ODS_SELECTED, ODA_SELECT, RGB(10, 36, 106), RGB(182, 189, 210)},
        {ODS_SELECTED, ODA_FOCUS, plain, plain},
        {0, ODA_SELECT, plain, plain},
        {0, ODA_DRAWENTIRE, plain, plain},
    };
    OwnerDrawMenu menu;
    for (const DrawCase& c : cases) {
        Rendering r;
        ::SetTextColor(r.dc.get(), RGB(0, 0, 0));
        menu.DrawItem(Item(r.dc.get(), c.state, c.action, "Cam"));
        EXPECT_EQ(c.outer, r.At(0, 0)) << c.state << "/" << c.action;
        EXPECT_EQ(c.outer, r.At(98, 10)) << "right edge of the outer rectangle";
        EXPECT_EQ(c.outer, r.At(50, 19)) << "bottom row";
        EXPECT_EQ(kUntouched, r.At(99, 10)) << "the last column is left alone";
        EXPECT_EQ(c.inner, r.At(97, 10));
        EXPECT_EQ(c.inner, r.At(1, 18));
        EXPECT_EQ(c.inner, ::GetBkColor(r.dc.get())) << "text background";
        // The text lies at (5, 1) in the current text colour.
        bool textPixel = false;
        for (int x = 5; x < 30 && !textPixel; ++x) {
            for (int y = 1; y < 19 && !textPixel; ++y) textPixel = r.At(x, y) == RGB(0, 0, 0);
        }
        EXPECT_TRUE(textPixel);
        for (int y = 0; y < 20; ++y) EXPECT_NE(RGB(0, 0, 0), r.At(3, y)) << "nothing left of the text";
    }
}

}  // namespace
