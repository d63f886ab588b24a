// The two password dialogs against a virtual camera, driven as a parent
// would: typing into the edits and pressing the buttons from this thread
// while each dialog runs on a thread of its own.
#include "ResourceIds.h"
#include "base/ResourceSource.h"
#include "base/UniqueHandle.h"
#include "devices/VirtualCameraStore.h"
#include "driving/WindowText.h"
#include "parental/BuiltInTexts.h"
#include "parental/PasswordField.h"
#include "parental/PasswordPromptDialog.h"
#include "parental/SetPasswordDialog.h"
#include "settings/SettingsStore.h"
#include "support/ParentalFixture.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

// Whether any value of the console key in the hive holds the text's bytes.
bool ConsoleKeyHolds(HKEY hive, const std::string& text) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(hive, kConsoleKey, 0, KEY_QUERY_VALUE | kSharedRegistryView, &key) != ERROR_SUCCESS) return false;
    bool found = false;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof(name);
        BYTE data[4096];
        DWORD dataSize = sizeof(data);
        LONG result = ::RegEnumValueA(key, i, name, &nameSize, nullptr, nullptr, data, &dataSize);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS) continue;
        if (std::string(reinterpret_cast<char*>(data), dataSize).find(text) != std::string::npos) found = true;
    }
    ::RegCloseKey(key);
    return found;
}

class ParentalDialogs : public ParentalBed {
protected:
    // A dialog's window once its thread shows it under the title.
    HWND Shown(UINT titleId) {
        HWND window = WaitForTitledWindow(Text(titleId));
        EXPECT_NE(nullptr, window) << "no window titled " << Text(titleId);
        return window;
    }
    static bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
    static bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }
    static HWND Item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }
};

TEST_F(ParentalDialogs, FirstPasswordSwitchesTheLockOnAndHandsTheCameraItsHash) {
    SetPasswordDialog dialog;
    dialog.Configure(true, kCameraName);
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(IDS_SET_PASSWORD_FIRST_TITLE);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(Text(IDS_SET_PASSWORD_FIRST_LABEL), ControlText(window, IDC_SET_PASSWORD_LABEL));
    EXPECT_FALSE(Enabled(window, IDC_OLD_PASSWORD));
    for (int id : {IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD}) {
        EXPECT_TRUE(::GetWindowLongA(Item(window, id), GWL_STYLE) & ES_PASSWORD) << id << " shows what is typed";
    }

    TypeText(window, IDC_NEW_PASSWORD, "secret1");
    TypeText(window, IDC_CONFIRM_PASSWORD, "secret1");
    PressButton(window, IDOK);
    ExpectMessage(window, IDS_FIRST_PASSWORD_SET, IDI_INFORMATION);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDOK, run.result());

    EXPECT_EQ(1, LockState());
    EXPECT_EQ(2u, LockWrites()) << "the lock, then the hash";
    EXPECT_EQ(3u, LastLockCommand());
    EXPECT_EQ(HashOf("secret1"), LastLockData());
    EXPECT_EQ(HashOf("secret1"), StoredHash());
    EXPECT_FALSE(ConsoleKeyHolds(HKEY_CURRENT_USER, "secret1"));
    EXPECT_FALSE(ConsoleKeyHolds(HKEY_LOCAL_MACHINE, "secret1"));
}

struct NewPasswordCase {
    const char* password;
    const char* confirmation;
    UINT message;
    int focus;
};

