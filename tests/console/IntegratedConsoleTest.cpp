// The integrated console inside a host application: the test bed's host
// program loads the installed module in a process of its own, and this test
// drives it as a user and as the host's own code would (window messages to
// its controls, commands to the host's window), against a virtual camera
// that another program changes.
#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/Press.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "driving/WindowText.h"
#include "host/HostCommands.h"
#include "skin/SkinPaths.h"
#include "support/NamedObjectProbe.h"
#include "support/TestBedFixture.h"
#include "support/VirtualCameraFixture.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace driving;
using namespace testsupport;

namespace {

constexpr const char* kCameraName = "XC0730 Web Camera";
constexpr uint32_t kStatusBadArgument = 0x6403;
constexpr uint32_t kStatusAlreadyOpen = 0x6405;

// Top-level dialogs (and message boxes) of a process.
std::vector<HWND> DialogsOf(DWORD processId) { return AnyWindow().OfProcess(processId).OfClass("#32770").FindAll(); }

RECT ClientRectIn(HWND parent, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class IntegratedConsole : public VirtualCameraBed {
protected:
    void SetUp() override {
        VirtualCameraBed::SetUp();
        // A crash ends the host at once, with its fault as exit code.
        ::SetEnvironmentVariableA("WINEDLLOVERRIDES", "winedbg.exe=d");
        PlugCamera(1, kCameraName, testbed::CameraPreset::Real);
    }
    void TearDown() override {
        if (host_) {
            EXPECT_EQ(0, CloseHost());
        }
        for (const auto& hidden : hidden_) ::MoveFileExA((hidden + ".hidden").c_str(), hidden.c_str(), MOVEFILE_REPLACE_EXISTING);
        ::SetEnvironmentVariableA("WINEDLLOVERRIDES", nullptr);
        VirtualCameraBed::TearDown();
    }

    // Starts the host and waits for its window (and, unless told, its consoles).
    void StartHost(const std::string& arguments, bool waitForConsoles = true) {
        host_ = StartProgram("\"" + ProgramFolder() + "consolehost.exe\" " + arguments);
        ASSERT_NE(nullptr, host_);
        hostProcessId_ = ::GetProcessId(host_);
        ASSERT_TRUE(WaitUntil([&] { return (hostWindow_ = HostWindow()) != nullptr || Ended(); }, kHangLimitMs));
        ASSERT_FALSE(Ended()) << "the host ended at once";
        if (waitForConsoles) {
            ASSERT_TRUE(WaitUntil([&] { return Console(0) != nullptr; }, kHangLimitMs));
        }
    }
    HWND HostWindow() {
        return AnyWindow().OfProcess(hostProcessId_).OfClass(testbed::kConsoleHostClass).EvenHidden().Find();
    }
    bool Ended() { return host_ && ::WaitForSingleObject(host_, 0) == WAIT_OBJECT_0; }
    // The host's command, answered on its thread.
    LRESULT Host(UINT message, WPARAM number = 0) {
        DWORD_PTR result = static_cast<DWORD_PTR>(-2);
        ::SendMessageTimeoutA(hostWindow_, message, number, 0, SMTO_NORMAL, kHangLimitMs, &result);
        return static_cast<LRESULT>(result);
    }
    HWND Console(int number) { return reinterpret_cast<HWND>(Host(testbed::kHostConsoleWindow, number)); }
    // Closes the host's window and gives its exit code.
    int CloseHost() {
        ::PostMessageA(hostWindow_, WM_CLOSE, 0, 0);
        DWORD code = static_cast<DWORD>(-1);
        if (::WaitForSingleObject(host_, kHangLimitMs) == WAIT_OBJECT_0) {
            ::GetExitCodeProcess(host_, &code);
        } else {
            ::TerminateProcess(host_, 99);
            ::WaitForSingleObject(host_, kHangLimitMs);
        }
        ::CloseHandle(host_);
        host_ = nullptr;
        return static_cast<int>(code);
    }
    // Lets the host's thread handle everything sent and posted before.
    void SyncHost() { Host(WM_NULL); }
    void ResizeHostClient(int width, int height) {
        RECT frame{0, 0, width, height};
        ::AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
        ::SetWindowPos(hostWindow_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SyncHost();
    }
    HWND Panel(HWND console) { return ::GetDlgItem(console, IDC_INFO_PANEL); }
    // The view panel: the info panel's child that holds the sliders.
    HWND ViewPanel(HWND console) {
        HWND slider = AnyWindow().Within(Panel(console)).WithId(IDC_BRIGHTNESS_SLIDER).EvenHidden().Find();
        return slider ? ::GetParent(slider) : nullptr;
    }
    HWND PanelControl(HWND console, int id) { return ::GetDlgItem(ViewPanel(console), id); }
    static int Position(HWND slider) { return static_cast<int>(::SendMessageA(slider, TBM_GETPOS, 0, 0)); }
    // The one dialog of the host besides its consoles: the advanced dialog or a message box.
    HWND NestedDialog() {
        auto dialogs = DialogsOf(hostProcessId_);
        for (HWND dialog : dialogs) {
            if (dialog != Console(0) && dialog != Console(1)) return dialog;
        }
        return nullptr;
    }
    HWND OpenAdvanced(HWND console) {
        HWND advanced = PanelControl(console, IDC_ADVANCED);
        EXPECT_NE(nullptr, advanced);
        // Posted: the click starts a modal run on the host's thread.
        Press(advanced);
        HWND dialog = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (dialog = NestedDialog()) != nullptr; }, kHangLimitMs));
        return dialog;
    }
    // The skinning library installed where the console looks for it, moved
    // aside until the test ends.
    void HideSkinLibrary() {
        char windows[MAX_PATH] = {};
        ::GetWindowsDirectoryA(windows, MAX_PATH);
        HideInstalled(std::string(windows) + "\\" + ostrivan::kSkinLibrarySubfolder + "\\HookWnd.DLL");
    }
    void HideInstalled(const std::string& path) {
        ASSERT_TRUE(::MoveFileExA(path.c_str(), (path + ".hidden").c_str(), MOVEFILE_REPLACE_EXISTING)) << path;
        hidden_.push_back(path);
    }

