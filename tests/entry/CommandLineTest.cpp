// What the rundll32 entry points do with their command lines, run in this
// process with a recording window in the seam.
#include "entry/CommandLine.h"
#include "entry/EntryPoints.h"
#include "launch/KernelObjectNames.h"
#include "settings/SettingsStore.h"
#include "support/SeamOverride.h"
#include "support/TestBedFixture.h"
#include "support/TestConsole.h"

#include <shlwapi.h>

#include <string>

using namespace ostrivan;
using namespace testsupport;

namespace {

class EntryCommandLine : public CameraTestBed {
protected:
    void SetUp() override {
        CameraTestBed::SetUp();
        ::SHDeleteValueA(HKEY_CURRENT_USER, kConsoleKey, "NoAutoLaunch");
        AddCamera(1, "XC0730 Web Camera");
        AddCamera(2, "XC0730 Web Camera #2");
        ResetTestConsole();
        seams_->runStandaloneConsole = RecordTestConsole;
        seams_->runPasswordPrompt = RecordPrompt;
        prompts_ = 0;
    }
    void TearDown() override {
        ::SHDeleteValueA(HKEY_CURRENT_USER, kConsoleKey, "NoAutoLaunch");
        CameraTestBed::TearDown();
    }
    static void RunConsole(const std::string& line) {
        std::string copy = line;
        ksCVWConsoleRunDLL32EP(nullptr, nullptr, copy.data(), SW_SHOWNORMAL);
    }
    static void RunParental(const std::string& line) {
        std::string copy = line;
        ksCVWParentalRunDLL32EP(nullptr, nullptr, copy.data(), SW_SHOWNORMAL);
    }
    static void RecordPrompt(LaunchContext* context) {
        ++prompts_;
        promptDevice_ = context->selectedDevice;
    }