TEST_F(ParentalDialogs, NewPasswordRefusalsComeInTheirOrderAndCancelStoresNothing) {
    const NewPasswordCase cases[] = {
        {"", "", IDS_NEW_PASSWORD_EMPTY, IDC_CONFIRM_PASSWORD},
        {"abcdef", "", IDS_NEW_PASSWORD_EMPTY, IDC_CONFIRM_PASSWORD},
        {"", "abcdef", IDS_NEW_PASSWORD_EMPTY, IDC_CONFIRM_PASSWORD},
        {"abc", "", IDS_NEW_PASSWORD_EMPTY, IDC_CONFIRM_PASSWORD},  // empty before short
        {"12345", "12345", IDS_PASSWORD_TOO_SHORT, IDC_NEW_PASSWORD},
        {"123456", "12345", IDS_PASSWORD_TOO_SHORT, IDC_NEW_PASSWORD},
        {"12345", "abcdefgh", IDS_PASSWORD_TOO_SHORT, IDC_NEW_PASSWORD},  // short before different
        {"abcdef", "abcdeg", IDS_PASSWORDS_DIFFER, IDC_NEW_PASSWORD},
        {"abcdef", "ABCDEF", IDS_PASSWORDS_DIFFER, IDC_NEW_PASSWORD},
    };
    SetPasswordDialog dialog;
    dialog.Configure(true, kCameraName);
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(IDS_SET_PASSWORD_FIRST_TITLE);
    ASSERT_NE(nullptr, window);
    for (const NewPasswordCase& c : cases) {
        SCOPED_TRACE(std::string(c.password) + " / " + c.confirmation);
        TypeText(window, IDC_NEW_PASSWORD, c.password);
        TypeText(window, IDC_CONFIRM_PASSWORD, c.confirmation);
        PressButton(window, IDOK);
        ExpectMessage(window, c.message, IDI_EXCLAMATION);
        ASSERT_TRUE(::IsWindowVisible(window)) << "the dialog stays open";
        EXPECT_EQ("", ControlText(window, IDC_NEW_PASSWORD));
        EXPECT_EQ("", ControlText(window, IDC_CONFIRM_PASSWORD));
        EXPECT_EQ(Item(window, c.focus), FocusedControl(window));
    }
    TypeText(window, IDC_NEW_PASSWORD, "secret1");
    TypeText(window, IDC_CONFIRM_PASSWORD, "secret1");
    PressButton(window, IDCANCEL);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDCANCEL, run.result());
    EXPECT_EQ(0u, LockWrites());
    EXPECT_EQ(-1, StoredHash());
    EXPECT_EQ(0, LockState());
}

TEST_F(ParentalDialogs, ChangeAsksTheOldPasswordFirstAndStoresOnlyTheNewHash) {
    StoreHashOf("oldpass1");
    SetLockState(1);
    SetPasswordDialog dialog;
    dialog.Configure(false, kCameraName);
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(IDS_SET_PASSWORD_CHANGE_TITLE);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(Text(IDS_SET_PASSWORD_CHANGE_LABEL), ControlText(window, IDC_SET_PASSWORD_LABEL));
    EXPECT_TRUE(Enabled(window, IDC_OLD_PASSWORD));

    // An empty or wrong old password is refused before the new one is looked at.
    for (const char* old : {"", "oldpass2"}) {
        SCOPED_TRACE(old);
        TypeText(window, IDC_OLD_PASSWORD, old);
        TypeText(window, IDC_NEW_PASSWORD, "");
        TypeText(window, IDC_CONFIRM_PASSWORD, "newpass2");
        PressButton(window, IDOK);
        ExpectMessage(window, IDS_OLD_PASSWORD_WRONG, IDI_EXCLAMATION);
        for (int id : {IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD}) {
            EXPECT_EQ("", ControlText(window, id)) << id;
        }
        EXPECT_EQ(Item(window, IDC_OLD_PASSWORD), FocusedControl(window));
    }

    TypeText(window, IDC_OLD_PASSWORD, "oldpass1");
    TypeText(window, IDC_NEW_PASSWORD, "newpass2");
    TypeText(window, IDC_CONFIRM_PASSWORD, "newpass2");
    PressButton(window, IDOK);
    ExpectMessage(window, IDS_PASSWORD_CHANGED, IDI_INFORMATION);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDOK, run.result());
    EXPECT_EQ(1u, LockWrites()) << "only the hash";
    EXPECT_EQ(3u, LastLockCommand());
    EXPECT_EQ(HashOf("newpass2"), StoredHash());
    EXPECT_EQ(1, LockState());
}

