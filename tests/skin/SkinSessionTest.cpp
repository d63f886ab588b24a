// What the module hands the skinning library: operation codes, argument
// order and the records byte for byte, seen by a recording library.
#include "skin/SkinDescriptor.h"
#include "skin/SkinMessages.h"
#include "skin/SkinPaths.h"
#include "skin/SkinSession.h"
#include "support/SkinRecorder.h"
#include "support/TestBedFixture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using namespace ostrivan;

namespace {

using testsupport::SkinRecorder;

std::string Folder(const char* name) { return testsupport::ProgramFolder() + name; }

constexpr uintptr_t kContext = 0x1234;
constexpr int kUnskinResult = 5;  // told apart from every other answer

class SkinSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Held loaded between sessions so its log and answers persist.
        ASSERT_TRUE(recorder_.Loaded());
        Reset(kContext, 1);
        window_ = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { ::DestroyWindow(window_); }
    // The next context handed out (0: refused) and the answer to SkinWindow.
    void Reset(uintptr_t context, int skinResult) {
        recorder_.Reset();
        recorder_.SetNextContext(context);
        recorder_.SetSkinResult(skinResult);
        recorder_.SetUnskinResult(kUnskinResult);
    }
    SkinRecorder recorder_{SkinRecorder::Folder()};
    HWND window_ = nullptr;
};

TEST_F(SkinSessionTest, DescriptorWithControlsReachesTheLibraryByteForByte) {
    const SkinControlSkin minimize{sizeof(SkinControlSkin), kSkinControlImageButton, "Minimize.png"};
    const SkinControlSkin close{sizeof(SkinControlSkin), kSkinControlImageButton, "Close.png"};
    const SkinControlEntry controls[] = {{sizeof(SkinControlEntry), 1057, &minimize},
                                         {sizeof(SkinControlEntry), 1058, &close}};
    SkinDescriptor descriptor;
    descriptor.bundlePath = "C:\\skin\\Ostrivan.bff";
    descriptor.imageName = "BG.png";
    descriptor.controlCount = 2;
    descriptor.controls = controls;
    {
        SkinSession session;
        std::string folder = Folder("skinrecorder\\");  // a trailing backslash is dropped
        EXPECT_EQ(1, session.Open(window_, descriptor, folder.c_str()));
        EXPECT_TRUE(session.IsOpen());
        EXPECT_EQ(testsupport::WithRecordSizes(
                      "op=1 ctx=0 arg=0 win=0 | create\n"
                      "op=3 ctx=0x1234 arg=0 win=W | skin size=40 kind=8 image=BG.png bundle=C:\\skin\\Ostrivan.bff "
                      "reserved=0,0,0,0 controls=2 [12:1057:28:2:Minimize.png] [12:1058:28:2:Close.png]\n"),
                  recorder_.Log());
        Reset(kContext, 1);
        EXPECT_EQ(kUnskinResult, session.Close());
        EXPECT_EQ("op=4 ctx=0x1234 arg=0 win=0 | unskin\nop=2 ctx=0x1234 arg=0 win=0 | destroy\n", recorder_.Log());
        EXPECT_EQ(0, session.Close()) << "a second close calls nothing";
    }
    EXPECT_EQ("op=4 ctx=0x1234 arg=0 win=0 | unskin\nop=2 ctx=0x1234 arg=0 win=0 | destroy\n", recorder_.Log());
}

TEST_F(SkinSessionTest, DescriptorWithIdsIsFiftyTwoBytesAroundAPlainDescriptor) {
    const uint32_t ids[] = {1062};
    SkinDescriptorWithIds extended;
    extended.descriptor.bundlePath = "B.bff";
    extended.descriptor.imageName = "InfoPanelWnd.png";
    extended.idCount = 1;
    extended.ids = ids;
    SkinSession session;
    EXPECT_EQ(1, session.Open(window_, extended, Folder("skinrecorder").c_str()));
    EXPECT_NE(std::string::npos,
              recorder_.Log().find(testsupport::WithRecordSizes(
                  "op=3 ctx=0x1234 arg=0 win=W | skin outer=52 size=40 kind=8 "
                  "image=InfoPanelWnd.png bundle=B.bff reserved=0,0,0,0 controls=0 ids=1 1062\n")))
        << recorder_.Log();
}

TEST_F(SkinSessionTest, WrappersPassTheirBlocksInOrder) {
    SkinSession session;
    SkinDescriptor descriptor;
    descriptor.windowKind = kSkinWindowKindPlain;
    ASSERT_EQ(1, session.Open(window_, descriptor, Folder("skinrecorder").c_str()));
    Reset(kContext, 1);
    recorder_.SetNumber("InfoPanelData_X", "TopBorderMargin", 1024);
    recorder_.SetData("InfoPanelWndData_Y", "DropDownBMP", "recorded-data");
    EXPECT_EQ(1024, session.ReadSkinNumber("InfoPanelData_X", "TopBorderMargin", 24));
    EXPECT_EQ(7, session.ReadSkinNumber("InfoPanelData_X", "Missing", 7)) << "the default when the bundle has none";
    char buffer[6];
    EXPECT_EQ(6, session.ReadSkinData("InfoPanelWndData_Y", "DropDownBMP", buffer, sizeof(buffer)));
    EXPECT_EQ(std::string("record"), std::string(buffer, sizeof(buffer))) << "no more than the capacity";
    // A region is passed as it is; the library reads a fixed number of bytes.
    char region[100] = "RoundRect 6 6";
    EXPECT_EQ(1, session.ApplySkinRegion(1, region));
    EXPECT_EQ("op=9 ctx=0x1234 arg=0 win=0 | number InfoPanelData_X TopBorderMargin 24\n"
              "op=9 ctx=0x1234 arg=0 win=0 | number InfoPanelData_X Missing 7\n"
              "op=11 ctx=0x1234 arg=0 win=0 | data InfoPanelWndData_Y DropDownBMP 6\n"
              "op=12 ctx=0x1234 arg=1 win=0 | region 1 RoundRect 6 6\n",
              recorder_.Log());
}

