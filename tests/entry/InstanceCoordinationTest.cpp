// Copies of the console coordinating through named objects: the console
// under test runs in this process with a test window in its seam; the other
// party is a real rundll32 launch of the installed module, or a small program
// that holds a host instance or a parental dialog.
#include "ResourceIds.h"
#include "base/NamedObjects.h"
#include "driving/HangLimit.h"
#include "driving/MessageBoxes.h"
#include "driving/Wait.h"
#include "entry/EntryPoints.h"
#include "launch/KernelObjectNames.h"
#include "settings/SettingsStore.h"
#include "support/HostBlocks.h"
#include "support/NamedObjectProbe.h"
#include "support/SeamOverride.h"
#include "support/TestBedFixture.h"
#include "support/TestConsole.h"

#include <shlwapi.h>

#include <cstring>
#include <memory>
#include <string>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

int RunDll32Console(const std::string& arguments) {
    return RunProgram("rundll32.exe Ostrivan.dll,ksCVWConsoleRunDLL32EP " + arguments);
}

// A program in another process that holds something until released.
class Holder {
public:
    explicit Holder(const char* program)
        : ready_(::CreateEventA(nullptr, TRUE, FALSE, "CamTestBed Holder Ready")),
          release_(::CreateEventA(nullptr, TRUE, FALSE, "CamTestBed Holder Release")) {
        process_ = StartProgram("\"" + ProgramFolder() + program +
                                "\" \"CamTestBed Holder Ready\" \"CamTestBed Holder Release\"");
    }
    ~Holder() {
        Release();
        ::CloseHandle(ready_);
        ::CloseHandle(release_);
    }
    bool WaitReady() { return process_ && ::WaitForSingleObject(ready_, kHangLimitMs) == WAIT_OBJECT_0; }
    // Lets go and returns the program's exit code.
    int Release() {
        if (!process_) return -1;
        ::SetEvent(release_);
        DWORD code = static_cast<DWORD>(-1);
        if (::WaitForSingleObject(process_, kHangLimitMs) == WAIT_OBJECT_0) ::GetExitCodeProcess(process_, &code);
        ::CloseHandle(process_);
        process_ = nullptr;
        return static_cast<int>(code);
    }

private:
    HANDLE ready_;
    HANDLE release_;
    HANDLE process_ = nullptr;
};

class InstanceCoordination : public CameraTestBed {
protected:
    void SetUp() override {
        CameraTestBed::SetUp();
        ::SHDeleteValueA(HKEY_CURRENT_USER, kConsoleKey, "NoAutoLaunch");
        AddCamera(1, "XC0730 Web Camera");
        ResetTestConsole();
        seams_->runStandaloneConsole = RunTestConsoleWindow;
    }
    // Starts the console under test and waits for its window.
    std::unique_ptr<EntryThread> StartConsole(const std::string& line) {
        int runsBefore = LastTestConsole().runs.load();
        auto entry = std::make_unique<EntryThread>(EntryThread::kConsole, line);
        EXPECT_TRUE(WaitUntil([&] { return LastTestConsole().runs.load() > runsBefore; }, kHangLimitMs));
        return entry;
    }
    SeamOverride seams_;
};

TEST_F(InstanceCoordination, SecondPlainLaunchRestoresTheFirstAndExits) {
    auto console = StartConsole("");
    HWND window = LastTestConsole().window;
    ASSERT_TRUE(::IsWindow(window));
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(window));

    EXPECT_EQ(0, RunDll32Console(""));
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(window); }, kHangLimitMs)) << "the first window was not restored";
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }, kHangLimitMs));
    EXPECT_FALSE(console->Join(0)) << "the first console must go on running";

    EXPECT_EQ(0, RunDll32Console("/quit"));
    ASSERT_TRUE(console->Join(kHangLimitMs));
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(EventExists(kRestoreEventName));
    EXPECT_FALSE(EventExists(kQuitEventName));
}