    HANDLE host_ = nullptr;
    DWORD hostProcessId_ = 0;
    HWND hostWindow_ = nullptr;
    std::vector<std::string> hidden_;
};

// The panel's rectangle is the console's whole width from the tab row down.
void ExpectPanelFills(HWND console, HWND panel) {
    RECT client{};
    ::GetClientRect(console, &client);
    RECT tab = ClientRectIn(console, ::GetDlgItem(console, IDC_TAB_VIEW));
    RECT r = ClientRectIn(console, panel);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(client.right, r.right);
    EXPECT_EQ(tab.bottom, r.top);
    EXPECT_EQ(std::max(client.bottom, tab.bottom), r.bottom);
    EXPECT_LE(r.top, r.bottom);
}

TEST_F(IntegratedConsole, ThePanelFillsTheWindowBelowTheTabsAtEverySize) {
    for (const char* mode : {"", "--place"}) {
        SCOPED_TRACE(*mode ? mode : "embedded");
        StartHost(mode);
        HWND console = Console(0);
        ASSERT_TRUE(::IsWindowVisible(console));
        HWND panel = Panel(console);
        ASSERT_TRUE(::IsWindowVisible(panel));
        ExpectPanelFills(console, panel);
        const SIZE sizes[] = {{480, 400}, {200, 120}, {640, 560}, {300, 8}, {360, 320}};
        for (const SIZE& size : sizes) {
            SCOPED_TRACE(std::to_string(size.cx) + "x" + std::to_string(size.cy));
            ResizeHostClient(size.cx, size.cy);
            RECT host{};
            ::GetClientRect(hostWindow_, &host);
            RECT client{};
            ::GetClientRect(console, &client);
            EXPECT_EQ(host.right, client.right);
            EXPECT_EQ(host.bottom, client.bottom);
            ExpectPanelFills(console, panel);
        }
        EXPECT_EQ(0, CloseHost());
    }
}

TEST_F(IntegratedConsole, TheTabsShowAndHideThePanel) {
    StartHost("");
    HWND console = Console(0);
    HWND view = ::GetDlgItem(console, IDC_TAB_VIEW);
    HWND hide = ::GetDlgItem(console, IDC_TAB_HIDE);
    HWND panel = Panel(console);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(view, BM_GETCHECK, 0, 0));
    EXPECT_FALSE(::IsWindowVisible(hide));

    ::ShowWindow(hide, SW_SHOW);  // the only way to its command: nothing shows it otherwise
    ::SendMessageA(hide, BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(panel));
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(view, BM_GETCHECK, 0, 0));

    ::SendMessageA(view, BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(panel));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(view, BM_GETCHECK, 0, 0));
}

