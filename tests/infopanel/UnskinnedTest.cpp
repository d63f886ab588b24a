// The info panel without any skinning library: this program's folder holds
// none, so the window and its sections work unskinned.
#include "InfoPanelTestSupport.h"

#include "ResourceIds.h"
#include "infopanel/InfoPanelWnd.h"
#include "settings/WindowPositionStore.h"

using namespace infopaneltest;

namespace {

TEST(UnskinnedPanel, WorksWithoutTheSkinningLibrary) {
    ASSERT_EQ(nullptr, ::LoadLibraryA("HookWnd.DLL")) << "this test needs a folder without a skinning library";
    ClearPanelStates();
    Journal().clear();
    RestoreTimerWatch restores;
    RecorderWindow console{nullptr, RECT{40, 40, 400, 600}, true};
    ostrivan::WindowPositionStore store;
    {
        ostrivan::InfoPanelWnd panel;
        ASSERT_TRUE(panel.Create(console.hwnd(), RECT{1, 30, 261, 330}, 201, 0, WS_VISIBLE,
                                 "C:\\windows\\syswow64\\Ostrivan.bff", "InfoPanelWnd.PNG"));
        panel.SetStatePersistence(&store, true, 0);
        EXPECT_STREQ("", panel.sectionSkinNameForTesting());
        HWND client = MakeClient(console.hwnd(), 200, 90, false);
        ASSERT_TRUE(panel.AddSection(client, 0, 1, "View", -1));
        ostrivan::InfoPanel* section = panel.GetSectionForTesting(0);
        ASSERT_NE(nullptr, section);
        RECT title = ChildRect(section->titleButtonForTesting());
        EXPECT_EQ(25, Height(ChildRect(section->hwnd())));
        EXPECT_EQ(6, title.left);
        EXPECT_EQ(20, Height(title));
        EXPECT_EQ(Width(ChildRect(section->hwnd())) - 12, Width(title));

        // The first show opens the section and fits the console once.
        ASSERT_TRUE(restores.PumpUntilTaken(panel.hwnd(), 1)) << "the first restore never ran";
        EXPECT_TRUE(panel.IsSectionExpanded(0, true));
        EXPECT_EQ(1u, ReceivedBy(console.hwnd(), ostrivan::kMsgFitToPanel).size());
        EXPECT_EQ(24 + 90 + 1, panel.GetContentHeight());
        // The user can close and open it by its title.
        ::SendMessageA(section->titleButtonForTesting(), BM_CLICK, 0, 0);
        Pump();
        EXPECT_FALSE(panel.IsSectionExpanded(0, true));
        DWORD state = 9;
        EXPECT_TRUE(ReadPanelState(0, &state));
        EXPECT_EQ(0u, state);
    }
    ClearPanelStates();
}

}  // namespace