TEST_F(ParentalDialogs, ATypedPasswordStopsAt259Bytes) {
    const std::string typed(300, 'x');
    const std::string kept(259, 'x');
    SetPasswordDialog dialog;
    dialog.Configure(true, kCameraName);
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(IDS_SET_PASSWORD_FIRST_TITLE);
    ASSERT_NE(nullptr, window);
    TypeText(window, IDC_NEW_PASSWORD, typed);
    TypeText(window, IDC_CONFIRM_PASSWORD, typed + "more");
    EXPECT_EQ(259, ::GetWindowTextLengthA(Item(window, IDC_NEW_PASSWORD)));
    PressButton(window, IDOK);
    ExpectMessage(window, IDS_FIRST_PASSWORD_SET, IDI_INFORMATION);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(HashOf(kept), StoredHash()) << "the hash covers exactly what the edit took";
}

TEST_F(ParentalDialogs, AHashTheCameraCannotKeepLeavesTheLockOffAndTheDialogOpen) {
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, testbed::ControlGroup::Vendor, 2053, testbed::kFailKeepHash));
    SetPasswordDialog dialog;
    dialog.Configure(true, kCameraName);
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(IDS_SET_PASSWORD_FIRST_TITLE);
    ASSERT_NE(nullptr, window);
    TypeText(window, IDC_NEW_PASSWORD, "secret1");
    TypeText(window, IDC_CONFIRM_PASSWORD, "secret1");
    PressButton(window, IDOK);
    ExpectMessage(window, IDS_LOCK_WRITE_FAILED, IDI_EXCLAMATION);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(3u, LockWrites()) << "on, the hash, off again";
    EXPECT_EQ(0u, LastLockCommand());
    EXPECT_EQ(0, LockState());
    EXPECT_EQ(-1, StoredHash());

    // Once the camera keeps hashes again, the same OK goes through.
    ASSERT_TRUE(testbed::SetControlFailures(kCamera, testbed::ControlGroup::Vendor, 2053, 0));
    PressButton(window, IDOK);
    ExpectMessage(window, IDS_FIRST_PASSWORD_SET, IDI_INFORMATION);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDOK, run.result());
    EXPECT_EQ(HashOf("secret1"), StoredHash());
    EXPECT_EQ(1, LockState());
}

TEST_F(ParentalDialogs, ACameraGoneBeforeItsLockCameOffAgainIsReportedLocked) {
    SetPasswordDialog dialog;
    dialog.Configure(true, kCameraName);
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(IDS_SET_PASSWORD_FIRST_TITLE);
    ASSERT_NE(nullptr, window);
    TypeNewPassword(window, "secret1");
    RefuseHashSlowly();
    PressButton(window, IDOK);
    UnplugAfterTheHashWrite();
    ExpectMessage(window, IDS_LOCK_LEFT_ON, IDI_EXCLAMATION);
    EXPECT_TRUE(::IsWindowVisible(window)) << "the dialog stays open";
    EXPECT_EQ(2u, LockWrites()) << "on and the hash; the camera was gone for the switch off";
    EXPECT_EQ(3u, LastLockCommand());
    EXPECT_EQ(1, LockState());
    EXPECT_EQ(-1, StoredHash());
    PressButton(window, IDCANCEL);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDCANCEL, run.result());
    EXPECT_EQ(1u, dialog.lock().locked);
}