    SeamOverride seams_;
    static int prompts_;
    static std::string promptDevice_;
};
int EntryCommandLine::prompts_ = 0;
std::string EntryCommandLine::promptDevice_;

struct ConsoleLineCase {
    const char* name;
    std::string line;
    const char* selected;  // null: no console opens
    bool autoLaunched;
};

class ConsoleLines : public EntryCommandLine, public ::testing::WithParamInterface<ConsoleLineCase> {};

TEST_P(ConsoleLines, OpenTheRightCameraWithTheRightGuards) {
    const ConsoleLineCase& c = GetParam();
    RunConsole(c.line);
    if (!c.selected) {
        EXPECT_EQ(0, LastTestConsole().runs.load());
        return;
    }
    ASSERT_EQ(1, LastTestConsole().runs.load());
    EXPECT_EQ(c.selected, LastTestConsole().selectedDevice);
    EXPECT_EQ(c.autoLaunched, LastTestConsole().autoLaunched);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConsoleLines,
    ::testing::Values(
        ConsoleLineCase{"Empty", "", "XC0730 Web Camera", false},
        ConsoleLineCase{"StaySecondCamera", "/stay XC0730 Web Camera #2", "XC0730 Web Camera #2", false},
        ConsoleLineCase{"StayMixedCase", "/STAY xc0730 web camera #2", "XC0730 Web Camera #2", false},
        ConsoleLineCase{"StayUnknownCamera", "/stay Another Camera", "XC0730 Web Camera", false},
        ConsoleLineCase{"StayAlone", "/stay", "XC0730 Web Camera", false},
        ConsoleLineCase{"AutoLaunchSecondCamera", "XC0730 Web Camera #2", "XC0730 Web Camera #2", true},
        ConsoleLineCase{"AutoLaunchOtherCase", "xc0730 WEB camera", "XC0730 Web Camera", true},
        ConsoleLineCase{"NameOfNoCamera", "Some other text", "XC0730 Web Camera", false},
        ConsoleLineCase{"SeveralKilobytes", std::string(8192, 'x'), "XC0730 Web Camera", false},
        ConsoleLineCase{"QuitWordAnywhere", "please /QuIt now", nullptr, false},
        ConsoleLineCase{"ClosedWord", "/closed", nullptr, false}),
    [](const ::testing::TestParamInfo<ConsoleLineCase>& info) { return std::string(info.param.name); });

TEST_F(EntryCommandLine, EmptySlotsNeverMatchAnEmptyName) {
    // Only one camera: slots 1 to 9 are empty and "/stay " leaves nothing.
    testbed::RemoveImageDevice(InstanceId(2));
    RunConsole("/stay ");
    ASSERT_EQ(1, LastTestConsole().runs.load());
    EXPECT_EQ("XC0730 Web Camera", LastTestConsole().selectedDevice);
}

TEST_F(EntryCommandLine, NoCameraStillOpensWithAnEmptyList) {
    testbed::RemoveAllImageDevices();
    RunConsole("");
    ASSERT_EQ(1, LastTestConsole().runs.load());
    EXPECT_EQ("", LastTestConsole().selectedDevice);
}

TEST_F(EntryCommandLine, NoAutoLaunchSettingDecidesAutomaticLaunches) {
    struct Case {
        const char* name;
        DWORD type;
        std::string data;  // empty: the value is absent
        bool opens;
    };
    const DWORD one = 1, zero = 0;
    const Case cases[] = {
        {"absent", REG_DWORD, "", true},
        {"one", REG_DWORD, std::string(reinterpret_cast<const char*>(&one), 4), false},
        {"zero", REG_DWORD, std::string(reinterpret_cast<const char*>(&zero), 4), true},
        {"text", REG_SZ, std::string("1\0", 2), true},  // the wrong type counts as absent
    };
    for (const Case& c : cases) {
        ResetTestConsole();
        ::SHDeleteValueA(HKEY_CURRENT_USER, kConsoleKey, "NoAutoLaunch");
        if (!c.data.empty()) WriteSetting(HKEY_CURRENT_USER, "NoAutoLaunch", c.type, c.data.data(), c.data.size());
        RunConsole("XC0730 Web Camera");
        EXPECT_EQ(c.opens ? 1 : 0, LastTestConsole().runs.load()) << c.name;
        // "/stay" skips the guards.
        ResetTestConsole();
        RunConsole("/stay XC0730 Web Camera");
        EXPECT_EQ(1, LastTestConsole().runs.load()) << c.name;
    }
}

TEST_F(EntryCommandLine, LaunchLeavesNoNamedObjectsBehind) {
    RunConsole("XC0730 Web Camera");
    ASSERT_EQ(1, LastTestConsole().runs.load());
    for (const char* name : {kRestoreEventName, kQuitEventName, kCloseEventName}) {
        HANDLE event = ::OpenEventA(SYNCHRONIZE, FALSE, name);
        EXPECT_EQ(nullptr, event) << name;
        if (event) ::CloseHandle(event);
    }
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, kIntegratedConsoleMutex);
    EXPECT_EQ(nullptr, mutex);
    if (mutex) ::CloseHandle(mutex);
}

struct PromptCase {
    const char* name;
    const char* line;
    const char* device;  // null: nothing is shown
};

class PromptLines : public EntryCommandLine, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(PromptLines, ShowThePromptOnlyForAFoundCamera) {
    RunParental(GetParam().line);
    if (!GetParam().device) {
        EXPECT_EQ(0, prompts_);
        return;
    }
    ASSERT_EQ(1, prompts_);
    EXPECT_EQ(GetParam().device, promptDevice_);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PromptLines,
    ::testing::Values(PromptCase{"ExactName", "/prompt XC0730 Web Camera #2", "XC0730 Web Camera #2"},
                      PromptCase{"MixedCase", "/PROMPT xc0730 web camera", "XC0730 Web Camera"},
                      PromptCase{"PromptAlone", "/prompt", nullptr},
                      PromptCase{"PromptAndBlank", "/prompt ", nullptr},
                      PromptCase{"UnknownCamera", "/prompt Another Camera", nullptr},
                      PromptCase{"NameNotAtCharacterEight", "xx/prompt XC0730 Web Camera", nullptr},
                      PromptCase{"Empty", "", nullptr}),
    [](const ::testing::TestParamInfo<PromptCase>& info) { return std::string(info.param.name); });

TEST(CommandLineText, TextAfterNeverReadsPastTheLine) {
    EXPECT_STREQ("", TextAfter("/stay", 6));
    EXPECT_STREQ("", TextAfter("/stay ", 6));
    EXPECT_STREQ("x", TextAfter("/stay x", 6));
    EXPECT_STREQ("", TextAfter(nullptr, 6));
}

}  // namespace
