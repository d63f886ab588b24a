// The info panel window: skin data, layout with and without the scroll bar,
// scrolling, and the section states kept in the registry.
#include "InfoPanelTestSupport.h"

#include "ResourceIds.h"
#include "infopanel/InfoPanelMessages.h"
#include "infopanel/InfoPanelWnd.h"
#include "settings/WindowPositionStore.h"

#include <functional>
#include <memory>

using namespace infopaneltest;
using ostrivan::InfoPanelWnd;

namespace {

constexpr char kBundle[] = "C:\\windows\\syswow64\\Ostrivan.bff";
constexpr char kWindowSkin[] = "InfoPanelWnd.PNG";
constexpr int kClientWidth = 200;
constexpr int kSectionWidth = 1 + kClientWidth + 1;

class PanelWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(probe.Loaded()) << "HookWnd.DLL of the tests is missing";
        probe.Reset();
        Journal().clear();
        ClearPanelStates();
    }
    void TearDown() override {
        panel.reset();
        ClearPanelStates();
    }

    void MakePanel(int height, DWORD style = WS_VISIBLE, HWND parent = nullptr) {
        panel = std::make_unique<InfoPanelWnd>();
        const RECT rect{1, 30, 1 + 260, 30 + height};
        ASSERT_TRUE(panel->Create(parent ? parent : console.hwnd(), rect, 201, 0, style, kBundle, kWindowSkin));
        panel->SetStatePersistence(&store, true, 0);
    }
    HWND AddClient(int height, bool visible, const char* title = "Section") {
        HWND client = MakeClient(console.hwnd(), kClientWidth, height, visible);
        EXPECT_TRUE(panel->AddSection(client, panel->GetSectionCount(), 1, title, -1));
        return client;
    }
    // Lets the first restore run with every state stored as collapsed, so it changes nothing.
    void SettleWithStoredStates(int count) {
        for (int i = 0; i < count; ++i) StorePanelState(i, 0);
        ASSERT_TRUE(restores.PumpUntilTaken(panel->hwnd(), 1)) << "the first restore never ran";
        Journal().clear();
    }
    // Both tolerate a missing section, which the checks then report.
    RECT SectionRect(int index) {
        ostrivan::InfoPanel* section = panel ? panel->GetSectionForTesting(index) : nullptr;
        EXPECT_NE(nullptr, section) << "no section " << index;
        return section ? ChildRect(section->hwnd()) : RECT{-1, -1, -1, -1};
    }
    void ClickTitle(int index) {
        ostrivan::InfoPanel* section = panel ? panel->GetSectionForTesting(index) : nullptr;
        ASSERT_NE(nullptr, section) << "no section " << index;
        ::SendMessageA(section->titleButtonForTesting(), BM_CLICK, 0, 0);
        Pump();
    }
    bool ScrollBarShown() { return (::GetWindowLongA(panel->hwnd(), GWL_STYLE) & WS_VSCROLL) != 0; }
    std::vector<Received> FitNotices() { return ReceivedBy(console.hwnd(), ostrivan::kMsgFitToPanel); }

    SkinRecorder probe;
    RestoreTimerWatch restores;
    RecorderWindow console{nullptr, RECT{40, 40, 400, 700}, true};
    ostrivan::WindowPositionStore store;
    std::unique_ptr<InfoPanelWnd> panel;
};

