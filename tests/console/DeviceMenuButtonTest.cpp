// The camera menu button: command ids, caption, picks reported to the
// parent, long texts, a full menu and a menu cleared while open.
#include "ConsoleControlsFixture.h"
#include "driving/WindowText.h"
#include "framework/MessageLoop.h"

#include <string>

using namespace ostrivan;
using namespace consoletest;
using driving::WindowText;

namespace {

void Pick(DeviceMenuButton& button, UINT id) {
    ::SendMessageA(button.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

TEST_F(ConsoleControls, FirstIdAfterConstructionAndAfterAClearIs50002) {
    DeviceMenuButton& button = dialog.button;
    ASSERT_TRUE(button.AppendEntry("Camera A"));
    ASSERT_TRUE(button.AppendEntry("Camera B"));
    EXPECT_EQ(50002u, ::GetMenuItemID(button.menuForTesting().handle(), 0));
    EXPECT_EQ(50003u, ::GetMenuItemID(button.menuForTesting().handle(), 1));
    button.DeleteEntry(0);
    EXPECT_EQ(1, button.GetEntryCount());
    ASSERT_TRUE(button.AppendEntry("Camera C"));
    EXPECT_EQ(50004u, ::GetMenuItemID(button.menuForTesting().handle(), 1)) << "ids grow until a clear";
    button.ClearEntries();
    EXPECT_EQ(0, button.GetEntryCount());
    ASSERT_TRUE(button.AppendEntry("Camera D"));
    EXPECT_EQ(50002u, ::GetMenuItemID(button.menuForTesting().handle(), 0));
}

TEST_F(ConsoleControls, SelectingAnEntryShowsItBehindThreeSpaces) {
    DeviceMenuButton& button = dialog.button;
    EXPECT_EQ(-1, button.GetSelectedIndex());
    EXPECT_STREQ("", button.selectedText());
    ASSERT_TRUE(button.AppendEntry("Camera A"));
    ASSERT_TRUE(button.AppendEntry("Camera B"));
    button.SelectEntry(1);
    EXPECT_EQ(1, button.GetSelectedIndex());
    EXPECT_EQ("   Camera B", WindowText(button.hwnd()));
    EXPECT_STREQ("Camera B", button.selectedText());
    EXPECT_EQ(0, dialog.picks) << "selecting by program is no pick";
}

TEST_F(ConsoleControls, PickReachesTheParentAlsoForTheEntryAlreadySelected) {
    DeviceMenuButton& button = dialog.button;
    for (const char* text : {"Camera A", "Camera B", "Camera A"}) ASSERT_TRUE(button.AppendEntry(text));
    Pick(button, 50003);
    EXPECT_EQ(1, dialog.picks);
    EXPECT_EQ(1, button.GetSelectedIndex());
    EXPECT_EQ("   Camera B", WindowText(button.hwnd()));
    EXPECT_STREQ("Camera B", button.selectedText());
    Pick(button, 50003);
    EXPECT_EQ(2, dialog.picks);

    // Cleared and refilled: a pick is a pick like any other.
    button.ClearEntries();
    ASSERT_TRUE(button.AppendEntry("Camera Z"));
    Pick(button, 50002);
    EXPECT_EQ(3, dialog.picks);
    EXPECT_EQ(0, button.GetSelectedIndex());
    EXPECT_STREQ("Camera Z", button.selectedText());
}

TEST_F(ConsoleControls, CommandsOutsideTheMenusIdsPassUntouched) {
    DeviceMenuButton& button = dialog.button;
    ASSERT_TRUE(button.AppendEntry("Camera A"));
    button.SelectEntry(0);
    for (UINT id : {50000u, 50102u, 1059u, 50050u /* no such entry */}) Pick(button, id);
    EXPECT_EQ(0, dialog.picks);
    EXPECT_EQ(0, button.GetSelectedIndex());
    EXPECT_EQ("   Camera A", WindowText(button.hwnd()));
}

TEST_F(ConsoleControls, LongEntryTextReadsBackCutTo259AlsoAfterTheMenuWasShown) {
    DeviceMenuButton& button = dialog.button;
    const std::string longText(300, 'L');
    ASSERT_TRUE(button.AppendEntry(longText.c_str()));
    ASSERT_TRUE(button.AppendEntry("Short"));
    char text[DeviceMenuButton::kTextSize];
    button.GetEntryText(0, text);
    EXPECT_EQ(longText.substr(0, 259), text);

    // Open the menu and close it again with Escape.
    ::PostMessageA(button.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    button.ShowMenu();
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID;
    ASSERT_TRUE(::GetMenuItemInfoA(button.menuForTesting().handle(), 1, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(50003u, info.wID);
    button.GetEntryText(0, text);
    EXPECT_EQ(longText.substr(0, 259), text);
    button.GetEntryText(1, text);
    EXPECT_STREQ("Short", text);
    button.SelectEntry(0);
    EXPECT_STREQ(longText.substr(0, 259).c_str(), button.selectedText());
    button.GetEntryText(7, text);
    EXPECT_STREQ("", text) << "no such entry";
}

TEST_F(ConsoleControls, PickFromTheOpenMenuWithTheKeyboardReachesTheParent) {
    DeviceMenuButton& button = dialog.button;
    ASSERT_TRUE(button.AppendEntry("Camera A"));
    ASSERT_TRUE(button.AppendEntry("Camera B"));
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) ::PostMessageA(button.hwnd(), WM_KEYDOWN, key, 0);
    button.ShowMenu();
    MessageLoop::PumpPending();
    EXPECT_EQ(1, dialog.picks);
    EXPECT_STREQ("Camera B", button.selectedText());
    EXPECT_EQ(1, button.GetSelectedIndex());
}

TEST_F(ConsoleControls, MenuTakesAtMostOneHundredEntries) {
    DeviceMenuButton& button = dialog.button;
    int added = 0;
    for (int i = 0; i < 105; ++i) added += button.AppendEntry(("Camera " + std::to_string(i)).c_str()) ? 1 : 0;
    EXPECT_EQ(100, added);
    EXPECT_EQ(100, button.GetEntryCount());
    EXPECT_EQ(50101u, ::GetMenuItemID(button.menuForTesting().handle(), 99));
    Pick(button, 50101);
    EXPECT_EQ(1, dialog.picks) << "the last entry can still be picked";
}

TEST_F(ConsoleControls, MenuClearedWhileOpenLeavesAWorkingMenu) {
    DeviceMenuButton& button = dialog.button;
    ASSERT_TRUE(button.AppendEntry("Camera A"));
    ASSERT_TRUE(button.AppendEntry("Camera B"));
    dialog.onAppMessage = [&] {
        button.ClearEntries();
        EXPECT_TRUE(button.AppendEntry("Camera N"));
    };
    // Arrives while the menu is tracked; then Escape closes it.
    ::PostMessageA(dialog.hwnd(), WM_APP, 0, 0);
    ::PostMessageA(button.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    button.ShowMenu();
    MessageLoop::PumpPending();
    ASSERT_EQ(1, button.GetEntryCount());
    char text[DeviceMenuButton::kTextSize];
    button.GetEntryText(0, text);
    EXPECT_STREQ("Camera N", text);
    Pick(button, 50003);  // an entry of before the clear
    EXPECT_EQ(0, dialog.picks);
    // The next opening draws the new entry.
    ::PostMessageA(button.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(button.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    button.ShowMenu();
    MessageLoop::PumpPending();
    EXPECT_EQ(1, dialog.picks);
    EXPECT_STREQ("Camera N", button.selectedText());
}

TEST_F(ConsoleControls, NothingIsPickedWhileTheButtonIsDisabled) {
    DeviceMenuButton& button = dialog.button;
    ASSERT_TRUE(button.AppendEntry("Camera A"));
    ::EnableWindow(button.hwnd(), FALSE);
    Pick(button, 50002);
    EXPECT_EQ(0, dialog.picks);
    EXPECT_STREQ("", button.selectedText());
    ::EnableWindow(button.hwnd(), TRUE);
    Pick(button, 50002);
    EXPECT_EQ(1, dialog.picks);
}

// The menu is rebuilt while it is open (a device change), so the row the
// user presses Enter on now has an id that another text carries.
TEST_F(ConsoleControls, PickCountsOnlyWhenTheRowStillShowsWhatTheUserSaw) {
    struct Case {
        const char* refill;
        int picks;
    };
    for (Case c : {Case{"Camera N", 0}, Case{"Camera A", 1}}) {
        DeviceMenuButton& button = dialog.button;
        button.ClearEntries();
        dialog.picks = 0;
        ASSERT_TRUE(button.AppendEntry("Camera A"));
        ASSERT_TRUE(button.AppendEntry("Camera B"));
        dialog.onAppMessage = [&] {
            button.ClearEntries();
            EXPECT_TRUE(button.AppendEntry(c.refill));
        };
        ::PostMessageA(dialog.hwnd(), WM_APP, 0, 0);
        for (WPARAM key : {VK_DOWN, VK_RETURN}) ::PostMessageA(button.hwnd(), WM_KEYDOWN, key, 0);
        button.ShowMenu();
        MessageLoop::PumpPending();
        EXPECT_EQ(c.picks, dialog.picks) << c.refill;
    }
}

TEST_F(ConsoleControls, EachButtonMeasuresItsOwnMenu) {
    // A second console's button in the same process, with the same entry ids.
    ControlsDialog second;
    ASSERT_TRUE(second.Create(nullptr));
    ASSERT_TRUE(dialog.button.AppendEntry("Camera A"));
    ASSERT_TRUE(second.button.AppendEntry("Camera B"));
    dialog.button.menuForTesting().SetItemWidth(100);
    second.button.menuForTesting().SetItemWidth(200);
    for (auto* button : {&dialog.button, &second.button}) {
        MEASUREITEMSTRUCT item{ODT_MENU, 0, 50002, 0, 0, 0};
        EXPECT_TRUE(::SendMessageA(button->hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)));
        EXPECT_EQ(static_cast<UINT>(button->menuForTesting().itemWidthForTesting() - 20), item.itemWidth);
    }
    second.DestroyWindow();
}

}  // namespace
