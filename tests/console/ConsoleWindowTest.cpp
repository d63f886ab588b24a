// The console window run in this process on a thread of its own, as the
// entry point runs it, and looked at through its real windows.
#include "ResourceIds.h"
#include "camera/CameraDiscovery.h"
#include "console/ConsoleLayout.h"
#include "console/ConsoleWnd.h"
#include "console/DeviceChangeWorkers.h"
#include "driving/HangLimit.h"
#include "driving/MessageBoxAnswerer.h"
#include "driving/MessageBoxes.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "launch/LaunchContextOwner.h"
#include "settings/SettingsStore.h"
#include "settings/WindowPositionStore.h"
#include "skin/ResourceLibrary.h"
#include "skin/SkinPaths.h"
#include "support/RunningConsole.h"
#include "support/TestBedFixture.h"

#include <shlwapi.h>

#include <cstdlib>
#include <memory>
#include <string>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

RECT ChildRect(HWND parent, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectRect(const RECT& expected, const RECT& actual, const char* what) {
    EXPECT_EQ(expected.left, actual.left) << what;
    EXPECT_EQ(expected.top, actual.top) << what;
    EXPECT_EQ(expected.right, actual.right) << what;
    EXPECT_EQ(expected.bottom, actual.bottom) << what;
}

HWND FindTabStrip(HWND console) {
    return AnyWindow().Within(console).Holding(IDC_TAB_VIEW).Holding(IDC_TAB_HIDE).EvenHidden().Find();
}

class ConsoleWindow : public CameraTestBed {
protected:
    void SetUp() override {
        CameraTestBed::SetUp();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
    }
    void TearDown() override {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        CameraTestBed::TearDown();
    }
    static bool StoredRect(RECT* r) {
        WindowPositionStore list;
        return list.LoadWindowPosition(kConsoleKey, r);
    }
};

TEST_F(ConsoleWindow, TitleBarLayout) {
    RunningConsole console;
    HWND w = console.hwnd();
    ASSERT_TRUE(::IsWindow(w));
    RECT client{};
    ::GetClientRect(w, &client);
    int W = client.right;
    ExpectRect({0, 0, W, 30}, console.window().titleRectForTesting(), "title rectangle");
    ExpectRect({5, 7, 21, 23}, console.window().iconRectForTesting(), "icon rectangle");
    ExpectRect({W - 29, 3, W - 5, 27}, ChildRect(w, ::GetDlgItem(w, IDC_CLOSE)), "close button");
    ExpectRect({W - 54, 3, W - 30, 27}, ChildRect(w, ::GetDlgItem(w, IDC_MINIMIZE)), "minimise button");
    ExpectRect({26, 7, W - 59, 23}, ChildRect(w, ::GetDlgItem(w, IDC_TITLE_TEXT)), "title text");
    RECT icon = ChildRect(w, ::GetDlgItem(w, IDC_TITLE_ICON));
    EXPECT_EQ(5, icon.left);
    EXPECT_EQ(7, icon.top);
    char title[128] = {};
    ::GetWindowTextA(w, title, sizeof(title));
    EXPECT_STRNE("", title);
    EXPECT_TRUE(::GetWindowLongA(w, GWL_STYLE) & WS_SYSMENU);
    EXPECT_TRUE(::GetWindowLongA(w, GWL_STYLE) & WS_MINIMIZEBOX);
}

TEST_F(ConsoleWindow, PanelSitsUnderTheTabStripAndAboveTheFooter) {
    RunningConsole console;
    HWND w = console.hwnd();
    HWND tabStrip = FindTabStrip(w);
    ASSERT_NE(nullptr, tabStrip);
    RECT t = ChildRect(w, tabStrip);
    RECT placeholder = ChildRect(w, ::GetDlgItem(w, IDC_TAB_PLACEHOLDER));
    EXPECT_EQ(1, t.left);
    EXPECT_EQ(placeholder.top, t.top);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(w, IDC_TAB_PLACEHOLDER)));

    ASSERT_TRUE(console.WaitForFirstShow());
    RECT client{};
    ::GetClientRect(w, &client);
    HWND panel = ::GetDlgItem(w, IDC_INFO_PANEL);
    ASSERT_NE(nullptr, panel);
    RECT p = ChildRect(w, panel);
    int expectedTop = ConsoleLayout::DisplayResolution() == 120 ? t.bottom - 2 : t.bottom - 1;
    EXPECT_EQ(expectedTop, console.window().panelTopForTesting());
    ExpectRect({1, expectedTop, client.right - 1, client.bottom - 31}, p, "info panel");

    RECT options = ChildRect(w, ::GetDlgItem(w, IDC_OPTIONS));
    EXPECT_EQ(client.bottom - 28, options.top);
    EXPECT_EQ(28, options.right - options.left);
    EXPECT_EQ(24, options.bottom - options.top);
    EXPECT_EQ(client.bottom - 22, ChildRect(w, ::GetDlgItem(w, IDC_CONSOLE_FOOTER)).top);

    int tabBottom = ConsoleLayout::DisplayResolution() == 120 ? t.bottom - 1 : t.bottom;
    // minHeight holds the panel as created: the one section collapsed to its title.
    HWND sectionClient = console.window().infoPanelForTesting().GetSectionClient(0, true);
    RECT clientRect{}, sectionRect{};
    ::GetWindowRect(sectionClient, &clientRect);
    ::GetWindowRect(::GetParent(sectionClient), &sectionRect);
    int collapsed = (sectionRect.bottom - sectionRect.top) - (clientRect.bottom - clientRect.top);
    EXPECT_EQ(tabBottom + collapsed + 30, console.window().minHeightForTesting());
}

