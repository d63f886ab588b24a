// The info panel section: layout from the skin data and its defaults,
// collapsing and expanding by the title and by code, the messages it sends,
// its cursor and tool tip.
#include "InfoPanelTestSupport.h"

#include "ResourceIds.h"
#include "infopanel/InfoPanel.h"
#include "infopanel/InfoPanelMessages.h"
#include "skin/ResourceLibrary.h"

#include <commctrl.h>

#include <memory>

using namespace infopaneltest;
using ostrivan::InfoPanel;

namespace {

constexpr char kBundle[] = "C:\\windows\\syswow64\\Ostrivan.bff";
constexpr char kSkin[] = "Section.png";
constexpr char kSkinData[] = "InfoPanelData_Section.png";
constexpr UINT kId = 7;

class SectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(probe.Loaded()) << "HookWnd.DLL of the tests is missing";
        probe.Reset();
        Journal().clear();
        ASSERT_TRUE(grandparent.hwnd());
        ASSERT_TRUE(parent.hwnd());
    }

    std::unique_ptr<InfoPanel> MakeSection(HWND client, uint32_t flags = 0, const char* skin = kSkin) {
        auto section = std::make_unique<InfoPanel>();
        EXPECT_TRUE(section->Create(flags, kId, "Title", client, parent.hwnd(), kBundle, skin, "Drop.png"));
        Pump();
        Journal().clear();
        return section;
    }

    void ClickTitle(const InfoPanel& section) {
        ::SendMessageA(section.titleButtonForTesting(), BM_CLICK, 0, 0);
        Pump();
    }

    std::vector<Received> Callbacks(HWND window) {
        return ReceivedBy(window, ostrivan::InfoPanelCallbackMessage());
    }

    SkinRecorder probe;
    RecorderWindow grandparent{nullptr, RECT{50, 50, 450, 650}, true};
    RecorderWindow parent{grandparent.hwnd(), RECT{0, 0, 300, 500}, true};
};

