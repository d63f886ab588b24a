// The options dialog against a virtual camera: its two stored options and
// the parental lock's doors, driven through its window and the password
// dialogs it opens.
#include "ResourceIds.h"
#include "devices/VirtualCameraStore.h"
#include "dialogs/OptionsDialog.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "driving/WindowText.h"
#include "driving/WindowWaits.h"
#include "settings/SettingsStore.h"
#include "support/ParentalFixture.h"

#include <shlwapi.h>

#include <optional>
#include <string>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

constexpr char kOptionsTitle[] = "Options";

class OptionsDialogTest : public ParentalBed {
protected:
    void SetUp() override {
        ParentalBed::SetUp();
        ClearOptions();
    }
    void TearDown() override {
        ClearOptions();
        ParentalBed::TearDown();
    }
    static void ClearOptions() {
        ::SHDeleteValueA(HKEY_CURRENT_USER, kConsoleKey, "NoAutoLaunch");
        ::SHDeleteValueA(HKEY_CURRENT_USER, kConsoleKey, "AlwaysOnTop");
    }
    // A number, a text or nothing stored under the name.
    static void StoreOption(const char* name, std::optional<DWORD> number, const char* text = nullptr) {
        if (number) {
            ASSERT_TRUE(WriteSettingNumber(HKEY_CURRENT_USER, name, *number));
        } else if (text) {
            ASSERT_TRUE(WriteSetting(HKEY_CURRENT_USER, name, REG_SZ, text, static_cast<DWORD>(strlen(text) + 1)));
        } else {
            ::SHDeleteValueA(HKEY_CURRENT_USER, kConsoleKey, name);
        }
    }
    static std::optional<DWORD> Option(const char* name) {
        DWORD value = 0;
        if (!ReadSettingNumber(HKEY_CURRENT_USER, name, &value)) return std::nullopt;
        return value;
    }
    // Opens the dialog on its own thread and waits for its window.
    HWND Open() {
        dialog_.SetDeviceName(kCameraName);
        run_.emplace([this] { return dialog_.DoModal(nullptr); });
        HWND window = WaitForTitledWindow(kOptionsTitle);
        EXPECT_NE(nullptr, window);
        return window;
    }
    INT_PTR Close(HWND window, int button) {
        PressButton(window, button);
        EXPECT_TRUE(run_->Join());
        return run_->result();
    }
    static bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    static bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
    template <typename Predicate>
    static bool Eventually(Predicate predicate) {
        return WaitUntil(predicate, kHangLimitMs);
    }

    OptionsDialog dialog_;
    std::optional<ModalThread> run_;
};

struct StoredOptionsCase {
    const char* name;
    std::optional<DWORD> noAutoLaunch;
    const char* noAutoLaunchText;
    std::optional<DWORD> alwaysOnTop;
    const char* alwaysOnTopText;
    bool autoLaunchChecked;
    bool onTopChecked;
};

class StoredOptions : public OptionsDialogTest, public ::testing::WithParamInterface<StoredOptionsCase> {};

