// The skinning library stand-in with its bundle: windows are skinned from
// the bundle's colours, and the info panel's data keys are answered.
#include "skin/SkinDescriptor.h"
#include "skin/SkinMessages.h"
#include "skin/SkinSession.h"
#include "support/TestBedFixture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using namespace ostrivan;

namespace {

class SkinStandIn : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = testsupport::ProgramFolder() + "hookwnd";
        bundle_ = folder_ + "\\Ostrivan.bff";
        // A window of the dialog class, which paints nothing of its own.
        window_ = ::CreateWindowExA(0, "#32770", "", WS_POPUP | WS_VISIBLE, 0, 0, 120, 80, nullptr, nullptr, nullptr,
                                    nullptr);
        button_ = ::CreateWindowExA(0, "BUTTON", "Camera", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 40, 100, 24,
                                    window_, reinterpret_cast<HMENU>(1059), nullptr, nullptr);
        ASSERT_NE(nullptr, button_);
    }
    void TearDown() override { ::DestroyWindow(window_); }

    COLORREF PixelOf(HWND window, int x, int y) {
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = ::GetDC(window);
        COLORREF colour = ::GetPixel(dc, x, y);
        ::ReleaseDC(window, dc);
        return colour;
    }

    std::string folder_, bundle_;
    HWND window_ = nullptr, button_ = nullptr;
};

TEST_F(SkinStandIn, PaintsTheWindowAndItsImageButtonFromTheBundle) {
    SkinControlSkin special{sizeof(SkinControlSkin), kSkinControlImageButton, "Button_Special.png"};
    SkinControlEntry entry{sizeof(SkinControlEntry), 1059, &special};
    SkinDescriptor descriptor;
    descriptor.bundlePath = bundle_.c_str();
    descriptor.imageName = "BG.png";
    descriptor.controlCount = 1;
    descriptor.controls = &entry;
    SkinSession session;
    ASSERT_EQ(1, session.Open(window_, descriptor, folder_.c_str()));
    EXPECT_EQ(RGB(38, 70, 125), PixelOf(window_, 60, 10)) << "title band";
    EXPECT_EQ(RGB(245, 246, 248), PixelOf(window_, 60, 35)) << "body";
    EXPECT_EQ(RGB(120, 134, 158), PixelOf(button_, 0, 12)) << "button frame";
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(button_, 3, 3)) << "button face";
    ::SendMessageA(button_, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(RGB(214, 225, 242), PixelOf(button_, 3, 3)) << "pressed face";
    ::SendMessageA(button_, BM_SETSTATE, FALSE, 0);

    EXPECT_EQ(1, SetButtonImage(button_, "Close.png"));
    EXPECT_EQ(RGB(38, 70, 125), PixelOf(button_, 3, 3)) << "another image";
    EXPECT_EQ(0, ::SendMessageA(button_, SkinMessages().buttonFunction, 5, reinterpret_cast<LPARAM>("Close.png")));

    EXPECT_EQ(1, session.Close());
    EXPECT_NE(RGB(38, 70, 125), PixelOf(window_, 60, 10)) << "unskinned again";
}

TEST_F(SkinStandIn, AnswersTheInfoPanelsDataKeys) {
    SkinDescriptor descriptor;
    descriptor.bundlePath = bundle_.c_str();
    descriptor.imageName = "InfoPanelWnd.PNG";
    SkinSession session;
    ASSERT_EQ(1, session.Open(window_, descriptor, folder_.c_str()));
    char name[120] = {};
    EXPECT_EQ(13, session.ReadSkinData("InfoPanelWndData_InfoPanelWnd.PNG", "InfoPanelBkgBMP", name, sizeof(name)));
    EXPECT_STREQ("InfoPanel.png", name);
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(3, session.ReadSkinData("InfoPanelWndData_InfoPanelWnd.PNG", "DropDownBMP", small, sizeof(small)));
    EXPECT_STREQ("Dro", small);
    const std::string section = std::string("InfoPanelData_") + name;
    EXPECT_EQ(24, session.ReadSkinNumber(section.c_str(), "TopBorderMargin", 99));
    EXPECT_EQ(1, session.ReadSkinNumber(section.c_str(), "LeftBorderMargin", 99));
    EXPECT_EQ(99, session.ReadSkinNumber(section.c_str(), "NoSuchKey", 99));
    char region[200] = {};
    ASSERT_GT(session.ReadSkinData(section.c_str(), "RegionData", region, 100), 0);
    EXPECT_EQ(1, session.ApplySkinRegion(1, region));
    RECT box{};
    EXPECT_NE(ERROR, ::GetWindowRgnBox(window_, &box));
    EXPECT_EQ(0, session.ApplySkinRegion(1, "nonsense"));
    char none[8] = {'x'};
    EXPECT_EQ(0, session.ReadSkinData(section.c_str(), "NoSuchKey", none, sizeof(none)));
    EXPECT_STREQ("", none);
}

