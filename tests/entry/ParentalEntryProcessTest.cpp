// The parental entry point of the installed module in rundll32 processes:
// "/prompt" and "/intro" show their dialogs with no console, driven from
// this process, and one password dialog at most runs on the machine.
#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/MessageBoxes.h"
#include "launch/KernelObjectNames.h"
#include "support/ParentalFixture.h"

#include <string>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

std::string Parental(const std::string& arguments) {
    return "rundll32.exe Ostrivan.dll,ksCVWParentalRunDLL32EP " + arguments;
}

bool DialogMutexExists() {
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, kPasswordDialogMutex);
    if (!mutex) return false;
    ::CloseHandle(mutex);
    return true;
}

// A rundll32 process with the parental entry point, for one test.
class ParentalProcess : public StartedProgram {
public:
    explicit ParentalProcess(const std::string& arguments) : StartedProgram(Parental(arguments)) {}
};

class ParentalEntryProcess : public ParentalBed {};

TEST_F(ParentalEntryProcess, PromptRunsQuietlyAloneOnTheMachineAndSwitchesTheLockOn) {
    StoreHashOf("secret1");
    ParentalProcess first("/prompt XC0730 Web Camera");
    ASSERT_TRUE(first.started());
    HWND prompt = WaitForTitledWindow(Text(IDS_PROMPT_QUIET_TITLE));
    ASSERT_NE(nullptr, prompt);
    EXPECT_EQ(nullptr, ::GetWindow(prompt, GW_OWNER)) << "no console window";
    EXPECT_TRUE(DialogMutexExists());

    // A second parental dialog is refused while this one is open.
    EXPECT_EQ(0, RunProgram(Parental("/prompt XC0730 Web Camera"), nullptr, kHangLimitMs));
    EXPECT_EQ(0, RunProgram(Parental("/intro"), nullptr, kHangLimitMs));
    EXPECT_TRUE(::IsWindowVisible(prompt));

    TypeText(prompt, IDC_PROMPT_PASSWORD, "secret2");
    PressButton(prompt, IDOK);
    ExpectMessage(prompt, IDS_PASSWORD_WRONG, nullptr);
    EXPECT_EQ(0u, LockWrites());

    TypeText(prompt, IDC_PROMPT_PASSWORD, "secret1");
    PressButton(prompt, IDOK);
    ASSERT_TRUE(first.Ended()) << "the quiet prompt ends without a message";
    EXPECT_EQ(2u, LockWrites());
    EXPECT_EQ(2u, LastLockCommand()) << "on, then prompted";
    EXPECT_EQ(1, LockState());
    EXPECT_FALSE(DialogMutexExists());
}

TEST_F(ParentalEntryProcess, IntroAsksThenSetsTheFirstPassword) {
    ParentalProcess intro("/intro");
    ASSERT_TRUE(intro.started());
    MessageBoxSeen question;
    ASSERT_TRUE(WaitForMessageBox(MessageBoxes(), &question));
    EXPECT_EQ(Text(IDS_PARENTAL_CAPTION), question.caption);
    EXPECT_EQ(Text(IDS_PARENTAL_SETUP_QUESTION), question.text);
    ASSERT_TRUE(AnswerMessageBox(question.window, IDYES));

    HWND setPassword = WaitForTitledWindow(Text(IDS_SET_PASSWORD_FIRST_TITLE));
    ASSERT_NE(nullptr, setPassword);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(setPassword, IDC_OLD_PASSWORD)));
    TypeText(setPassword, IDC_NEW_PASSWORD, "secret1");
    TypeText(setPassword, IDC_CONFIRM_PASSWORD, "secret1");
    PressButton(setPassword, IDOK);
    ExpectMessage(setPassword, IDS_FIRST_PASSWORD_SET, nullptr);
    ASSERT_TRUE(intro.Ended());
    EXPECT_EQ(HashOf("secret1"), StoredHash());
    EXPECT_EQ(1, LockState());
}

TEST_F(ParentalEntryProcess, IntroAnsweredNoShowsNothingMore) {
    ParentalProcess intro("/intro");
    ASSERT_TRUE(intro.started());
    MessageBoxSeen question;
    ASSERT_TRUE(WaitForMessageBox(MessageBoxes(), &question));
    ASSERT_TRUE(AnswerMessageBox(question.window, IDNO));
    ASSERT_TRUE(intro.Ended());
    EXPECT_EQ(-1, StoredHash());
    EXPECT_EQ(0u, LockWrites());
}

TEST_F(ParentalEntryProcess, IntroWithAPasswordStoredEndsWithoutAsking) {
    StoreHashOf("secret1");
    // It would wait for an answer if it asked anything.
    EXPECT_EQ(0, RunProgram(Parental("/intro"), nullptr, kHangLimitMs));
    EXPECT_EQ(HashOf("secret1"), StoredHash());
    EXPECT_EQ(0u, LockWrites());
}

}  // namespace