TEST_F(SectionTest, SizeAndTitleFollowTheClientsVisibilityAtCreation) {
    struct Case {
        bool clientVisible;
        int height;
        int check;
    } cases[] = {{false, 25, BST_UNCHECKED}, {true, 24 + 80 + 1, BST_CHECKED}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clientVisible ? "visible client" : "hidden client");
        HWND client = MakeClient(parent.hwnd(), 200, 80, c.clientVisible);
        auto section = MakeSection(client);
        RECT r = ChildRect(section->hwnd());
        EXPECT_EQ(1 + 1 + 200, Width(r));
        EXPECT_EQ(c.height, Height(r));
        EXPECT_EQ(c.check, ::SendMessageA(section->titleButtonForTesting(), BM_GETCHECK, 0, 0));
        EXPECT_EQ(c.clientVisible, section->IsExpanded());
        EXPECT_EQ(section->hwnd(), ::GetParent(client));
        RECT placed = ChildRect(client);
        EXPECT_EQ(1, placed.left);
        EXPECT_EQ(24, placed.top);
        EXPECT_TRUE(::IsWindowVisible(section->hwnd()));
        EXPECT_EQ(static_cast<LONG_PTR>(WS_EX_CONTROLPARENT),
                  ::GetWindowLongA(section->hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    }
}

TEST_F(SectionTest, WithoutSkinKeysTheDefaultsPlaceTheTitle) {
    HWND client = MakeClient(parent.hwnd(), 200, 80, false);
    auto section = MakeSection(client);
    RECT sectionRect = ChildRect(section->hwnd());
    RECT title = ChildRect(section->titleButtonForTesting());
    EXPECT_EQ(6, title.left);
    EXPECT_EQ(2, title.top);
    EXPECT_EQ(20, Height(title));
    EXPECT_EQ(Width(sectionRect) - 12, Width(title));
    EXPECT_EQ(0x56010022, ::GetWindowLongA(section->titleButtonForTesting(), GWL_STYLE) & 0xFFFFFFFF);

    // Every key was asked for, in order, from the section's data section with its default.
    const std::string prefix = std::string("number ") + kSkinData + " ";
    EXPECT_EQ((std::vector<std::string>{prefix + "LeftBorderMargin 1", prefix + "RightBorderMargin 1",
                                        prefix + "TopBorderMargin 24", prefix + "BottomBorderMargin 1",
                                        prefix + "TitleIndentLeft 5", prefix + "TitleIndentRight 5"}),
              probe.LinesStarting("number "));
    EXPECT_EQ(std::vector<std::string>{std::string("data ") + kSkinData + " RegionData 100"},
              probe.LinesStarting("data "));
}

TEST_F(SectionTest, SkinDescriptorNamesTheBundleSkinAndDropDownImage) {
    struct Case {
        const char* skin;
        std::string expected;
    } cases[] = {
        {kSkin, "skin size=40 kind=8 image=Section.png bundle=" + std::string(kBundle) +
                    " reserved=0,0,0,0 controls=1 [12:69:28:2:Drop.png]"},
        {"", "skin size=40 kind=9 image=(null) bundle=" + std::string(kBundle) +
                 " reserved=0,0,0,0 controls=1 [12:69:28:2:Drop.png]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skin);
        probe.Reset();
        auto section = MakeSection(MakeClient(parent.hwnd(), 100, 50, false), 0, c.skin);
        EXPECT_EQ(std::vector<std::string>{testsupport::WithRecordSizes(c.expected)}, probe.LinesStarting("skin "));
    }
    // Without a skin name the data section is "InfoPanelData_" alone.
    EXPECT_EQ("data InfoPanelData_ RegionData 100", probe.LinesStarting("data ").at(0));
}

TEST_F(SectionTest, SkinValuesShapeTheSectionAndItsRegion) {
    probe.SetNumber(kSkinData, "LeftBorderMargin", 3);
    probe.SetNumber(kSkinData, "RightBorderMargin", 4);
    probe.SetNumber(kSkinData, "TopBorderMargin", 30);
    probe.SetNumber(kSkinData, "BottomBorderMargin", 2);
    probe.SetNumber(kSkinData, "TitleIndentLeft", 7);
    probe.SetNumber(kSkinData, "TitleIndentRight", 9);
    probe.SetData(kSkinData, "RegionData", "RoundRect 4 4");
    HWND client = MakeClient(parent.hwnd(), 200, 80, false);
    auto section = MakeSection(client);

    RECT r = ChildRect(section->hwnd());
    EXPECT_EQ(3 + 4 + 200, Width(r));
    EXPECT_EQ(30 + 2, Height(r));
    RECT title = ChildRect(section->titleButtonForTesting());
    EXPECT_EQ(10, title.left);
    EXPECT_EQ(2, title.top);
    EXPECT_EQ(Width(r) - 9 - 4 - 3 - 7, Width(title));
    EXPECT_EQ(26, Height(title));
    RECT placed = ChildRect(client);
    EXPECT_EQ(3, placed.left);
    EXPECT_EQ(30, placed.top);

    // Every resize hands the region back with flag 1.
    probe.Reset();
    section->SetExpanded(true, true);
    EXPECT_EQ(30 + 80 + 2, Height(ChildRect(section->hwnd())));
    EXPECT_EQ(std::vector<std::string>{"region 1 RoundRect 4 4"}, probe.LinesStarting("region "));
}

TEST_F(SectionTest, RefusedSkinningReadsNoKeysAndKeepsAUsableTitle) {
    probe.SetSkinResult(0);
    probe.SetNumber(kSkinData, "TopBorderMargin", 40);
    HWND client = MakeClient(parent.hwnd(), 200, 80, false);
    auto section = MakeSection(client);
    EXPECT_TRUE(probe.LinesStarting("number ").empty());
    EXPECT_TRUE(probe.LinesStarting("data ").empty());
    EXPECT_EQ(25, Height(ChildRect(section->hwnd())));
    EXPECT_EQ(20, Height(ChildRect(section->titleButtonForTesting())));
    ClickTitle(*section);
    EXPECT_TRUE(section->IsExpanded());
}

TEST_F(SectionTest, UserToggleTellsGrandparentThenParent) {
    const UINT callback = ostrivan::InfoPanelCallbackMessage();
    ASSERT_GE(callback, 0xC000u);
    HWND client = MakeClient(parent.hwnd(), 200, 80, false);
    auto section = MakeSection(client);

    struct Step {
        bool expandedAfter;
        WPARAM toGrandparent;
    } steps[] = {{true, ostrivan::kSectionExpanded}, {false, ostrivan::kSectionCollapsed}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.expandedAfter ? "expand" : "collapse");
        Journal().clear();
        ClickTitle(*section);
        EXPECT_EQ(step.expandedAfter, section->IsExpanded());
        EXPECT_EQ(step.expandedAfter ? BST_CHECKED : BST_UNCHECKED,
                  ::SendMessageA(section->titleButtonForTesting(), BM_GETCHECK, 0, 0));
        EXPECT_EQ(step.expandedAfter ? 105 : 25, Height(ChildRect(section->hwnd())));
        // Sent callbacks arrive first (grandparent, then parent); the posted 1093 after.
        ASSERT_EQ(3u, Journal().size());
        const Received& first = Journal()[0];
        const Received& second = Journal()[1];
        const Received& third = Journal()[2];
        EXPECT_EQ(grandparent.hwnd(), first.window);
        EXPECT_EQ(callback, first.message);
        EXPECT_EQ(step.toGrandparent, first.wParam);
        EXPECT_EQ(static_cast<LPARAM>(kId), first.lParam);
        EXPECT_EQ(parent.hwnd(), second.window);
        EXPECT_EQ(callback, second.message);
        EXPECT_EQ(ostrivan::kSectionCollapsed, second.wParam);
        EXPECT_EQ(static_cast<LPARAM>(kId), second.lParam);
        EXPECT_EQ(parent.hwnd(), third.window);
        EXPECT_EQ(ostrivan::kMsgSectionChanged, third.message);
        EXPECT_EQ(kId, third.wParam);
        EXPECT_EQ(static_cast<LPARAM>(kId), third.lParam);
    }
}

TEST_F(SectionTest, AccordionSectionOpensOthersClosedAndIgnoresItsOwnTitleWhenOpen) {
    HWND client = MakeClient(parent.hwnd(), 200, 80, false);
    auto section = MakeSection(client, ostrivan::kSectionAccordion);
    ClickTitle(*section);
    EXPECT_TRUE(section->IsExpanded());
    auto collapseOthers = ReceivedBy(parent.hwnd(), ostrivan::kMsgCollapseOthers);
    ASSERT_EQ(1u, collapseOthers.size());
    EXPECT_EQ(kId, collapseOthers[0].wParam);
    EXPECT_EQ(0, collapseOthers[0].lParam);
    // 1193 is sent before the callbacks.
    EXPECT_EQ(ostrivan::kMsgCollapseOthers, Journal().at(0).message);
    EXPECT_EQ(1u, Callbacks(grandparent.hwnd()).size());

    Journal().clear();
    ClickTitle(*section);
    EXPECT_TRUE(section->IsExpanded());
    EXPECT_EQ(105, Height(ChildRect(section->hwnd())));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(section->titleButtonForTesting(), BM_GETCHECK, 0, 0));
    EXPECT_TRUE(Journal().empty());
}