TEST_F(InstanceCoordination, HostLaunchOfTheStandaloneConsoleReachesTheRunningOne) {
    auto console = StartConsole("");
    HWND window = LastTestConsole().window;
    ::ShowWindow(window, SW_MINIMIZE);

    testsupport::CreateBlock block("XC0730 Web Camera");
    ASSERT_EQ(kStatusOk, ksCVWEntryPoint(nullptr, kCreateInstance, block.bytes));
    void* instance = block.instance();
    uint32_t launch = 0xFFFFFFFF;
    EXPECT_EQ(kStatusOk, ksCVWEntryPoint(instance, kLaunchStandaloneConsole, &launch));
    EXPECT_EQ(0u, launch);
    // The launched rundll32 finds this console running and restores it.
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(window); }, kHangLimitMs));
    uint32_t destroy = 0;
    EXPECT_EQ(kStatusOk, ksCVWEntryPoint(instance, kDestroyInstance, &destroy));

    EXPECT_EQ(0, RunDll32Console("/quit"));
    EXPECT_TRUE(console->Join(kHangLimitMs));
}

TEST_F(InstanceCoordination, ClosedEndsAnAutomaticallyLaunchedConsole) {
    auto console = StartConsole("XC0730 Web Camera");
    EXPECT_TRUE(LastTestConsole().autoLaunched);
    EXPECT_EQ(0, RunDll32Console("/CLOSED"));
    EXPECT_TRUE(console->Join(kHangLimitMs));
    EXPECT_FALSE(EventExists(kCloseEventName));
}

TEST_F(InstanceCoordination, ClosedLeavesAConsoleStartedWithStay) {
    auto console = StartConsole("/stay XC0730 Web Camera");
    EXPECT_FALSE(LastTestConsole().autoLaunched);
    EXPECT_EQ(0, RunDll32Console("/closed"));
    // The rundll32 call has ended; give a wrongly woken watcher time to act.
    EXPECT_FALSE(console->Join(1000));
    EXPECT_TRUE(::IsWindow(LastTestConsole().window));

    EXPECT_EQ(0, RunDll32Console("/quit"));
    EXPECT_TRUE(console->Join(kHangLimitMs));
}

