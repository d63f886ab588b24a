// The x86 and x64 modules installed side by side in one prefix, each run by
// its own architecture's rundll32: they share one user's state. A console
// started through one is found (restored, ended) by a launch through the
// other; a password set through one is the one the other asks for; the
// window rectangle stored by one is where the other opens.
#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/MessageBoxes.h"
#include "driving/Wait.h"
#include "settings/SettingsStore.h"
#include "support/ParentalFixture.h"
#include "support/TestBedFixture.h"

#include <shlwapi.h>

#include <string>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

constexpr const char* kTitle = "XC0730 Camera Console";

struct Architecture {
    const char* name;
    const char* rundll32;  // the rundll32 of that architecture, which loads its module
    bool runsUnderWow64;
};
constexpr Architecture kX86{"x86", "C:\\windows\\syswow64\\rundll32.exe", true};
constexpr Architecture kX64{"x64", "C:\\windows\\system32\\rundll32.exe", false};

std::string Console(const Architecture& arch, const std::string& arguments) {
    return std::string(arch.rundll32) + " Ostrivan.dll,ksCVWConsoleRunDLL32EP " + arguments;
}
std::string Parental(const Architecture& arch, const std::string& arguments) {
    return std::string(arch.rundll32) + " Ostrivan.dll,ksCVWParentalRunDLL32EP " + arguments;
}

// Whether a process is 32-bit: its module is the x86 one.
bool IsWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return ::IsWow64Process(process, &wow64) && wow64;
}

struct Pair {
    Architecture first, second;
};
std::string PairName(const ::testing::TestParamInfo<Pair>& info) {
    return std::string(info.param.first.name) + "Then" + info.param.second.name;
}

class AcrossModules : public ParentalBed, public ::testing::WithParamInterface<Pair> {
protected:
    void SetUp() override {
        ParentalBed::SetUp();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
    }
    void TearDown() override {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        ParentalBed::TearDown();
    }
};

TEST_P(AcrossModules, ALaunchThroughTheOtherModuleRestoresTheConsoleAndQuitEndsIt) {
    const Pair& p = GetParam();
    StartedProgram console(Console(p.first, ""));
    ASSERT_NE(nullptr, console.get());
    EXPECT_EQ(p.first.runsUnderWow64, IsWow64(console.get())) << "the first module's own rundll32";
    HWND window = WaitForTitledWindow(kTitle);
    ASSERT_NE(nullptr, window);

    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(window) != FALSE; }, kHangLimitMs));
    // The other module finds the running console by its named objects and
    // hands it the restore instead of opening a second one.
    EXPECT_EQ(0, RunProgram(Console(p.second, ""), nullptr, kHangLimitMs));
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(window); }, kHangLimitMs)) << "restored by the other module";
    EXPECT_FALSE(console.Ended(0));

    // Somewhere no console opens by itself, so only the stored rectangle brings the next one there.
    constexpr POINT kMovedTo{137, 91};
    ::SetWindowPos(window, nullptr, kMovedTo.x, kMovedTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT before{};
    ASSERT_TRUE(WaitUntil(
        [&] { return ::GetWindowRect(window, &before) && before.left == kMovedTo.x && before.top == kMovedTo.y; },
        kHangLimitMs));
    EXPECT_EQ(0, RunProgram(Console(p.second, "/quit"), nullptr, kHangLimitMs));
    ASSERT_TRUE(console.Ended()) << "ended by the other module's /quit";

    // Its rectangle, stored on the way out, is where the other module opens.
    StartedProgram next(Console(p.second, ""));
    HWND reopened = WaitForTitledWindow(kTitle);
    ASSERT_NE(nullptr, reopened);
    RECT after{};
    ::GetWindowRect(reopened, &after);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(0, RunProgram(Console(p.first, "/quit"), nullptr, kHangLimitMs));
    EXPECT_TRUE(next.Ended());
}

TEST_P(AcrossModules, APasswordSetThroughOneIsTheOneTheOtherAsksFor) {
    const Pair& p = GetParam();
    {
        StartedProgram intro(Parental(p.first, "/intro"));
        MessageBoxSeen question;
        ASSERT_TRUE(WaitForMessageBox(MessageBoxes(), &question));
        ASSERT_TRUE(AnswerMessageBox(question.window, IDYES));
        HWND setPassword = WaitForTitledWindow(Text(IDS_SET_PASSWORD_FIRST_TITLE));
        ASSERT_NE(nullptr, setPassword);
        TypeText(setPassword, IDC_NEW_PASSWORD, "secret1");
        TypeText(setPassword, IDC_CONFIRM_PASSWORD, "secret1");
        PressButton(setPassword, IDOK);
        ExpectMessage(setPassword, IDS_FIRST_PASSWORD_SET, nullptr);
        ASSERT_TRUE(intro.Ended());
    }
    EXPECT_EQ(HashOf("secret1"), StoredHash());

    StartedProgram prompt(Parental(p.second, "/prompt XC0730 Web Camera"));
    HWND dialog = WaitForTitledWindow(Text(IDS_PROMPT_QUIET_TITLE));
    ASSERT_NE(nullptr, dialog);
    TypeText(dialog, IDC_PROMPT_PASSWORD, "secret2");
    PressButton(dialog, IDOK);
    ExpectMessage(dialog, IDS_PASSWORD_WRONG, nullptr);
    TypeText(dialog, IDC_PROMPT_PASSWORD, "secret1");
    PressButton(dialog, IDOK);
    ASSERT_TRUE(prompt.Ended()) << "the other module took the password set through the first";
    EXPECT_EQ(1, LockState());
}

INSTANTIATE_TEST_SUITE_P(Modules, AcrossModules, ::testing::Values(Pair{kX86, kX64}, Pair{kX64, kX86}), PairName);

}  // namespace
