// The tab strip: its opening state, the messages its tabs send to the
// parent, its skin, and Enter and Escape.
#include "TabStripTestIds.h"

#include "ResourceIds.h"
#include "dialogs/TabStripDialog.h"
#include "framework/MessageLoop.h"
#include "skin/ResourceLibrary.h"
#include "skin/SkinMessages.h"
#include "skin/SkinPaths.h"
#include "support/RunningConsole.h"
#include "support/SkinRecorder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

using ostrivan::TabStripDialog;

// A parent that records private messages and commands and never ends by them.
class ParentDialog : public ostrivan::Dialog {
public:
    ParentDialog() : Dialog(IDD_TEST_PARENT) {}
    std::vector<UINT> messages;
    std::vector<int> commands;  // clicks and their keyboard equivalents

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_COMMAND: return OnCommand(wParam);
        case ostrivan::kMsgShowInfoPanel:
        case ostrivan::kMsgHideInfoPanel: return OnPanelRequest(message, wParam, lParam);
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT OnCommand(WPARAM wParam) {
        if (HIWORD(wParam) == BN_CLICKED) commands.push_back(LOWORD(wParam));
        return 0;
    }
    LRESULT OnPanelRequest(UINT message, WPARAM wParam, LPARAM lParam) {
        EXPECT_EQ(0u, wParam);
        EXPECT_EQ(0, lParam);
        messages.push_back(message);
        return 0;
    }
};

// What the thread's windows were sent while a tab strip opened.
std::vector<CWPSTRUCT>& SentLog() {
    static std::vector<CWPSTRUCT> log;
    return log;
}
std::string g_imageSent;
LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == ostrivan::SkinMessages().buttonFunction) {
            SentLog().push_back(*sent);
            g_imageSent = sent->lParam ? reinterpret_cast<const char*>(sent->lParam) : "";
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The windows look for the skinning library first in its folder under the
// Windows folder, where the prefix holds the stand-in. For this program the
// stand-in is set aside, so the recording library beside it is the one
// loaded; a run that ends early leaves it aside until the prefix is
// prepared again.
class StandInSetAside : public ::testing::Environment {
public:
    void SetUp() override {
        char folder[MAX_PATH] = {};
        ASSERT_TRUE(ostrivan::BuildSkinLibraryFolder(folder));
        path_ = std::string(folder) + "\\HookWnd.DLL";
        if (::GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ASSERT_TRUE(::MoveFileExA(path_.c_str(), (path_ + ".aside").c_str(), MOVEFILE_REPLACE_EXISTING));
        }
    }
    void TearDown() override {
        if (::GetFileAttributesA((path_ + ".aside").c_str()) != INVALID_FILE_ATTRIBUTES) {
            ::MoveFileExA((path_ + ".aside").c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
    }

private:
    std::string path_;
};
const ::testing::Environment* const g_standInSetAside = ::testing::AddGlobalTestEnvironment(new StandInSetAside);

class TabStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(recorder.Loaded());  // the recording library beside this program
        recorder.Reset();
        ASSERT_TRUE(resources.Load());
        // The parent's template is this program's; the tab strip's the library's.
        HMODULE library = ostrivan::ResourceSource();
        ostrivan::SetResourceSource(::GetModuleHandleA(nullptr));
        ASSERT_TRUE(parent.Create(nullptr));
        ostrivan::SetResourceSource(library);
        ::ShowWindow(parent.hwnd(), SW_SHOW);
        SentLog().clear();
        HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordSent, nullptr, ::GetCurrentThreadId());
        ASSERT_TRUE(tab.Create(parent.hwnd()));
        ::UnhookWindowsHookEx(hook);
        ::ShowWindow(tab.hwnd(), SW_SHOW);
        ostrivan::MessageLoop::PumpPending();
    }
    void TearDown() override {
        tab.DestroyWindow();
        parent.DestroyWindow();
    }

    HWND Item(int id) { return ::GetDlgItem(tab.hwnd(), id); }
    LRESULT ViewTabCheck() { return ::SendMessageA(Item(IDC_TAB_VIEW), BM_GETCHECK, 0, 0); }

    testsupport::SkinRecorder recorder;
    ostrivan::ResourceLibrary resources;
    ParentDialog parent;
    TabStripDialog tab;
};

TEST_F(TabStripTest, OpensAsAChildWithTheTabPressedAndTheSecondTabHidden) {
    EXPECT_EQ(parent.hwnd(), ::GetParent(tab.hwnd()));
    EXPECT_NE(0, ::GetWindowLongA(tab.hwnd(), GWL_STYLE) & WS_CHILD);
    ASSERT_NE(nullptr, Item(IDC_TAB_VIEW));
    ASSERT_NE(nullptr, Item(IDC_TAB_HIDE));
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_TAB_VIEW)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_TAB_HIDE)));
    EXPECT_EQ(BST_CHECKED, ViewTabCheck());
    EXPECT_TRUE(parent.messages.empty());
    // The tab's image is changed through the skinning library's button message.
    ASSERT_EQ(1u, SentLog().size());
    EXPECT_EQ(Item(IDC_TAB_VIEW), SentLog()[0].hwnd);
    EXPECT_EQ(static_cast<WPARAM>(ostrivan::kSetButtonImage), SentLog()[0].wParam);
    EXPECT_EQ("ZestView.png", g_imageSent);
}