TEST_F(PanelWindowTest, SkinNamesComeFromTheWindowsDataSection) {
    struct Case {
        const char* skin;
        const char* descriptor;
        const char* dataSection;
    } cases[] = {
        {kWindowSkin, "skin size=40 kind=8 image=InfoPanelWnd.PNG", "InfoPanelWndData_InfoPanelWnd.PNG"},
        {nullptr, "skin size=40 kind=9 image=(null)", "InfoPanelWndData_InfoPanel.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataSection);
        probe.Reset();
        probe.SetData(c.dataSection, "InfoPanelBkgBMP", "Section.png");
        probe.SetData(c.dataSection, "DropDownBMP", "Drop.png");
        InfoPanelWnd window;
        ASSERT_TRUE(window.Create(console.hwnd(), RECT{0, 0, 200, 200}, 201, 0, WS_VISIBLE, kBundle, c.skin));
        auto skins = probe.LinesStarting("skin ");
        ASSERT_EQ(1u, skins.size());
        EXPECT_EQ(testsupport::WithRecordSizes(std::string(c.descriptor) + " bundle=" + kBundle +
                                               " reserved=0,0,0,0 controls=0"),
                  skins[0]);
        EXPECT_EQ((std::vector<std::string>{std::string("data ") + c.dataSection + " InfoPanelBkgBMP 120",
                                            std::string("data ") + c.dataSection + " DropDownBMP 120"}),
                  probe.LinesStarting("data "));
        EXPECT_STREQ("Section.png", window.sectionSkinNameForTesting());
        EXPECT_STREQ("Drop.png", window.dropDownImageForTesting());

        // Its sections are skinned with those names.
        probe.Reset();
        HWND client = MakeClient(console.hwnd(), 100, 40, false);
        ASSERT_TRUE(window.AddSection(client, 0, 1, "Title", -1));
        EXPECT_EQ(testsupport::WithRecordSizes("skin size=40 kind=8 image=Section.png bundle=" + std::string(kBundle) +
                                               " reserved=0,0,0,0 controls=1 [12:69:28:2:Drop.png]"),
                  probe.LinesStarting("skin ").at(0));
        EXPECT_EQ("number InfoPanelData_Section.png LeftBorderMargin 1", probe.LinesStarting("number ").at(0));
    }
}

TEST_F(PanelWindowTest, RefusedSkinningLeavesAWorkingUnskinnedPanel) {
    probe.SetSkinResult(0);
    probe.SetData("InfoPanelWndData_InfoPanelWnd.PNG", "InfoPanelBkgBMP", "Section.png");
    MakePanel(300);
    ASSERT_TRUE(::IsWindow(panel->hwnd()));
    EXPECT_TRUE(probe.LinesStarting("data ").empty());
    EXPECT_STREQ("", panel->sectionSkinNameForTesting());
    AddClient(80, false);
    EXPECT_EQ(1, panel->GetSectionCount());
    ClickTitle(0);
    EXPECT_TRUE(panel->IsSectionExpanded(0, true));
    EXPECT_EQ(1 + 80 + 24, panel->GetContentHeight());
}

TEST_F(PanelWindowTest, CreateRefusesMissingBundleOrParent) {
    RecorderWindow gone{nullptr, RECT{0, 0, 10, 10}, false};
    HWND goneWindow = gone.hwnd();
    ::DestroyWindow(goneWindow);
    struct Case {
        const char* name;
        HWND parent;
        const char* bundle;
    } cases[] = {{"no bundle", console.hwnd(), nullptr}, {"no parent", nullptr, kBundle},
                 {"destroyed parent", goneWindow, kBundle}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InfoPanelWnd window;
        EXPECT_FALSE(window.Create(c.parent, RECT{0, 0, 100, 100}, 201, 0, WS_VISIBLE, c.bundle, kWindowSkin));
        EXPECT_EQ(nullptr, window.hwnd());
    }
    EXPECT_EQ(nullptr, ::GetDlgItem(console.hwnd(), 201));
}

TEST_F(PanelWindowTest, SectionsThatFitStackWithoutABar) {
    MakePanel(300);
    for (int i = 0; i < 3; ++i) AddClient(50, true);
    SettleWithStoredStates(3);
    EXPECT_EQ(3 * 75, panel->GetContentHeight());
    EXPECT_FALSE(panel->hasScrollBarForTesting());
    EXPECT_FALSE(ScrollBarShown());
    EXPECT_EQ(0, panel->verticalOffsetForTesting());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        RECT r = SectionRect(i);
        EXPECT_EQ(0, r.left);
        EXPECT_EQ(75 * i, r.top);
        EXPECT_EQ(kSectionWidth, Width(r));
        EXPECT_EQ(75, Height(r));
    }
    // Scrolling needs a bar.
    ::SendMessageA(panel->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    ::SendMessageA(panel->hwnd(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(0, panel->verticalOffsetForTesting());
    EXPECT_EQ(0, SectionRect(0).top);
}

TEST_F(PanelWindowTest, ExpandingPastTheHeightShowsTheBarAndRevealsTheSection) {
    constexpr int kHeight = 200;
    struct Case {
        const char* name;
        bool visible[3];    // clients at creation, 100 pixels each
        int silentlyOpen;   // opened before the click, -1 none
        int clicked;
        int offset;         // height above the clicked section, clamped to H - C
    } cases[] = {
        {"revealed at its top", {false, false, true}, -1, 1, 25},
        {"clamped to the end", {false, false, false}, 1, 2, 25 + 125 + 125 - kHeight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakePanel(kHeight);
        for (bool visible : c.visible) AddClient(100, visible);
        SettleWithStoredStates(3);
        if (c.silentlyOpen >= 0) {
            ASSERT_TRUE(panel->SetSectionExpanded(c.silentlyOpen, true, true, true));
            Pump();
        }
        ASSERT_FALSE(panel->hasScrollBarForTesting());
        ClickTitle(c.clicked);

        const int content = panel->GetContentHeight();
        EXPECT_EQ(25 + 125 + 125, content);
        EXPECT_TRUE(panel->hasScrollBarForTesting());
        EXPECT_TRUE(ScrollBarShown());
        EXPECT_EQ(c.offset, panel->verticalOffsetForTesting());
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        ASSERT_TRUE(::GetScrollInfo(panel->hwnd(), SB_VERT, &info));
        EXPECT_EQ(0, info.nMin);
        EXPECT_EQ(content, info.nMax);
        EXPECT_EQ(static_cast<UINT>(kHeight), info.nPage);
        EXPECT_EQ(c.offset, info.nPos);
        int top = 0;
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            RECT r = SectionRect(i);
            EXPECT_EQ(kSectionWidth - 15, Width(r));
            EXPECT_EQ(top - c.offset, r.top);
            top += Height(r);
        }
        RECT clicked = SectionRect(c.clicked);
        EXPECT_GE(clicked.top, 0);
        EXPECT_LE(clicked.bottom, kHeight);

        // Closing it again: everything fits, the bar goes and the width comes back.
        ClickTitle(c.clicked);
        EXPECT_FALSE(panel->hasScrollBarForTesting());
        EXPECT_FALSE(ScrollBarShown());
        EXPECT_EQ(0, panel->verticalOffsetForTesting());
        for (int i = 0; i < 3; ++i) EXPECT_EQ(kSectionWidth, Width(SectionRect(i)));
        EXPECT_EQ(0, SectionRect(0).top);
        panel.reset();
        ClearPanelStates();
    }
}

TEST_F(PanelWindowTest, WheelAndBarScrollWithinTheContent) {
    constexpr int kHeight = 200;
    MakePanel(kHeight);
    AddClient(100, true);
    AddClient(100, true);
    AddClient(100, false);
    SettleWithStoredStates(3);
    const int limit = panel->GetContentHeight() - kHeight;
    ASSERT_EQ(75, limit);
    ASSERT_TRUE(panel->hasScrollBarForTesting());
    ASSERT_EQ(0, panel->verticalOffsetForTesting());

    auto wheel = [&](int delta) {
        ::SendMessageA(panel->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
    };
    auto bar = [&](int code, int position) {
        ::SendMessageA(panel->hwnd(), WM_VSCROLL, MAKEWPARAM(code, position), 0);
    };
    struct Step {
        const char* name;
        std::function<void()> action;
        int offset;
    } steps[] = {
        {"notch down", [&] { wheel(-120); }, 24},
        {"notch down", [&] { wheel(-120); }, 48},
        {"notch down", [&] { wheel(-120); }, 72},
        {"notch down at the end", [&] { wheel(-120); }, limit},
        {"notch up", [&] { wheel(120); }, limit - 24},
        {"partial notch truncates", [&] { wheel(119); }, limit - 24 - 23},
        {"tiny delta", [&] { wheel(4); }, limit - 24 - 23},
        {"notch up", [&] { wheel(120); }, limit - 24 - 23 - 24},
        {"notch up at the top", [&] { wheel(120); }, 0},
        {"line down", [&] { bar(SB_LINEDOWN, 0); }, 10},
        {"line up", [&] { bar(SB_LINEUP, 0); }, 0},
        {"line up at the top", [&] { bar(SB_LINEUP, 0); }, 0},
        {"page down", [&] { bar(SB_PAGEDOWN, 0); }, limit},
        {"thumb", [&] { bar(SB_THUMBTRACK, 30); }, 30},
        {"thumb past the end", [&] { bar(SB_THUMBPOSITION, 500); }, limit},
        {"page up", [&] { bar(SB_PAGEUP, 0); }, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.action();
        EXPECT_EQ(step.offset, panel->verticalOffsetForTesting());
        EXPECT_EQ(step.offset, ::GetScrollPos(panel->hwnd(), SB_VERT));
        EXPECT_EQ(-step.offset, SectionRect(0).top);
        EXPECT_EQ(125 - step.offset, SectionRect(1).top);
    }
}

TEST_F(PanelWindowTest, ShrinkingTheWindowBringsTheBarAndGrowingRemovesIt) {
    MakePanel(300);
    AddClient(100, true);
    AddClient(100, true);
    SettleWithStoredStates(2);
    ASSERT_FALSE(panel->hasScrollBarForTesting());
    ::SetWindowPos(panel->hwnd(), nullptr, 0, 0, 260, 150, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(panel->hasScrollBarForTesting());
    EXPECT_EQ(kSectionWidth - 15, Width(SectionRect(0)));

    ::SendMessageA(panel->hwnd(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(250 - 150, panel->verticalOffsetForTesting());
    ::SetWindowPos(panel->hwnd(), nullptr, 0, 0, 260, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(panel->hasScrollBarForTesting());
    EXPECT_EQ(0, panel->verticalOffsetForTesting());
    EXPECT_EQ(0, SectionRect(0).top);
    EXPECT_EQ(kSectionWidth, Width(SectionRect(0)));
}

TEST_F(PanelWindowTest, UserTogglesSaveEverySectionsState) {
    struct Case {
        bool byIndex;
        int base;
        int firstNumber;
    } cases[] = {{true, 0, 0}, {false, 4, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstNumber);
        ClearPanelStates();
        MakePanel(400);
        for (int i = 0; i < 3; ++i) AddClient(50, false);
        panel->SetStatePersistence(&store, c.byIndex, c.base);
        SettleWithStoredStates(0);
        ClearPanelStates();

        ClickTitle(1);
        DWORD states[3] = {9, 9, 9};
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(ReadPanelState(c.firstNumber + i, &states[i])) << i;
        EXPECT_EQ(panel->IsSectionExpanded(0, true) ? 1u : 0u, states[0]);
        EXPECT_EQ(1u, states[1]);
        EXPECT_EQ(0u, states[2]);
        if (c.firstNumber > 0) {
            DWORD unused;
            EXPECT_FALSE(ReadPanelState(0, &unused));
        }

        ClickTitle(1);
        ASSERT_TRUE(ReadPanelState(c.firstNumber + 1, &states[1]));
        EXPECT_EQ(0u, states[1]);
        // A change by code is not the user's: nothing is saved.
        ASSERT_TRUE(panel->SetSectionExpanded(2, true, true, false));
        Pump();
        ASSERT_TRUE(ReadPanelState(c.firstNumber + 2, &states[2]));
        EXPECT_EQ(0u, states[2]);
        panel.reset();
    }
}

TEST_F(PanelWindowTest, FirstShowRestoresStoredStatesOrOpensTheFirstSection) {
    const char text[] = "1";
    const ULONGLONG wide = 1;
    struct Case {
        const char* name;
        std::function<void()> store;
        bool byIndex;
        bool clientVisible[2];
        bool expanded[2];
        size_t notices;
    } cases[] = {
        {"nothing stored", [] {}, true, {false, false}, {true, false}, 1},
        {"second stored open", [] { StorePanelState(1, 1); }, true, {false, false}, {false, true}, 0},
        {"first stored closed, created closed", [] { StorePanelState(0, 0); }, true, {false, false}, {false, false}, 0},
        {"first stored closed, created open", [] { StorePanelState(0, 0); }, true, {true, false}, {true, false}, 0},
        {"value other than 1", [] { StorePanelState(0, 2); }, true, {false, false}, {false, false}, 0},
        {"first stored as text", [&] { StorePanelStateRaw(0, REG_SZ, text, sizeof(text)); }, true, {false, false},
         {true, false}, 1},
        {"first stored as 8 bytes", [&] { StorePanelStateRaw(0, REG_QWORD, &wide, sizeof(wide)); }, true,
         {false, false}, {true, false}, 1},
        {"nothing stored, numbered from a base", [] {}, false, {false, false}, {true, false}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearPanelStates();
        Journal().clear();
        c.store();
        MakePanel(400);
        AddClient(50, c.clientVisible[0]);
        AddClient(50, c.clientVisible[1]);
        panel->SetStatePersistence(&store, c.byIndex, 0);
        ASSERT_TRUE(restores.PumpUntilTaken(panel->hwnd(), 1)) << "the first restore never ran";
        EXPECT_EQ(c.expanded[0], panel->IsSectionExpanded(0, true));
        EXPECT_EQ(c.expanded[1], panel->IsSectionExpanded(1, true));
        EXPECT_EQ(c.notices, FitNotices().size());
        for (const Received& notice : FitNotices()) {
            EXPECT_EQ(0u, notice.wParam);
            EXPECT_EQ(0, notice.lParam);
        }
        // The restore changed nothing in the registry.
        DWORD value;
        EXPECT_EQ(c.name == std::string("second stored open"), ReadPanelState(1, &value));
        panel.reset();
    }
}

TEST_F(PanelWindowTest, LaterShowsRestoreAgainWithoutANotice) {
    MakePanel(400);
    AddClient(50, false);
    ASSERT_TRUE(restores.PumpUntilTaken(panel->hwnd(), 1)) << "the first restore never ran";
    ASSERT_TRUE(panel->IsSectionExpanded(0, true));
    ASSERT_EQ(1u, FitNotices().size());
    for (int show = 0; show < 2; ++show) {
        SCOPED_TRACE(show);
        ::ShowWindow(panel->hwnd(), SW_HIDE);
        ASSERT_TRUE(panel->SetSectionExpanded(0, true, false, true));
        Pump();
        ::ShowWindow(panel->hwnd(), SW_SHOW);
        ASSERT_TRUE(restores.PumpUntilTaken(panel->hwnd(), 2 + show)) << "no restore at this show";
        EXPECT_TRUE(panel->IsSectionExpanded(0, true));
        EXPECT_EQ(1u, FitNotices().size());
    }
}

TEST_F(PanelWindowTest, RestoreWaitsUntilTheParentIsShown) {
    RecorderWindow hidden{nullptr, RECT{40, 40, 400, 700}, false};
    MakePanel(400, WS_VISIBLE, hidden.hwnd());
    AddClient(50, false);
    // The first show's restore, and one more try, both while the parent is hidden.
    ASSERT_TRUE(restores.PumpUntilTaken(panel->hwnd(), 2)) << "the restore never tried";
    EXPECT_FALSE(panel->IsSectionExpanded(0, true));
    EXPECT_TRUE(ReceivedBy(hidden.hwnd(), ostrivan::kMsgFitToPanel).empty());
    const int tries = restores.Taken(panel->hwnd());
    ::ShowWindow(hidden.hwnd(), SW_SHOWNOACTIVATE);
    ASSERT_TRUE(restores.PumpUntilTaken(panel->hwnd(), tries + 1)) << "no restore once the parent shows";
    EXPECT_TRUE(panel->IsSectionExpanded(0, true));
    EXPECT_EQ(1u, ReceivedBy(hidden.hwnd(), ostrivan::kMsgFitToPanel).size());
    panel.reset();
}

TEST_F(PanelWindowTest, EmptyWindowStillNoticesItsFirstShow) {
    MakePanel(300);
    EXPECT_EQ(0, panel->GetContentHeight());
    ASSERT_TRUE(restores.PumpUntilTaken(panel->hwnd(), 1)) << "the first restore never ran";
    EXPECT_EQ(1u, FitNotices().size());
    EXPECT_FALSE(panel->SetSectionExpanded(0, true, true, true));
}

TEST_F(PanelWindowTest, SectionsAreFoundByIndexOrId) {
    MakePanel(400);
    HWND first = MakeClient(console.hwnd(), kClientWidth, 40, false, "First client");
    HWND second = MakeClient(console.hwnd(), kClientWidth, 40, false, "Second client");
    ASSERT_TRUE(panel->AddSection(first, 11, 1, nullptr, -1));
    ASSERT_TRUE(panel->AddSection(second, 12, 1, "Given", 0));  // inserted before the first
    ASSERT_EQ(2, panel->GetSectionCount());
    // The first show's restore runs now, not in the middle of the checks below.
    SettleWithStoredStates(2);
    char text[64] = {};
    ASSERT_NE(nullptr, panel->GetSectionForTesting(1));
    ::GetWindowTextA(panel->GetSectionForTesting(1)->hwnd(), text, sizeof(text));
    EXPECT_STREQ("First client", text);
    ::GetWindowTextA(panel->GetSectionForTesting(0)->titleButtonForTesting(), text, sizeof(text));
    EXPECT_STREQ("Given", text);
    EXPECT_EQ(1, panel->FindSection(11));
    EXPECT_EQ(0, panel->FindSection(12));
    EXPECT_EQ(-1, panel->FindSection(13));
    EXPECT_EQ(first, panel->GetSectionClient(11, false));
    EXPECT_EQ(second, panel->GetSectionClient(0, true));
    EXPECT_EQ(nullptr, panel->GetSectionClient(2, true));
    EXPECT_EQ(nullptr, panel->GetSectionClient(-1, true));
    EXPECT_EQ(nullptr, panel->GetSectionClient(13, false));
    EXPECT_FALSE(panel->SetSectionExpanded(13, false, true, true));
    EXPECT_TRUE(panel->SetSectionExpanded(11, false, true, true));
    EXPECT_TRUE(panel->IsSectionExpanded(11, false));
    EXPECT_TRUE(panel->IsSectionExpanded(1, true));
    EXPECT_FALSE(panel->IsSectionExpanded(12, false));
    Pump();
    EXPECT_EQ(25, SectionRect(1).top);  // the inserted one lies above

    // Refused additions change nothing.
    HWND third = MakeClient(console.hwnd(), kClientWidth, 40, false);
    EXPECT_FALSE(panel->AddSection(third, 13, 1, "x", 3));
    EXPECT_FALSE(panel->AddSection(third, 13, 1, "x", -2));
    EXPECT_FALSE(panel->AddSection(nullptr, 13, 1, "x", -1));
    EXPECT_EQ(2, panel->GetSectionCount());
    EXPECT_EQ(console.hwnd(), ::GetParent(third));
}

TEST_F(PanelWindowTest, AccordionSectionsCloseEachOther) {
    MakePanel(400, WS_VISIBLE | ostrivan::kSectionAccordion);
    for (int i = 0; i < 3; ++i) AddClient(50, false);
    SettleWithStoredStates(3);
    ClickTitle(0);
    EXPECT_TRUE(panel->IsSectionExpanded(0, true));
    ClickTitle(2);
    EXPECT_FALSE(panel->IsSectionExpanded(0, true));
    EXPECT_TRUE(panel->IsSectionExpanded(2, true));
    ClickTitle(2);
    EXPECT_TRUE(panel->IsSectionExpanded(2, true));
    Pump();
    EXPECT_EQ(25, SectionRect(1).top);
    EXPECT_EQ(50, SectionRect(2).top);
}

}  // namespace