TEST_F(ParentalDialogs, QuietPromptRefusesWrongPasswordsThenWritesOnAndPromptedSilently) {
    StoreHashOf("secret1");
    PasswordPromptDialog dialog;
    dialog.Configure(true, true, kCameraName);
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(IDS_PROMPT_QUIET_TITLE);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(Text(IDS_PROMPT_QUIET_LABEL), ControlText(window, IDC_PROMPT_LABEL));
    EXPECT_FALSE(Visible(window, IDC_UNLOCK_NOTE));
    EXPECT_TRUE(::GetWindowLongA(Item(window, IDC_PROMPT_PASSWORD), GWL_STYLE) & ES_PASSWORD);

    PressButton(window, IDOK);  // empty
    ExpectMessage(window, IDS_PASSWORD_WRONG, IDI_EXCLAMATION);
    EXPECT_EQ(Item(window, IDC_PROMPT_PASSWORD), FocusedControl(window));
    TypeText(window, IDC_PROMPT_PASSWORD, "secret2");
    PressButton(window, IDOK);
    ExpectMessage(window, IDS_PASSWORD_WRONG, IDI_EXCLAMATION);
    EXPECT_EQ("", ControlText(window, IDC_PROMPT_PASSWORD));
    EXPECT_EQ(Item(window, IDC_PROMPT_PASSWORD), FocusedControl(window));
    EXPECT_EQ(0u, LockWrites());

    TypeText(window, IDC_PROMPT_PASSWORD, "secret1");
    PressButton(window, IDOK);
    ASSERT_TRUE(run.Join()) << "a quiet prompt ends without a message";
    EXPECT_EQ(IDOK, run.result());
    EXPECT_EQ(2u, LockWrites());
    EXPECT_EQ(2u, LastLockCommand()) << "on, then prompted";
    EXPECT_EQ(1, LockState());
}

struct PromptModeCase {
    const char* name;
    bool lock;
    LONG stateBefore;
    UINT title;
    UINT label;
    bool noteVisible;
    UINT done;
    DWORD writes;
    uint32_t lastCommand;
    LONG stateAfter;
};

class PromptModes : public ParentalDialogs, public ::testing::WithParamInterface<PromptModeCase> {};

TEST_P(PromptModes, TitleLabelWritesAndMessageFollowTheMode) {
    const PromptModeCase& c = GetParam();
    StoreHashOf("secret1");
    SetLockState(c.stateBefore);
    PasswordPromptDialog dialog;
    dialog.Configure(c.lock, false, kCameraName);
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(c.title);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(Text(c.label), ControlText(window, IDC_PROMPT_LABEL));
    EXPECT_EQ(c.noteVisible, Visible(window, IDC_UNLOCK_NOTE));
    TypeText(window, IDC_PROMPT_PASSWORD, "secret1");
    PressButton(window, IDOK);
    ExpectMessage(window, c.done, IDI_INFORMATION);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDOK, run.result());
    EXPECT_EQ(c.writes, LockWrites());
    EXPECT_EQ(c.lastCommand, LastLockCommand());
    EXPECT_EQ(c.stateAfter, LockState());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PromptModes,
    ::testing::Values(PromptModeCase{"Unlock", false, 1, IDS_PROMPT_UNLOCK_TITLE, IDS_PROMPT_UNLOCK_LABEL, true,
                                     IDS_LOCK_SWITCHED_OFF, 1, 0, 0},
                      PromptModeCase{"Lock", true, 0, IDS_PROMPT_LOCK_TITLE, IDS_PROMPT_LOCK_LABEL, false,
                                     IDS_LOCK_SWITCHED_ON, 2, 2, 1}),
    [](const ::testing::TestParamInfo<PromptModeCase>& info) { return std::string(info.param.name); });