TEST_F(InstanceCoordination, QuitWithNothingRunningLeavesNothingBehind) {
    EXPECT_EQ(0, RunDll32Console("/Quit"));
    EXPECT_FALSE(EventExists(kQuitEventName));
    EXPECT_FALSE(EventExists(kRestoreEventName));
    // The next console opens normally.
    auto console = StartConsole("");
    EXPECT_EQ(1, LastTestConsole().runs.load());
    ::PostMessageA(LastTestConsole().window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(console->Join(kHangLimitMs));
}

TEST_F(InstanceCoordination, UserClosedConsoleEndsItsWatcherQuietly) {
    auto console = StartConsole("");
    ::PostMessageA(LastTestConsole().window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(console->Join(kHangLimitMs));
    EXPECT_FALSE(EventExists(kQuitEventName));
}

TEST_F(InstanceCoordination, AutomaticLaunchIsRefusedWhileAHostHoldsAnInstance) {
    seams_->runStandaloneConsole = RecordTestConsole;
    {
        Holder host("host_holder.exe");
        ASSERT_TRUE(host.WaitReady());
        EntryThread(EntryThread::kConsole, "XC0730 Web Camera").Join(kHangLimitMs);
        EXPECT_EQ(0, LastTestConsole().runs.load()) << "refused while the host holds its instance";
        EntryThread(EntryThread::kConsole, "/stay XC0730 Web Camera").Join(kHangLimitMs);
        EXPECT_EQ(1, LastTestConsole().runs.load()) << "\"/stay\" skips the guard";
        EXPECT_EQ(0, host.Release());
    }
    EntryThread(EntryThread::kConsole, "XC0730 Web Camera").Join(kHangLimitMs);
    EXPECT_EQ(2, LastTestConsole().runs.load()) << "allowed once the host let go";
}

TEST_F(InstanceCoordination, AutomaticLaunchEndsWhenTheHostProbeCannotBeMade) {
    seams_->runStandaloneConsole = RecordTestConsole;
    // An object of another kind under the mutex's name: the probe cannot be
    // created at all, as when another user's host made it.
    HANDLE squatter = ::CreateEventA(nullptr, TRUE, FALSE, kIntegratedConsoleMutex);
    ASSERT_TRUE(squatter);
    ASSERT_EQ(nullptr, ::CreateMutexA(nullptr, FALSE, kIntegratedConsoleMutex));
    EntryThread(EntryThread::kConsole, "XC0730 Web Camera").Join(kHangLimitMs);
    EXPECT_EQ(0, LastTestConsole().runs.load()) << "an unknown host state refuses the automatic launch";
    EntryThread(EntryThread::kConsole, "/stay XC0730 Web Camera").Join(kHangLimitMs);
    EXPECT_EQ(1, LastTestConsole().runs.load()) << "\"/stay\" has no guard to ask";
    ::CloseHandle(squatter);
    EntryThread(EntryThread::kConsole, "XC0730 Web Camera").Join(kHangLimitMs);
    EXPECT_EQ(2, LastTestConsole().runs.load());
}

TEST_F(InstanceCoordination, SecondParentalEntryIsRefusedWhileOneRuns) {
    static int prompts = 0;
    prompts = 0;
    seams_->runPasswordPrompt = [](LaunchContext*) { ++prompts; };
    {
        Holder parental("parental_holder.exe");
        ASSERT_TRUE(parental.WaitReady());
        EntryThread(EntryThread::kParental, "/prompt XC0730 Web Camera").Join(kHangLimitMs);
        EXPECT_EQ(0, prompts);
        EXPECT_EQ(0, parental.Release()) << "the holder's own prompt ran";
    }
    EntryThread(EntryThread::kParental, "/prompt XC0730 Web Camera").Join(kHangLimitMs);
    EXPECT_EQ(1, prompts);
}

// A console whose window stays but whose thread stops pumping, with a
// Restore from another launch at the very moment its entry point quits.
constexpr UINT kStopPumping = WM_APP + 1;

void RunWindowThatStopsPumping(LaunchContext* context, const DeviceNames& devices) {
    if (!ShowTestConsoleWindow(context, devices)) return;
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != kStopPumping) {
        ::DispatchMessageA(&message);
    }
    // The window stays, and nothing pumps its messages any more.
    SignalNamedEvent(kRestoreEventName);
}

TEST_F(InstanceCoordination, QuitOfAWindowThatNoLongerPumpsEndsDespiteARestore) {
    seams_->runStandaloneConsole = RunWindowThatStopsPumping;
    for (int round = 0; round < 5; ++round) {
        auto console = StartConsole("");
        ::PostMessageA(LastTestConsole().window, kStopPumping, 0, 0);
        EXPECT_TRUE(console->Join(kHangLimitMs)) << "round " << round;
        EXPECT_FALSE(EventExists(kRestoreEventName));
        EXPECT_FALSE(EventExists(kQuitEventName));
    }
}

std::string LibraryString(UINT id) {
    HMODULE library = ::LoadLibraryExA("Ostrivan.crl", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[512] = {};
    if (library) ::LoadStringA(library, id, text, sizeof(text));
    if (library) ::FreeLibrary(library);
    return text;
}

TEST_F(InstanceCoordination, IntroAsksAndRunsTheSetPasswordDialogOnlyOnYes) {
    static int dialogs = 0;
    static std::string dialogDevice;
    dialogs = 0;
    seams_->runSetPasswordDialog = [](LaunchContext* context) {
        ++dialogs;
        dialogDevice = context->selectedDevice ? context->selectedDevice : "";
    };
    const std::string question = LibraryString(IDS_PARENTAL_SETUP_QUESTION);
    const std::string caption = LibraryString(IDS_PARENTAL_CAPTION);
    ASSERT_FALSE(question.empty());
    ASSERT_FALSE(caption.empty());
    for (int answer : {IDNO, IDYES}) {
        EntryThread entry(EntryThread::kParental, "/INTRO");
        MessageBoxSeen box;
        ASSERT_TRUE(WaitForMessageBox(MessageBoxes().Titled(caption), &box));
        EXPECT_EQ(question, box.text) << "the question is string 57743";
        EXPECT_TRUE(MutexExists(kPasswordDialogMutex)) << "one password dialog on the machine meanwhile";
        EXPECT_TRUE(AnswerMessageBox(box.window, answer));
        ASSERT_TRUE(entry.Join(kHangLimitMs));
        EXPECT_FALSE(MutexExists(kPasswordDialogMutex));
    }
    EXPECT_EQ(1, dialogs) << "No runs nothing, Yes runs the dialog once";
    EXPECT_EQ("XC0730 Web Camera", dialogDevice);
}

}  // namespace