TEST_F(SkinStandIn, RefusesAWindowWithoutABundleOrAWindow) {
    SkinDescriptor descriptor;
    std::string missing = folder_ + "\\Missing.bff";
    descriptor.bundlePath = missing.c_str();
    SkinSession session;
    EXPECT_EQ(0, session.Open(window_, descriptor, folder_.c_str()));
    descriptor.bundlePath = bundle_.c_str();
    EXPECT_EQ(0, session.Open(nullptr, descriptor, folder_.c_str()));
    uint32_t wrongSize[10] = {39};
    EXPECT_EQ(0, session.Open(window_, *reinterpret_cast<const SkinDescriptor*>(wrongSize), folder_.c_str()));
    EXPECT_EQ(1, session.Open(window_, descriptor, folder_.c_str()));
}

TEST_F(SkinStandIn, WindowDestroyedBeforeCloseIsForgotten) {
    SkinDescriptor descriptor;
    descriptor.bundlePath = bundle_.c_str();
    descriptor.imageName = "BG3.png";
    SkinSession session;
    ASSERT_EQ(1, session.Open(window_, descriptor, folder_.c_str()));
    ::DestroyWindow(window_);
    window_ = nullptr;
    EXPECT_EQ(1, session.Close());
}

// A bundle of the test's own, written anew between reads.
class WrittenBundle {
public:
    WrittenBundle() {
        char folder[MAX_PATH] = {};
        ::GetTempPathA(sizeof(folder), folder);
        path_ = std::string(folder) + "SkinStandInTest.bff";
    }
    ~WrittenBundle() { ::DeleteFileA(path_.c_str()); }
    void Write(const std::string& text) {
        HANDLE file = ::CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

TEST_F(SkinStandIn, ReadsWhatTheBundleHoldsWhenAsked) {
    WrittenBundle bundle;
    bundle.Write("[Data]\nMargin=5\nQuoted=\"a b\"\n  Spaced  =  7  \n");
    SkinDescriptor descriptor;
    descriptor.bundlePath = bundle.path().c_str();
    descriptor.imageName = "BG.png";
    SkinSession session;
    ASSERT_EQ(1, session.Open(window_, descriptor, folder_.c_str()));
    EXPECT_EQ(5, session.ReadSkinNumber("Data", "Margin", 99));
    EXPECT_EQ(5, session.ReadSkinNumber(" data ", "MARGIN", 99)) << "names as the profile functions take them";
    EXPECT_EQ(7, session.ReadSkinNumber("Data", "Spaced", 99));
    char text[16] = {};
    EXPECT_EQ(3, session.ReadSkinData("Data", "Quoted", text, sizeof(text)));
    EXPECT_STREQ("a b", text);

    // A changed file is read again.
    bundle.Write("[Data]\nMargin=12\nOther=1\n");
    EXPECT_EQ(12, session.ReadSkinNumber("Data", "Margin", 99));
    EXPECT_EQ(99, session.ReadSkinNumber("Data", "Spaced", 99));
    // Gone: no value, and no window is skinned.
    ASSERT_TRUE(::DeleteFileA(bundle.path().c_str()));
    EXPECT_EQ(99, session.ReadSkinNumber("Data", "Margin", 99));
    EXPECT_EQ(0, session.Open(window_, descriptor, folder_.c_str()));
}

}  // namespace