TEST_F(TabStripTest, SkinsWithTheBundleBackgroundAndTabImages) {
    std::vector<std::string> skins = recorder.LinesStarting("skin ");
    const char* bundle = testsupport::kModuleSystemFolder;
    ASSERT_EQ(1u, skins.size());
    EXPECT_EQ(testsupport::WithRecordSizes("skin size=40 kind=8 image=BG3.png bundle=" + std::string(bundle) +
                                           "\\Ostrivan.bff reserved=0,0,0,0 controls=2 [12:1141:28:2:TabsButton.png] "
                                           "[12:1142:28:2:TabsButton.png]"),
              skins[0]);
    EXPECT_TRUE(tab.isSkinnedForTesting());
    // The session ends with the window.
    tab.DestroyWindow();
    std::vector<std::string> lines = recorder.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("destroy", lines.back());
}

TEST_F(TabStripTest, TabsAskTheParentToShowOrHideThePanel) {
    struct Step {
        const char* name;
        int tab;
        UINT message;
        LRESULT checkAfter;
    } steps[] = {
        {"view tab", IDC_TAB_VIEW, ostrivan::kMsgShowInfoPanel, BST_CHECKED},
        {"view tab again", IDC_TAB_VIEW, ostrivan::kMsgShowInfoPanel, BST_CHECKED},
        {"hide tab", IDC_TAB_HIDE, ostrivan::kMsgHideInfoPanel, BST_UNCHECKED},
        {"view tab after hiding", IDC_TAB_VIEW, ostrivan::kMsgShowInfoPanel, BST_CHECKED},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        parent.messages.clear();
        HWND button = Item(step.tab);
        if (step.tab == IDC_TAB_VIEW) {
            ::SendMessageA(button, BM_CLICK, 0, 0);  // a real click, which also flips the check box
        } else {
            // The hidden tab cannot be clicked; this is what its click sends.
            ::SendMessageA(tab.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_TAB_HIDE, BN_CLICKED),
                           reinterpret_cast<LPARAM>(button));
        }
        ostrivan::MessageLoop::PumpPending();
        EXPECT_EQ(std::vector<UINT>{step.message}, parent.messages);
        EXPECT_EQ(step.checkAfter, ViewTabCheck());
        EXPECT_TRUE(::IsWindow(tab.hwnd()));
    }
}

TEST_F(TabStripTest, EnterAndEscapeNeitherCloseItNorReachTheParent) {
    ::SetFocus(Item(IDC_TAB_VIEW));
    for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
        SCOPED_TRACE(key);
        for (HWND target : {Item(IDC_TAB_VIEW), tab.hwnd()}) {
            ::PostMessageA(target, WM_KEYDOWN, key, 0);
            ostrivan::MessageLoop::PumpPending();
        }
    }
    EXPECT_TRUE(::IsWindow(tab.hwnd()));
    EXPECT_TRUE(parent.commands.empty());
    EXPECT_TRUE(parent.messages.empty());
    EXPECT_EQ(BST_CHECKED, ViewTabCheck());

    // The same key outside the tab strip does reach the parent's default button.
    ::SetFocus(::GetDlgItem(parent.hwnd(), IDC_TEST_EDIT));
    ::PostMessageA(::GetDlgItem(parent.hwnd(), IDC_TEST_EDIT), WM_KEYDOWN, VK_RETURN, 0);
    ostrivan::MessageLoop::PumpPending();
    EXPECT_EQ(std::vector<int>{IDOK}, parent.commands);
}

TEST(ConsoleSkin, DescribesTheBackgroundAndTheFourTitleBarImagesInOrder) {
    testsupport::SkinRecorder recorder;  // the recording library beside this program
    ASSERT_TRUE(recorder.Loaded());
    recorder.Reset();
    {
        testsupport::RunningConsole console;
        console.Sync();
    }
    std::vector<std::string> consoleSkins;
    for (const auto& l : recorder.LinesStarting("skin ")) {
        if (l.find("image=BG.png ") != std::string::npos) consoleSkins.push_back(l);
    }
    const char* bundle = testsupport::kModuleSystemFolder;
    ASSERT_EQ(1u, consoleSkins.size());
    EXPECT_EQ(testsupport::WithRecordSizes(
                  "skin size=40 kind=8 image=BG.png bundle=" + std::string(bundle) +
                  "\\Ostrivan.bff reserved=0,0,0,0 controls=4 [12:1057:28:2:Minimize.png] [12:1058:28:2:Close.png] "
                  "[12:1059:28:2:Button_Special.png] [12:1107:28:2:Setting.png]"),
              consoleSkins[0]);
}

TEST(ViewPanelSkin, IsTheDescriptorWithItsOneSkinnedIdAroundThePanelBackground) {
    testsupport::SkinRecorder recorder;
    ASSERT_TRUE(recorder.Loaded());
    recorder.Reset();
    {
        testsupport::RunningConsole console;
        console.Sync();
    }
    std::vector<std::string> extended = recorder.LinesStarting(testsupport::WithRecordSizes("skin outer=52 "));
    const char* bundle = testsupport::kModuleSystemFolder;
    ASSERT_EQ(1u, extended.size()) << "the view panel is the one window with the 52-byte descriptor";
    EXPECT_EQ(testsupport::WithRecordSizes("skin outer=52 size=40 kind=8 image=InfoPanelWnd.png bundle=" +
                                           std::string(bundle) + "\\Ostrivan.bff reserved=0,0,0,0 controls=0 ids=1 1062"),
              extended[0]);
}

}  // namespace