TEST_F(SectionTest, ChangesByCodePostOnlyTheStateChange) {
    struct Case {
        bool expand;
        bool silent;
        LPARAM lParam;
    } cases[] = {{true, true, 0}, {false, true, 0}, {true, false, kId}, {false, false, kId}};
    HWND client = MakeClient(parent.hwnd(), 200, 80, false);
    auto section = MakeSection(client);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "expand " << c.expand << " silent " << c.silent);
        Journal().clear();
        section->SetExpanded(c.expand, c.silent);
        EXPECT_EQ(c.expand, section->IsExpanded());
        EXPECT_EQ(c.expand, ::IsWindowVisible(client) != FALSE);
        EXPECT_EQ(c.expand ? BST_CHECKED : BST_UNCHECKED, ::SendMessageA(section->titleButtonForTesting(), BM_GETCHECK, 0, 0));
        EXPECT_TRUE(Journal().empty()) << "1093 is posted, not sent";
        Pump();
        ASSERT_EQ(1u, Journal().size());
        EXPECT_EQ(parent.hwnd(), Journal()[0].window);
        EXPECT_EQ(ostrivan::kMsgSectionChanged, Journal()[0].message);
        EXPECT_EQ(kId, Journal()[0].wParam);
        EXPECT_EQ(c.lParam, Journal()[0].lParam);
        SIZE size{};
        ASSERT_TRUE(section->GetSectionSize(&size));
        EXPECT_EQ(202, size.cx);
        EXPECT_EQ(c.expand ? 105 : 25, size.cy);
    }
}