TEST(DisplayResolution, IsTheOneThisRunWasSetUpFor) {
    // The 120-pixel run sets CONSOLE_EXPECTED_DPI; the plain run expects 96.
    char expected[8] = "96";
    ::GetEnvironmentVariableA("CONSOLE_EXPECTED_DPI", expected, sizeof(expected));
    EXPECT_EQ(std::atoi(expected), ConsoleLayout::DisplayResolution());
}

TEST_F(ConsoleWindow, TabButtonIsOnePixelNarrowerAt120) {
    RunningConsole console;
    HWND tabStrip = FindTabStrip(console.hwnd());
    ASSERT_NE(nullptr, tabStrip);
    RECT units{0, 0, 52, 14};  // the tab's size in the template
    ::MapDialogRect(tabStrip, &units);
    RECT tab = ChildRect(tabStrip, ::GetDlgItem(tabStrip, IDC_TAB_VIEW));
    int narrower = ConsoleLayout::DisplayResolution() == 120 ? 1 : 0;
    EXPECT_EQ(units.right - narrower, tab.right - tab.left);
    EXPECT_EQ(units.bottom, tab.bottom - tab.top);
}

TEST_F(ConsoleWindow, FirstShowWithoutStoredRectangleFitsTheHeightOnce) {
    RunningConsole console;
    HWND w = console.hwnd();
    HWND section = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            section = console.window().infoPanelForTesting().GetSectionClient(0, true);
            return section && ::IsWindowVisible(section);
        },
        kHangLimitMs));
    RECT sectionRect{};
    ::GetWindowRect(section, &sectionRect);
    int expected = console.window().minHeightForTesting() + (sectionRect.bottom - sectionRect.top);
    ASSERT_TRUE(WaitUntil(
        [&] {
            RECT r{};
            ::GetWindowRect(w, &r);
            return r.bottom - r.top == expected;
        },
        kHangLimitMs));
    console.Sync();  // the fit's handler finishes its grip update after the resize
    EXPECT_FALSE(console.window().positionRestoredForTesting());
    EXPECT_EQ(expected, console.window().gripRectForTesting().bottom);
    EXPECT_EQ(expected - 20, console.window().gripRectForTesting().top);
}

TEST_F(ConsoleWindow, StoredRectangleGivesPositionAndHeightAndTheTemplateWidth) {
    WindowPositionStore list;
    ASSERT_TRUE(list.SaveWindowPosition(200, 150, 210, 150 + 333, kConsoleKey));
    RunningConsole console;
    HWND w = console.hwnd();
    // A fit would follow the panel's first show.
    ASSERT_TRUE(console.WaitForFirstShow());
    RECT r{};
    ::GetWindowRect(w, &r);
    EXPECT_TRUE(console.window().positionRestoredForTesting());
    EXPECT_EQ(200, r.left);
    EXPECT_EQ(150, r.top);
    EXPECT_EQ(333, r.bottom - r.top);
    EXPECT_GT(r.right - r.left, 100) << "the width comes from the template, not the 10 stored";
}