// Placed, it stays a dialog of its own, whose keys the dialog manager sees;
// the host's loop may give them to it itself.
TEST_F(IntegratedConsole, EnterAndEscapeDoNotCloseIt) {
    for (const char* loop : {"", "--dialog-loop"}) {
        SCOPED_TRACE(*loop ? loop : "host's own loop");
        StartHost(std::string("--place ") + loop);
        HWND console = Console(0);
        HWND view = ::GetDlgItem(console, IDC_TAB_VIEW);
        for (UINT key : {VK_ESCAPE, VK_RETURN}) {
            // Through the host's own loop, as typed keys come.
            ::PostMessageA(view, WM_KEYDOWN, key, 0);
            ::PostMessageA(view, WM_KEYUP, key, 0);
            SyncHost();
            EXPECT_TRUE(::IsWindowVisible(console));
            EXPECT_EQ(console, Console(0));
        }
        EXPECT_EQ(0, CloseHost());
    }
}

// OK and Cancel that reach the window another way (an accelerator of the
// host's, a posted command) leave it as it is.
TEST_F(IntegratedConsole, OkAndCancelCommandsDoNotCloseIt) {
    StartHost("--place");
    HWND console = Console(0);
    for (WORD command : {IDOK, IDCANCEL}) {
        ::PostMessageA(console, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
        SyncHost();
        EXPECT_TRUE(::IsWindowVisible(console)) << command;
        EXPECT_EQ(console, Console(0));
    }
    EXPECT_EQ(static_cast<LRESULT>(kStatusAlreadyOpen), Host(testbed::kHostOpenAgain));
}

TEST_F(IntegratedConsole, ItListensOnTheIntegratedNameAndFollowsAnotherProgramsChange) {
    StartHost("");
    HWND console = Console(0);
    HWND brightness = PanelControl(console, IDC_BRIGHTNESS_SLIDER);
    ASSERT_NE(nullptr, brightness);
    EXPECT_TRUE(EventExists("XC0730 Integrated Console Event Zest! View Panel"));
    EXPECT_FALSE(EventExists("XC0730 Standalone Console Event Zest! View Panel"));

    ASSERT_EQ(0, RunTestBedTool("property 1 procamp 0 set 61 2"));
    EXPECT_TRUE(WaitUntil([&] { return Position(brightness) == 61; }, kHangLimitMs));
    ASSERT_EQ(0, RunTestBedTool("property 1 procamp 0 set 17 2"));
    EXPECT_TRUE(WaitUntil([&] { return Position(brightness) == 17; }, kHangLimitMs));
}

// A host whose thread uses COM in the multithreaded apartment: the panel
// still reaches the camera.
TEST_F(IntegratedConsole, APanelOnAHostThreadInTheMultithreadedApartmentWorks) {
    StartHost("--mta");
    HWND brightness = PanelControl(Console(0), IDC_BRIGHTNESS_SLIDER);
    ASSERT_NE(nullptr, brightness);
    ASSERT_EQ(0, RunTestBedTool("property 1 procamp 0 set 58 2"));
    EXPECT_TRUE(WaitUntil([&] { return Position(brightness) == 58; }, kHangLimitMs));
    EXPECT_TRUE(::IsWindowEnabled(brightness));
}

TEST_F(IntegratedConsole, ClosingWithTheAdvancedDialogOpenClosesThatFirst) {
    StartHost("");
    HWND console = Console(0);
    HWND advanced = OpenAdvanced(console);
    ASSERT_NE(nullptr, advanced);

    ::PostMessageA(console, WM_CLOSE, 0, 0);

    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(advanced); }, kHangLimitMs));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(console); }, kHangLimitMs));
    EXPECT_FALSE(Ended());
    EXPECT_EQ(0, Host(testbed::kHostDestroy));
}

// The host's code runs inside the advanced dialog's loop (a message to its
// window arrives there) and destroys the instance: the dialog closes, then
// everything goes once the loop has unwound; the record is dead at once.
// A host's loop that dispatches only messages for windows still sees the
// end through.
TEST_F(IntegratedConsole, DestroyingTheInstanceInsideTheAdvancedDialogsLoop) {
    for (const char* loop : {"", "--window-messages-only"}) {
        SCOPED_TRACE(*loop ? loop : "host's own loop");
        StartHost(loop);
        HWND console = Console(0);
        HWND advanced = OpenAdvanced(console);
        ASSERT_NE(nullptr, advanced);
        ASSERT_TRUE(MutexExists("XC0730 Integrated Console Mutex"));

        EXPECT_EQ(0, Host(testbed::kHostDestroy));
        EXPECT_EQ(static_cast<LRESULT>(kStatusBadArgument), Host(testbed::kHostDestroyStale));

        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(advanced); }, kHangLimitMs));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(console); }, kHangLimitMs));
        EXPECT_TRUE(WaitUntil([&] { return !MutexExists("XC0730 Integrated Console Mutex"); }, kHangLimitMs));
        EXPECT_EQ(static_cast<LRESULT>(kStatusBadArgument), Host(testbed::kHostDestroyStale));
        EXPECT_FALSE(Ended());
        EXPECT_EQ(0, CloseHost());
    }
}