TEST_F(SectionTest, CreateRefusesMissingBundleOrClient) {
    HWND client = MakeClient(parent.hwnd(), 100, 50, true);
    HWND gone = MakeClient(parent.hwnd(), 100, 50, true);
    ::DestroyWindow(gone);
    struct Case {
        const char* name;
        const char* bundle;
        HWND client;
    } cases[] = {{"no bundle", nullptr, client}, {"empty bundle", "", client}, {"no client", kBundle, nullptr},
                 {"destroyed client", kBundle, gone}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InfoPanel section;
        EXPECT_FALSE(section.Create(0, kId, "Title", c.client, parent.hwnd(), c.bundle, kSkin, "Drop.png"));
        EXPECT_EQ(nullptr, section.hwnd());
        EXPECT_EQ(nullptr, ::GetDlgItem(parent.hwnd(), kId));
        EXPECT_EQ(parent.hwnd(), ::GetParent(client));
        SIZE size{};
        EXPECT_FALSE(section.GetSectionSize(&size));
        EXPECT_FALSE(section.IsExpanded());
        section.SetExpanded(true, false);  // nothing to do, nothing sent
    }
    Pump();
    EXPECT_TRUE(Journal().empty());
}

TEST_F(SectionTest, TitleFontIsBoldTwelvePixels) {
    auto section = MakeSection(MakeClient(parent.hwnd(), 100, 50, false));
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(section->titleButtonForTesting(), WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, font);
    LOGFONTA description{};
    ASSERT_NE(0, ::GetObjectA(font, sizeof(description), &description));
    EXPECT_EQ(-12, description.lfHeight);
    EXPECT_EQ(FW_BOLD, description.lfWeight);
    const bool japanese = PRIMARYLANGID(::GetUserDefaultLangID()) == LANG_JAPANESE;
    EXPECT_EQ(japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET, description.lfCharSet);
    // The font goes with the section window.
    section.reset();
    EXPECT_EQ(0, ::GetObjectA(font, sizeof(description), &description));
}

TEST_F(SectionTest, HandCursorOverTheTitleOnly) {
    HWND client = MakeClient(parent.hwnd(), 100, 50, true);
    auto section = MakeSection(client);
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(TRUE, ::SendMessageA(section->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(section->titleButtonForTesting()),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_HAND), ::GetCursor());
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    ::SendMessageA(section->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(client), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::LoadCursorA(nullptr, IDC_HAND), ::GetCursor());
}

TEST_F(SectionTest, ToolTipTextFollowsTheTitlesCheckMark) {
    ostrivan::ResourceLibrary resources;
    ASSERT_TRUE(resources.Load());
    const std::string collapsedTip = ostrivan::LoadResourceString(IDS_TIP_SECTION_COLLAPSED);
    const std::string expandedTip = ostrivan::LoadResourceString(IDS_TIP_SECTION_EXPANDED);
    ASSERT_FALSE(collapsedTip.empty());
    ASSERT_NE(collapsedTip, expandedTip);
    HWND client = MakeClient(parent.hwnd(), 100, 50, false);
    auto section = MakeSection(client);

    auto ask = [&](UINT_PTR from, UINT flags, std::string* text) {
        NMTTDISPINFOA request{};
        request.hdr.hwndFrom = nullptr;
        request.hdr.idFrom = from;
        request.hdr.code = TTN_NEEDTEXTA;
        request.uFlags = flags;
        LRESULT answered = ::SendMessageA(section->hwnd(), WM_NOTIFY, from, reinterpret_cast<LPARAM>(&request));
        *text = request.lpszText ? request.lpszText : "";
        return answered;
    };
    std::string text;
    const UINT_PTR byWindow = reinterpret_cast<UINT_PTR>(section->titleButtonForTesting());
    EXPECT_TRUE(ask(byWindow, TTF_IDISHWND, &text));
    EXPECT_EQ(collapsedTip, text);
    EXPECT_TRUE(ask(IDC_SECTION_TITLE, 0, &text));
    EXPECT_EQ(collapsedTip, text);
    section->SetExpanded(true, true);
    EXPECT_TRUE(ask(byWindow, TTF_IDISHWND, &text));
    EXPECT_EQ(expandedTip, text);
    // Other controls get no text.
    EXPECT_FALSE(ask(reinterpret_cast<UINT_PTR>(client), TTF_IDISHWND, &text));
    EXPECT_EQ("", text);
}

}  // namespace