TEST_F(ConsoleWindow, UnreachableStoredRectangleCountsAsAbsent) {
    const RECT cases[] = {{50000, 50000, 50300, 50400}, {200, 150, 500, 150}, {200, 150, 500, 100}};
    for (const RECT& stored : cases) {
        WindowPositionStore list;
        ASSERT_TRUE(list.SaveWindowPosition(stored.left, stored.top, stored.right, stored.bottom, kConsoleKey));
        RunningConsole console;
        console.Sync();
        EXPECT_FALSE(console.window().positionRestoredForTesting()) << stored.left << "," << stored.top;
        RECT r{};
        ::GetWindowRect(console.hwnd(), &r);
        EXPECT_NE(50000, r.left);
        EXPECT_GT(r.bottom - r.top, 0);
    }
}

TEST_F(ConsoleWindow, SizingNeverGoesBelowMinHeight) {
    RunningConsole console;
    console.Sync();
    int minHeight = console.window().minHeightForTesting();
    ASSERT_GT(minHeight, 30);
    RECT small{100, 100, 300, 110};
    ::SendMessageA(console.hwnd(), WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&small));
    EXPECT_EQ(100 + minHeight, small.bottom);
    RECT exactlyOneLess{100, 100, 300, 100 + minHeight - 1};
    ::SendMessageA(console.hwnd(), WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&exactlyOneLess));
    EXPECT_EQ(100 + minHeight, exactlyOneLess.bottom);
    RECT tall{100, 100, 300, 100 + minHeight + 200};
    ::SendMessageA(console.hwnd(), WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&tall));
    EXPECT_EQ(100 + minHeight + 200, tall.bottom);
    // The grip follows the bottom-right corner.
    RECT screen{};
    ::GetWindowRect(console.hwnd(), &screen);
    EXPECT_EQ(tall.right - screen.left, console.window().gripRectForTesting().right);
    EXPECT_EQ(tall.bottom - screen.top, console.window().gripRectForTesting().bottom);
}

TEST_F(ConsoleWindow, EnterAndEscapeDoNotCloseIt) {
    RunningConsole console;
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        ::PostMessageA(console.hwnd(), WM_KEYDOWN, key, 0);
        ::PostMessageA(::GetDlgItem(console.hwnd(), IDC_TITLE_TEXT), WM_KEYDOWN, key, 0);
    }
    console.Sync();
    EXPECT_FALSE(console.Join(300));
    EXPECT_TRUE(::IsWindow(console.hwnd()));
}

// Both ways out of sight store where the window stood; nothing is stored
// before, so a rectangle read afterwards was written by the action itself.
TEST_F(ConsoleWindow, CloseAndMinimiseStoreTheRectangle) {
    const struct {
        const char* name;
        void (*act)(RunningConsole& console);
    } cases[] = {
        {"close",
         [](RunningConsole& console) {
             ::PostMessageA(console.hwnd(), WM_CLOSE, 0, 0);
             EXPECT_TRUE(console.Join(kHangLimitMs));
         }},
        {"minimise",
         [](RunningConsole& console) {
             ::SendMessageA(console.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_MINIMIZE, BN_CLICKED), 0);
             EXPECT_TRUE(::IsIconic(console.hwnd()));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        RunningConsole console;
        console.Sync();
        RECT before{};
        ::GetWindowRect(console.hwnd(), &before);
        RECT stored{};
        ASSERT_FALSE(StoredRect(&stored));
        c.act(console);
        ASSERT_TRUE(StoredRect(&stored));
        ExpectRect(before, stored, "stored rectangle");
    }
}

TEST_F(ConsoleWindow, TitleBarButtonsActOnClicksOnly) {
    RunningConsole console;
    HWND w = console.hwnd();
    // What a skin that makes the buttons notify sends on a focus change.
    for (int id : {IDC_MINIMIZE, IDC_CLOSE, IDC_CAMERA_BUTTON, IDC_OPTIONS}) {
        for (WORD code : {WORD{BN_SETFOCUS}, WORD{BN_KILLFOCUS}, WORD{BN_DOUBLECLICKED}, WORD{BN_HILITE}}) {
            ::PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(w, id)));
            console.Sync();
            EXPECT_FALSE(console.MenuOpen()) << id << "/" << code;
            if (console.MenuOpen()) ::PostMessageA(::GetDlgItem(w, IDC_CAMERA_BUTTON), WM_KEYDOWN, VK_ESCAPE, 0);
        }
    }
    console.Sync();
    EXPECT_TRUE(::IsWindow(w));
    EXPECT_FALSE(::IsIconic(w));
    // A click still acts, and so does the system menu's command.
    ::SendMessageA(w, WM_COMMAND, MAKEWPARAM(IDC_MINIMIZE, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(w, IDC_MINIMIZE)));
    EXPECT_TRUE(::IsIconic(w));
    ::SendMessageA(w, WM_COMMAND, MAKEWPARAM(SC_RESTORE, 0), 0);
    EXPECT_FALSE(::IsIconic(w));
    ::PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(w, IDC_CLOSE)));
    EXPECT_TRUE(console.Join(kHangLimitMs));
}