TEST_F(ParentalDialogs, APromptWhoseCameraWentAwaySaysSoAndQuietEndsWithCancel) {
    StoreHashOf("secret1");
    for (bool quiet : {false, true}) {
        SCOPED_TRACE(quiet ? "quiet" : "from the options");
        ASSERT_TRUE(testbed::PlugVirtualCamera(kCamera));
        PasswordPromptDialog dialog;
        dialog.Configure(true, quiet, kCameraName);
        ModalThread run([&] { return dialog.DoModal(nullptr); });
        HWND window = Shown(quiet ? IDS_PROMPT_QUIET_TITLE : IDS_PROMPT_LOCK_TITLE);
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(testbed::UnplugVirtualCamera(kCamera));
        TypeText(window, IDC_PROMPT_PASSWORD, "secret1");
        PressButton(window, IDOK);
        ExpectMessage(window, IDS_LOCK_WRITE_FAILED, IDI_EXCLAMATION);
        if (quiet) {
            ASSERT_TRUE(run.Join());
            EXPECT_EQ(IDCANCEL, run.result());
        } else {
            EXPECT_TRUE(::IsWindowVisible(window)) << "the dialog stays open";
            PressButton(window, IDCANCEL);
            ASSERT_TRUE(run.Join());
            EXPECT_EQ(IDCANCEL, run.result());
        }
    }
}

// A resource library as the first ones were: the parental lock's templates
// and texts, without the refusals of lock writes. The resource source while
// it lives.
class EarlierLibrary {
public:
    EarlierLibrary() : module_(::LoadLibraryA("EarlierResources.crl")), previous_(ResourceSource()) {
        if (module_) SetResourceSource(module_.get());
    }
    ~EarlierLibrary() {
        if (module_) SetResourceSource(previous_);
    }
    EarlierLibrary(const EarlierLibrary&) = delete;
    EarlierLibrary& operator=(const EarlierLibrary&) = delete;
    bool loaded() const { return static_cast<bool>(module_); }

private:
    UniqueModule module_;
    HMODULE previous_;
};

enum class LockFault {
    HashRefused,             // the set-password dialog switches the lock off again
    HashRefusedThenGone,     // ... and the camera is gone before it can
    GoneBeforeThePassword,   // the prompt reaches no camera
};

struct EarlierLibraryCase {
    const char* name;
    LockFault fault;
    UINT message;
    const char* says;
};

class RefusalsWithAnEarlierLibrary : public ParentalDialogs, public ::testing::WithParamInterface<EarlierLibraryCase> {};

TEST_P(RefusalsWithAnEarlierLibrary, AreToldInTheModulesOwnWords) {
    const EarlierLibraryCase& c = GetParam();
    EarlierLibrary earlier;
    ASSERT_TRUE(earlier.loaded());
    ASSERT_EQ("", Text(c.message)) << "the earlier library lacks the text";
    const char* builtIn = BuiltInParentalText(c.message);
    ASSERT_NE(nullptr, builtIn);

    bool prompt = c.fault == LockFault::GoneBeforeThePassword;
    SetPasswordDialog setPassword;
    setPassword.Configure(true, kCameraName);
    PasswordPromptDialog lockPrompt;
    lockPrompt.Configure(true, false, kCameraName);
    Dialog& dialog = prompt ? static_cast<Dialog&>(lockPrompt) : setPassword;
    if (prompt) StoreHashOf("secret1");
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(prompt ? IDS_PROMPT_LOCK_TITLE : IDS_SET_PASSWORD_FIRST_TITLE);
    ASSERT_NE(nullptr, window);
    if (prompt) {
        ASSERT_TRUE(testbed::UnplugVirtualCamera(kCamera));
        TypeText(window, IDC_PROMPT_PASSWORD, "secret1");
    } else {
        TypeNewPassword(window, "secret1");
        RefuseHashSlowly();
    }
    PressButton(window, IDOK);
    if (c.fault == LockFault::HashRefusedThenGone) UnplugAfterTheHashWrite();
    ExpectMessageText(window, builtIn, IDI_EXCLAMATION);
    EXPECT_NE(std::string::npos, std::string(builtIn).find(c.says));
    EXPECT_TRUE(::IsWindowVisible(window)) << "the dialog stays open";
    PressButton(window, IDCANCEL);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDCANCEL, run.result());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RefusalsWithAnEarlierLibrary,
    ::testing::Values(EarlierLibraryCase{"HashRefused", LockFault::HashRefused, IDS_LOCK_WRITE_FAILED, "nothing was changed"},
                      EarlierLibraryCase{"HashRefusedThenGone", LockFault::HashRefusedThenGone, IDS_LOCK_LEFT_ON, "now locked"},
                      EarlierLibraryCase{"GoneBeforeThePassword", LockFault::GoneBeforeThePassword, IDS_LOCK_WRITE_FAILED,
                                         "nothing was changed"}),
    [](const ::testing::TestParamInfo<EarlierLibraryCase>& info) { return std::string(info.param.name); });