TEST_P(StoredOptions, ShowTheValuesAndOkStoresTheBoxes) {
    const StoredOptionsCase& c = GetParam();
    StoreOption("NoAutoLaunch", c.noAutoLaunch, c.noAutoLaunchText);
    StoreOption("AlwaysOnTop", c.alwaysOnTop, c.alwaysOnTopText);
    HWND window = Open();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(c.autoLaunchChecked, Checked(window, IDC_AUTO_LAUNCH));
    EXPECT_EQ(c.onTopChecked, Checked(window, IDC_ALWAYS_ON_TOP));
    EXPECT_EQ(IDOK, Close(window, IDOK));
    EXPECT_EQ(c.autoLaunchChecked ? 0u : 1u, Option("NoAutoLaunch"));
    EXPECT_EQ(c.onTopChecked ? 1u : 0u, Option("AlwaysOnTop"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredOptions,
    ::testing::Values(StoredOptionsCase{"Absent", std::nullopt, nullptr, std::nullopt, nullptr, true, false},
                      StoredOptionsCase{"Zero", 0u, nullptr, 0u, nullptr, true, false},
                      StoredOptionsCase{"One", 1u, nullptr, 1u, nullptr, false, true},
                      StoredOptionsCase{"OnTopFive", 0u, nullptr, 5u, nullptr, true, true},
                      StoredOptionsCase{"NoAutoLaunchSeven", 7u, nullptr, 0u, nullptr, false, false},
                      StoredOptionsCase{"WrongType", std::nullopt, "1", std::nullopt, "1", true, false}),
    [](const ::testing::TestParamInfo<StoredOptionsCase>& info) { return std::string(info.param.name); });

TEST_F(OptionsDialogTest, CancelAfterChangingBothBoxesLeavesBothValues) {
    StoreOption("NoAutoLaunch", 0u);
    StoreOption("AlwaysOnTop", 5u);
    HWND window = Open();
    ASSERT_NE(nullptr, window);
    PressButton(window, IDC_AUTO_LAUNCH);
    PressButton(window, IDC_ALWAYS_ON_TOP);
    EXPECT_TRUE(Eventually([&] { return !Checked(window, IDC_AUTO_LAUNCH) && !Checked(window, IDC_ALWAYS_ON_TOP); }));
    EXPECT_EQ(IDCANCEL, Close(window, IDCANCEL));
    EXPECT_EQ(0u, Option("NoAutoLaunch"));
    EXPECT_EQ(5u, Option("AlwaysOnTop"));
}

TEST_F(OptionsDialogTest, TheFirstPasswordThroughTheToggleEnablesChangeAtOnce) {
    HWND window = Open();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(Enabled(window, IDC_LOCK_TOGGLE));
    EXPECT_FALSE(Enabled(window, IDC_CHANGE_PASSWORD)) << "no password stored";
    EXPECT_EQ(Text(IDS_LOCK_BUTTON_OFF), ControlText(window, IDC_LOCK_TOGGLE));

    PressButton(window, IDC_LOCK_TOGGLE);
    HWND setPassword = WaitForTitledWindow(Text(IDS_SET_PASSWORD_FIRST_TITLE));
    ASSERT_NE(nullptr, setPassword);
    EXPECT_EQ(window, ::GetWindow(setPassword, GW_OWNER));
    TypeText(setPassword, IDC_NEW_PASSWORD, "secret1");
    TypeText(setPassword, IDC_CONFIRM_PASSWORD, "secret1");
    PressButton(setPassword, IDOK);
    ExpectMessage(setPassword, IDS_FIRST_PASSWORD_SET, IDI_INFORMATION);
    ASSERT_TRUE(WaitUntilGone(setPassword));

    // The text changes last.
    EXPECT_TRUE(Eventually([&] { return ControlText(window, IDC_LOCK_TOGGLE) == Text(IDS_LOCK_BUTTON_ON); }));
    EXPECT_TRUE(Enabled(window, IDC_CHANGE_PASSWORD));
    EXPECT_TRUE(dialog_.lockShownOnForTesting());
    EXPECT_EQ(1, LockState());
    EXPECT_EQ(HashOf("secret1"), StoredHash());

    // The change button opens the set-password dialog in change mode.
    PressButton(window, IDC_CHANGE_PASSWORD);
    HWND change = WaitForTitledWindow(Text(IDS_SET_PASSWORD_CHANGE_TITLE));
    ASSERT_NE(nullptr, change);
    PressButton(change, IDCANCEL);
    ASSERT_TRUE(WaitUntilGone(change));
    EXPECT_EQ(IDCANCEL, Close(window, IDCANCEL));
}

TEST_F(OptionsDialogTest, AFirstPasswordThatLeftTheLockOnShowsItOnTheToggle) {
    HWND window = Open();
    ASSERT_NE(nullptr, window);
    PressButton(window, IDC_LOCK_TOGGLE);
    HWND setPassword = WaitForTitledWindow(Text(IDS_SET_PASSWORD_FIRST_TITLE));
    ASSERT_NE(nullptr, setPassword);
    TypeNewPassword(setPassword, "secret1");
    RefuseHashSlowly();
    PressButton(setPassword, IDOK);
    UnplugAfterTheHashWrite();
    ExpectMessage(setPassword, IDS_LOCK_LEFT_ON, IDI_EXCLAMATION);
    PressButton(setPassword, IDCANCEL);
    ASSERT_TRUE(WaitUntilGone(setPassword));

    EXPECT_TRUE(Eventually([&] { return ControlText(window, IDC_LOCK_TOGGLE) == Text(IDS_LOCK_BUTTON_ON); }));
    EXPECT_TRUE(dialog_.lockShownOnForTesting());
    EXPECT_FALSE(Enabled(window, IDC_CHANGE_PASSWORD)) << "no password stored";
    EXPECT_EQ(1, LockState());
    EXPECT_EQ(IDCANCEL, Close(window, IDCANCEL));
}

TEST_F(OptionsDialogTest, TheToggleSwitchesALockedCameraOffAndOnAgainBehindThePassword) {
    StoreHashOf("secret1");
    SetLockState(1);
    HWND window = Open();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(Enabled(window, IDC_CHANGE_PASSWORD));
    EXPECT_EQ(Text(IDS_LOCK_BUTTON_ON), ControlText(window, IDC_LOCK_TOGGLE));

    const struct {
        UINT title;
        UINT done;
        UINT buttonAfter;
        LONG stateAfter;
    } steps[] = {{IDS_PROMPT_UNLOCK_TITLE, IDS_LOCK_SWITCHED_OFF, IDS_LOCK_BUTTON_OFF, 0},
                 {IDS_PROMPT_LOCK_TITLE, IDS_LOCK_SWITCHED_ON, IDS_LOCK_BUTTON_ON, 1}};
    for (const auto& step : steps) {
        SCOPED_TRACE(Text(step.title));
        PressButton(window, IDC_LOCK_TOGGLE);
        HWND prompt = WaitForTitledWindow(Text(step.title));
        ASSERT_NE(nullptr, prompt);
        TypeText(prompt, IDC_PROMPT_PASSWORD, "secret1");
        PressButton(prompt, IDOK);
        ExpectMessage(prompt, step.done, IDI_INFORMATION);
        ASSERT_TRUE(WaitUntilGone(prompt));
        EXPECT_TRUE(Eventually([&] { return ControlText(window, IDC_LOCK_TOGGLE) == Text(step.buttonAfter); }));
        EXPECT_EQ(step.stateAfter, LockState());
    }
    EXPECT_EQ(IDOK, Close(window, IDOK));
}

TEST_F(OptionsDialogTest, ACameraWithoutTheLockPropertyDisablesBothLockButtonsOnly) {
    StoreHashOf("secret1");
    ASSERT_TRUE(testbed::WithdrawControl(kCamera, testbed::ControlGroup::Vendor, 2053));
    HWND window = Open();
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(Enabled(window, IDC_LOCK_TOGGLE));
    EXPECT_FALSE(Enabled(window, IDC_CHANGE_PASSWORD));
    PressButton(window, IDC_ALWAYS_ON_TOP);
    EXPECT_EQ(IDOK, Close(window, IDOK));  // posted after the click, so handled after it
    EXPECT_EQ(1u, Option("AlwaysOnTop"));
}

TEST_F(OptionsDialogTest, ACameraUnpluggedBeforeTheToggleOpensNothing) {
    StoreHashOf("secret1");
    HWND window = Open();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(Enabled(window, IDC_LOCK_TOGGLE));
    ASSERT_TRUE(testbed::UnplugVirtualCamera(kCamera));
    PressButton(window, IDC_LOCK_TOGGLE);
    ASSERT_TRUE(Eventually([&] { return !Enabled(window, IDC_LOCK_TOGGLE); }));
    EXPECT_FALSE(Enabled(window, IDC_CHANGE_PASSWORD));
    EXPECT_EQ(nullptr, AnyWindow().Titled(Text(IDS_PROMPT_LOCK_TITLE)).EvenHidden().Find());
    EXPECT_EQ(nullptr, AnyWindow().Titled(Text(IDS_PROMPT_UNLOCK_TITLE)).EvenHidden().Find());
    EXPECT_EQ(0u, LockWrites());
    EXPECT_EQ(IDCANCEL, Close(window, IDCANCEL));
}

TEST_F(OptionsDialogTest, ClosingTheDialogClosesAnOpenPasswordDialogFirst) {
    HWND window = Open();
    ASSERT_NE(nullptr, window);
    PressButton(window, IDC_LOCK_TOGGLE);
    HWND setPassword = WaitForTitledWindow(Text(IDS_SET_PASSWORD_FIRST_TITLE));
    ASSERT_NE(nullptr, setPassword);
    TypeText(setPassword, IDC_NEW_PASSWORD, "secret1");
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run_->Join());
    EXPECT_EQ(IDCANCEL, run_->result());
    EXPECT_FALSE(::IsWindow(setPassword));
    EXPECT_EQ(0u, LockWrites());
    EXPECT_EQ(-1, StoredHash());
}

}  // namespace