TEST_F(IntegratedConsole, DestroyingTheInstanceFromAnotherThread) {
    StartHost("");
    HWND console = Console(0);
    EXPECT_EQ(0, Host(testbed::kHostDestroyFromThread));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(console); }, kHangLimitMs));
    EXPECT_TRUE(WaitUntil([&] { return !MutexExists("XC0730 Integrated Console Mutex"); }, kHangLimitMs));
    EXPECT_EQ(static_cast<LRESULT>(kStatusBadArgument), Host(testbed::kHostDestroyStale));
}

// Closed by a close message (Alt+F4, or any program's), the console goes
// and the instance stays: the next open makes a new one.
TEST_F(IntegratedConsole, AfterItsWindowWasClosedTheNextOpenMakesANewConsole) {
    struct CloseCase {
        const char* what;
        UINT message;
        WPARAM wParam;
    };
    const CloseCase cases[] = {{"close message", WM_CLOSE, 0}, {"system close (Alt+F4)", WM_SYSCOMMAND, SC_CLOSE}};
    for (const CloseCase& test : cases) {
        SCOPED_TRACE(test.what);
        StartHost("");
        HWND first = Console(0);
        ::PostMessageA(first, test.message, test.wParam, 0);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(first); }, kHangLimitMs));
        EXPECT_TRUE(MutexExists("XC0730 Integrated Console Mutex")) << "the instance goes only with DestroyInstance";

        EXPECT_EQ(0, Host(testbed::kHostOpenAgain));
        HWND second = Console(0);
        ASSERT_TRUE(::IsWindowVisible(second));
        EXPECT_EQ(static_cast<LRESULT>(kStatusAlreadyOpen), Host(testbed::kHostOpenAgain));
        HWND brightness = PanelControl(second, IDC_BRIGHTNESS_SLIDER);
        ASSERT_EQ(0, RunTestBedTool("property 1 procamp 0 set 47 2"));
        EXPECT_TRUE(WaitUntil([&] { return Position(brightness) == 47; }, kHangLimitMs));

        EXPECT_EQ(0, Host(testbed::kHostDestroy));
        EXPECT_FALSE(::IsWindow(second));
        EXPECT_TRUE(WaitUntil([&] { return !MutexExists("XC0730 Integrated Console Mutex"); }, kHangLimitMs));
        EXPECT_EQ(0, CloseHost());
    }
}

// Another instance's advanced dialog runs its loop on the host's thread:
// this instance's console still opens there.
TEST_F(IntegratedConsole, AnotherInstancesDialogLoopDoesNotRefuseAnOpen) {
    StartHost("--two");
    ASSERT_TRUE(WaitUntil([&] { return Console(1) != nullptr; }, kHangLimitMs));
    HWND second = Console(1);
    ::PostMessageA(second, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(second); }, kHangLimitMs));
    HWND advanced = OpenAdvanced(Console(0));
    ASSERT_NE(nullptr, advanced);

    EXPECT_EQ(0, Host(testbed::kHostOpenAgain, 1));
    HWND reopened = Console(1);
    EXPECT_TRUE(::IsWindow(reopened));
    EXPECT_NE(reopened, Console(0));
    EXPECT_TRUE(::IsWindow(advanced)) << "the other instance's dialog stays";
    EXPECT_EQ(static_cast<LRESULT>(kStatusAlreadyOpen), Host(testbed::kHostOpenAgain, 1));
}