TEST_F(ParentalDialogs, ClosingEitherDialogWritesNothing) {
    StoreHashOf("secret1");
    SetPasswordDialog setPassword;
    setPassword.Configure(false, kCameraName);
    PasswordPromptDialog prompt;
    prompt.Configure(false, false, kCameraName);
    struct {
        Dialog* dialog;
        UINT title;
        int edit;
    } runs[] = {{&setPassword, IDS_SET_PASSWORD_CHANGE_TITLE, IDC_OLD_PASSWORD},
                {&prompt, IDS_PROMPT_UNLOCK_TITLE, IDC_PROMPT_PASSWORD}};
    for (auto& r : runs) {
        ModalThread run([&] { return r.dialog->DoModal(nullptr); });
        HWND window = Shown(r.title);
        ASSERT_NE(nullptr, window);
        TypeText(window, r.edit, "secret1");
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(run.Join());
        EXPECT_EQ(IDCANCEL, run.result());
    }
    EXPECT_EQ(0u, LockWrites());
    EXPECT_EQ(HashOf("secret1"), StoredHash());
}

TEST(PasswordText, IsWipedWhenItGoes) {
    alignas(PasswordText) unsigned char storage[sizeof(PasswordText)];
    auto* text = new (storage) PasswordText;
    // Read from a window that is not there: the buffer still starts clean.
    text->ReadFrom(nullptr, 0);
    EXPECT_TRUE(text->empty());
    std::memset(storage, 'p', sizeof(storage));
    text->~PasswordText();
    for (unsigned char byte : storage) ASSERT_EQ(0, byte);
}

// Runs in its own process with code page 932 (see CMakeLists.txt).
TEST_F(ParentalDialogs, DoubleByteCharactersCountInBytes) {
    if (::GetACP() != 932) {
        ASSERT_EQ(nullptr, std::getenv("PARENTAL_EXPECT_DBCS")) << "the double-byte run did not get code page 932";
        GTEST_SKIP() << "runs in the code page 932 process";
    }
    const std::string three = "\x82\xA0\x82\xA2\x82\xA4";  // three characters, six bytes
    std::string many;
    for (int i = 0; i < 200; ++i) many += "\x82\xA0";
    SetPasswordDialog dialog;
    dialog.Configure(true, kCameraName);
    ModalThread run([&] { return dialog.DoModal(nullptr); });
    HWND window = Shown(IDS_SET_PASSWORD_FIRST_TITLE);
    ASSERT_NE(nullptr, window);

    // 400 bytes typed: the edit keeps the whole characters that fit in 259 bytes.
    TypeText(window, IDC_NEW_PASSWORD, many);
    EXPECT_EQ(many.substr(0, 258), ControlText(window, IDC_NEW_PASSWORD));
    TypeText(window, IDC_NEW_PASSWORD, "");
    ::SetDlgItemTextA(window, IDC_NEW_PASSWORD, "");

    TypeText(window, IDC_NEW_PASSWORD, three);
    TypeText(window, IDC_CONFIRM_PASSWORD, three);
    PressButton(window, IDOK);
    ExpectMessage(window, IDS_FIRST_PASSWORD_SET, IDI_INFORMATION);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(HashOf(three), StoredHash());
}

}  // namespace