TEST_F(SkinSessionTest, RefusedContextOrWindowGivesZeroAndCloseCallsOnlyWhatExists) {
    struct Case {
        LRESULT contextResult, skinResult;
        const char* openLog;
        const char* closeLog;
    };
    const Case cases[] = {
        {0, 1, "op=1 ctx=0 arg=0 win=0 | create\n", ""},
        {kContext, 0,
         "op=1 ctx=0 arg=0 win=0 | create\nop=3 ctx=0x1234 arg=0 win=W | skin size=40 kind=8 image=(null) "
         "bundle=(null) reserved=0,0,0,0 controls=0\n",
         "op=4 ctx=0x1234 arg=0 win=0 | unskin\nop=2 ctx=0x1234 arg=0 win=0 | destroy\n"},
    };
    for (const Case& c : cases) {
        Reset(c.contextResult, static_cast<int>(c.skinResult));
        SkinSession session;
        EXPECT_EQ(0, session.Open(window_, SkinDescriptor{}, Folder("skinrecorder").c_str()));
        EXPECT_EQ(testsupport::WithRecordSizes(c.openLog), recorder_.Log());
        Reset(c.contextResult, static_cast<int>(c.skinResult));
        if (!c.contextResult) {
            EXPECT_EQ(0, session.ReadSkinNumber("S", "K", 7)) << "no context: no call";
        }
        session.Close();
        EXPECT_EQ(c.closeLog, recorder_.Log());
    }
}

TEST(SkinSession, MissingLibraryOrMissingEntryGivesZero) {
    SkinSession session;
    SkinDescriptor descriptor;
    HWND window = nullptr;
    // No library in that folder and none by plain name beside this program.
    ASSERT_EQ(nullptr, ::GetModuleHandleA("HookWnd.DLL"));
    EXPECT_EQ(0, session.Open(window, descriptor, Folder("no such folder").c_str()));
    EXPECT_EQ(0, session.Open(window, descriptor, nullptr));
    EXPECT_FALSE(session.IsOpen());
    EXPECT_EQ(0, session.Open(window, descriptor, Folder("skinnoentry").c_str()));
    EXPECT_NE(nullptr, ::GetModuleHandleA("HookWnd.DLL"));
    EXPECT_EQ(0, session.ReadSkinData("S", "K", nullptr, 0));
    EXPECT_EQ(0, session.Close());
    EXPECT_EQ(nullptr, ::GetModuleHandleA("HookWnd.DLL")) << "freed by Close";
    // A folder too long for the file name is not cut short into another path.
    std::string longFolder(300, 'x');
    EXPECT_EQ(0, session.Open(window, descriptor, longFolder.c_str()));
}

TEST(SkinMessages, AreTheRegisteredMessagesOfTheirNames) {
    EXPECT_EQ(::RegisterWindowMessageA("WM_HKWND_FUNC"), SkinMessages().windowFunction);
    EXPECT_EQ(::RegisterWindowMessageA("WM_HKBUTTON_FUNCTION"), SkinMessages().buttonFunction);
    EXPECT_EQ(::RegisterWindowMessageA("WM_HKSTATIC_FUNCTION"), SkinMessages().staticFunction);
    EXPECT_EQ(::RegisterWindowMessageA("WM_HKSLIDER_FUNCTION"), SkinMessages().sliderFunction);
    EXPECT_GE(SkinMessages().buttonFunction, 0xC000u);
}

// x86: the bundle in the 32-bit system folder, the library under TWAIN_32;
// x64: the bundle in the system folder, the library under TWAIN_64.
TEST(SkinPaths, BundleInTheModulesSystemFolderAndLibraryUnderTheWindowsFolder) {
    char bundle[MAX_PATH];
    ASSERT_TRUE(BuildSkinBundlePath(bundle));
    char system[MAX_PATH] = {};
#if defined(_WIN64)
    ::GetSystemDirectoryA(system, MAX_PATH);
    const char* twain = "TWAIN_64";
#else
    ::GetSystemWow64DirectoryA(system, MAX_PATH);
    const char* twain = "TWAIN_32";
#endif
    EXPECT_EQ(std::string(system) + "\\Ostrivan.bff", bundle);
    char folder[MAX_PATH];
    ASSERT_TRUE(BuildSkinLibraryFolder(folder));
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(windows) + "\\" + twain + "\\Kestrane\\XC0730", folder);
}

}  // namespace