// The host's code ends the instance inside a call the console makes on its
// thread: its window is disabled while the advanced dialog is set up over
// it. Everything goes once that call has returned; nothing crashes.
TEST_F(IntegratedConsole, DestroyingTheInstanceWhileTheConsoleSetsUpADialog) {
    StartHost("--destroy-on-disable");
    HWND console = Console(0);
    HWND advanced = PanelControl(console, IDC_ADVANCED);
    ASSERT_NE(nullptr, advanced);
    Press(advanced);

    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(console); }, kHangLimitMs));
    EXPECT_TRUE(WaitUntil([&] { return !MutexExists("XC0730 Integrated Console Mutex"); }, kHangLimitMs));
    EXPECT_TRUE(WaitUntil([&] { return DialogsOf(hostProcessId_).empty(); }, kHangLimitMs));
    SyncHost();
    EXPECT_FALSE(Ended()) << "the host crashed";
    EXPECT_TRUE(::IsWindowEnabled(hostWindow_));
    EXPECT_EQ(static_cast<LRESULT>(kStatusBadArgument), Host(testbed::kHostDestroyStale));
}

// A host that ends its console the hard ways, in a process of its own,
// round after round: a worker's DestroyInstance while the console's thread
// takes no messages for longer than any wait; a worker's DestroyInstance
// with the module unloaded right after; an open racing a destroy.
TEST_F(IntegratedConsole, AHostEndsItsConsoleFromAnyThreadAndUnloadsTheModule) {
    const char* const scenarios[] = {"blocked 3 11000", "unload 3", "race 10"};
    for (const char* scenario : scenarios) {
        SCOPED_TRACE(scenario);
        std::string output;
        int code = RunProgramWithOutput("\"" + ProgramFolder() + "hostrounds.exe\" " + scenario, &output, 180000);
        EXPECT_EQ(0, code) << output;
    }
}

TEST_F(IntegratedConsole, TwoInstancesInOneHost) {
    StartHost("--two");
    ASSERT_TRUE(WaitUntil([&] { return Console(1) != nullptr; }, kHangLimitMs));
    HWND first = Console(0);
    HWND second = Console(1);
    ASSERT_NE(first, second);
    ExpectPanelFills(first, Panel(first));
    ExpectPanelFills(second, Panel(second));
    EXPECT_EQ(static_cast<LRESULT>(kStatusAlreadyOpen), Host(testbed::kHostOpenAgain, 1));

    EXPECT_EQ(0, Host(testbed::kHostDestroy, 0));
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_TRUE(::IsWindowVisible(second));
    // The other instance still keeps auto-launched consoles away.
    EXPECT_TRUE(MutexExists("XC0730 Integrated Console Mutex"));
    HWND brightness = PanelControl(second, IDC_BRIGHTNESS_SLIDER);
    ASSERT_EQ(0, RunTestBedTool("property 1 procamp 0 set 44 2"));
    EXPECT_TRUE(WaitUntil([&] { return Position(brightness) == 44; }, kHangLimitMs));
}

// Without the skinning library: one message while the console is created;
// the host's code meanwhile cannot open it again, and the panel then works.
TEST_F(IntegratedConsole, WithoutTheSkinningLibraryTheMessageComesOnceAndThePanelWorks) {
    HideSkinLibrary();
    StartHost("", false);

    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = NestedDialog()) != nullptr; }, kHangLimitMs));
    EXPECT_EQ("XC0730 Camera Console", WindowText(box));
    EXPECT_EQ(static_cast<LRESULT>(kStatusAlreadyOpen), Host(testbed::kHostOpenAgain));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);

    HWND console = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (console = Console(0)) != nullptr; }, kHangLimitMs));
    HWND brightness = PanelControl(console, IDC_BRIGHTNESS_SLIDER);
    ASSERT_TRUE(::IsWindowVisible(Panel(console)));
    ASSERT_EQ(0, RunTestBedTool("property 1 procamp 0 set 52 2"));
    EXPECT_TRUE(WaitUntil([&] { return Position(brightness) == 52; }, kHangLimitMs));
    EXPECT_EQ(nullptr, NestedDialog()) << "a second message";
}

TEST_F(IntegratedConsole, DestroyingTheInstanceWhileItsCreationShowsTheSkinMessage) {
    HideSkinLibrary();
    StartHost("", false);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = NestedDialog()) != nullptr; }, kHangLimitMs));

    EXPECT_EQ(0, Host(testbed::kHostDestroy));

    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, kHangLimitMs)) << "the message stayed";
    EXPECT_TRUE(WaitUntil([&] { return !MutexExists("XC0730 Integrated Console Mutex"); }, kHangLimitMs));
    EXPECT_TRUE(DialogsOf(hostProcessId_).empty());
    EXPECT_FALSE(Ended());
}

}  // namespace