TEST_F(ConsoleWindow, CloseRequestEndsAnOpenMenuAndTheConsole) {
    struct Opener {
        const char* menu;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Opener openers[] = {
        {"camera menu", WM_COMMAND, MAKEWPARAM(IDC_CAMERA_BUTTON, BN_CLICKED), 0},
        {"system menu", WM_RBUTTONUP, 0, MAKELPARAM(60, 10)},
    };
    for (const Opener& opener : openers) {
        RunningConsole console;
        console.Sync();
        ::PostMessageA(console.hwnd(), opener.message, opener.wParam, opener.lParam);
        ASSERT_TRUE(WaitUntil([&] { return console.MenuOpen(); }, kHangLimitMs)) << opener.menu;
        // As the watcher does on "/quit" or "/closed".
        ::PostMessageA(console.hwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(console.Join(kHangLimitMs)) << opener.menu << " kept the console on screen";
        if (console.MenuOpen()) ::PostMessageA(console.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
}

TEST_F(ConsoleWindow, ClosedConsoleLeavesNoTitleFontOrIconBehind) {
    auto console = std::make_unique<RunningConsole>();
    HWND w = console->hwnd();
    console->Sync();
    auto font = reinterpret_cast<HFONT>(::SendMessageA(::GetDlgItem(w, IDC_TITLE_TEXT), WM_GETFONT, 0, 0));
    auto icon = reinterpret_cast<HICON>(::SendMessageA(::GetDlgItem(w, IDC_TITLE_ICON), STM_GETICON, 0, 0));
    ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(font));
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);

    ::PostMessageA(w, WM_CLOSE, 0, 0);
    ASSERT_TRUE(console->Join(kHangLimitMs));
    EXPECT_EQ(0u, ::GetObjectType(font)) << "the title font outlived the window";
    console.reset();
    EXPECT_FALSE(::GetIconInfo(icon, &info)) << "the title icon outlived the console";
}

TEST_F(ConsoleWindow, RowOfTheTabAndTheCameraButtonShowsOnlyTheConsolesBackground) {
    RunningConsole console;
    ASSERT_TRUE(console.WaitForFirstShow());
    HWND w = console.hwnd();
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    console.Sync();
    HWND tabStrip = FindTabStrip(w);
    ASSERT_NE(nullptr, tabStrip);
    RECT tab{}, camera{}, client{};
    ::GetWindowRect(::GetDlgItem(tabStrip, IDC_TAB_VIEW), &tab);
    ::GetWindowRect(::GetDlgItem(w, IDC_CAMERA_BUTTON), &camera);
    ::GetClientRect(w, &client);
    POINT footer{client.right / 2, client.bottom - 12};  // the console's own body, above its frame
    ::ClientToScreen(w, &footer);
    HDC screen = ::GetDC(nullptr);
    COLORREF body = ::GetPixel(screen, footer.x, footer.y);
    int y = (tab.top + tab.bottom) / 2;
    int stray = 0;
    for (int x = tab.right + 1; x < camera.left - 1; ++x) stray += ::GetPixel(screen, x, y) != body ? 1 : 0;
    ::ReleaseDC(nullptr, screen);
    EXPECT_GT(camera.left - tab.right, 4) << "there is a gap to look at";
    EXPECT_EQ(0, stray) << "pixels of another colour between the tab and the camera button";
}

TEST_F(ConsoleWindow, DoubleClickOnTheTitleIconClosesWithoutStoring) {
    RunningConsole console;
    ::PostMessageA(console.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(console.Join(kHangLimitMs));
    EXPECT_EQ(0, console.result());
    RECT stored{};
    EXPECT_FALSE(StoredRect(&stored));
}

TEST_F(ConsoleWindow, SystemMenuStatesFollowTheShowState) {
    RunningConsole console;
    HWND w = console.hwnd();
    HMENU menu = ::GetSystemMenu(w, FALSE);
    ASSERT_NE(nullptr, menu);
    auto grayed = [&](UINT command) { return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    ::SendMessageA(w, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    EXPECT_TRUE(grayed(SC_MAXIMIZE));
    EXPECT_FALSE(grayed(SC_MINIMIZE));
    EXPECT_TRUE(grayed(SC_RESTORE));
    EXPECT_FALSE(grayed(SC_MOVE));
    EXPECT_TRUE(grayed(SC_SIZE));
    ::ShowWindow(w, SW_MINIMIZE);
    ::SendMessageA(w, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    EXPECT_TRUE(grayed(SC_MAXIMIZE));
    EXPECT_TRUE(grayed(SC_MINIMIZE));
    EXPECT_FALSE(grayed(SC_RESTORE));
    EXPECT_TRUE(grayed(SC_MOVE));
    EXPECT_TRUE(grayed(SC_SIZE));
}

TEST_F(ConsoleWindow, ToolTipsOfTheTitleButtons) {
    RunningConsole console;
    HWND w = console.hwnd();
    struct Case {
        int control;
        UINT text;
    };
    for (Case c : {Case{IDC_MINIMIZE, IDS_TIP_MINIMIZE}, Case{IDC_CLOSE, IDS_TIP_CLOSE}, Case{IDC_OPTIONS, 0}}) {
        NMTTDISPINFOA request{};
        request.hdr.hwndFrom = nullptr;
        request.hdr.idFrom = reinterpret_cast<UINT_PTR>(::GetDlgItem(w, c.control));
        request.hdr.code = TTN_NEEDTEXTA;
        request.uFlags = TTF_IDISHWND;
        EXPECT_TRUE(::SendMessageA(w, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request)));
        // The console's resource library is this process's resource source.
        std::string expected = c.text ? LoadResourceString(c.text) : std::string();
        EXPECT_EQ(expected, std::string(request.lpszText ? request.lpszText : "")) << c.control;
    }
    NMTTDISPINFOA byId{};
    byId.hdr.idFrom = IDC_CLOSE;
    byId.hdr.code = TTN_NEEDTEXTA;
    EXPECT_FALSE(::SendMessageA(w, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&byId)));
}

// Takes the skin bundle away for one test, so the skinning library refuses the window.
class HiddenSkinBundle {
public:
    HiddenSkinBundle() {
        (void)BuildSkinBundlePath(path_);
        hidden_ = std::string(path_) + ".hidden";
        moved_ = ::MoveFileExA(path_, hidden_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    }
    ~HiddenSkinBundle() {
        if (moved_) ::MoveFileExA(hidden_.c_str(), path_, MOVEFILE_REPLACE_EXISTING);
    }
    bool moved() const { return moved_; }

private:
    char path_[MAX_PATH] = {};
    std::string hidden_;
    bool moved_ = false;
};

TEST_F(ConsoleWindow, RefusedSkinIsReportedAndTheConsoleWorksUnskinned) {
    HiddenSkinBundle bundle;
    ASSERT_TRUE(bundle.moved());
    ResourceLibrary library;
    ASSERT_TRUE(library.Load());
    // The message comes while the console's window is made, before it shows.
    MessageBoxAnswerer answerer(MessageBoxesSaying(::GetCurrentProcessId(), LoadResourceString(IDS_SKIN_FAILED)), IDOK);
    RunningConsole console;
    EXPECT_TRUE(answerer.Join());
    ASSERT_TRUE(::IsWindow(console.hwnd()));
    // The panel and its section are there and open as usual.
    ASSERT_TRUE(console.WaitForFirstShow());
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(console.hwnd(), IDC_INFO_PANEL)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(console.hwnd(), IDC_OPTIONS)));
}

}  // namespace
