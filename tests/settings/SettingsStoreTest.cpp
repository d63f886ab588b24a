// The console key in Wine's real registry.
#include "settings/SettingsStore.h"
#include "settings/WindowPositionStore.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace ostrivan;

namespace {

const char kMakerKey[] = "Software\\Kestrane Tech\\Web Cameras\\XC0730";

bool KeyExists(HKEY hive, const char* path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kConsoleKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                               &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    ::RegCloseKey(key);
}

bool ValueExists(const char* name) {
    return ::RegGetValueA(HKEY_CURRENT_USER, kConsoleKey, name, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey); }
    void TearDown() override { ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey); }
    WindowPositionStore list_;
};

TEST_F(SettingsStore, ReadingFromAFreshUserCreatesTheKeyAndKeepsTheDefault) {
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kConsoleKey));
    DWORD value = 0;
    DWORD size = sizeof(value);
    EXPECT_FALSE(ReadSetting(HKEY_CURRENT_USER, "NoAutoLaunch", nullptr, &value, &size));
    EXPECT_EQ(0u, value);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kConsoleKey));
}

TEST_F(SettingsStore, WrittenNumberReadsBack) {
    EXPECT_TRUE(WriteSettingNumber(HKEY_CURRENT_USER, "AlwaysOnTop", 1));
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    ASSERT_TRUE(ReadSetting(HKEY_CURRENT_USER, "AlwaysOnTop", &type, &value, &size));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(1u, value);
    EXPECT_EQ(4u, size);
}

TEST_F(SettingsStore, NumberOfTheWrongTypeOrSizeLeavesTheDefault) {
    struct Case {
        DWORD type;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {REG_SZ, {'1', 0}},
        {REG_DWORD, {1, 0}},
        {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
        {REG_BINARY, {1, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SetRaw("NoAutoLaunch", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
        DWORD value = 7;
        EXPECT_FALSE(ReadSettingNumber(HKEY_CURRENT_USER, "NoAutoLaunch", &value)) << c.type;
        EXPECT_EQ(7u, value) << c.type;
    }
}

TEST_F(SettingsStore, WindowPositionRoundTripsWithNegativeSides) {
    EXPECT_TRUE(list_.SaveWindowPosition(-1200, -5, -800, 400, kConsoleKey));
    RECT r{};
    ASSERT_TRUE(list_.LoadWindowPosition(kConsoleKey, &r));
    EXPECT_EQ(-1200, r.left);
    EXPECT_EQ(-5, r.top);
    EXPECT_EQ(-800, r.right);
    EXPECT_EQ(400, r.bottom);
}

TEST_F(SettingsStore, PartialWindowPositionFailsWithTheSidesReadFilled) {
    DWORD left = 10, top = 20;
    SetRaw("CurrentWinPosL", REG_DWORD, &left, 4);
    SetRaw("CurrentWinPosT", REG_DWORD, &top, 4);
    RECT r{1, 2, 3, 4};
    EXPECT_FALSE(list_.LoadWindowPosition(kConsoleKey, &r));
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(20, r.top);
    EXPECT_EQ(3, r.right);
    EXPECT_EQ(4, r.bottom);
}

TEST_F(SettingsStore, WindowPositionOfTheWrongSizeIsNotRead) {
    const BYTE shortValue[2] = {5, 0};
    const BYTE longValue[8] = {5, 0, 0, 0, 9, 0, 0, 0};
    for (auto [bytes, size] : {std::pair<const BYTE*, DWORD>{shortValue, 2}, {longValue, 8}}) {
        ASSERT_TRUE(list_.SaveWindowPosition(1, 2, 3, 4, kConsoleKey));
        SetRaw("CurrentWinPosL", REG_DWORD, bytes, size);
        RECT r{-1, -1, -1, -1};
        EXPECT_FALSE(list_.LoadWindowPosition(kConsoleKey, &r)) << size;
        EXPECT_EQ(-1, r.left) << size;
    }
}

TEST_F(SettingsStore, PanelStateValueNamesHaveDecimalIndexes) {
    const std::pair<int, const char*> cases[] = {{0, "PanelState0"}, {3, "PanelState3"}, {12, "PanelState12"}};
    for (auto [index, name] : cases) {
        EXPECT_FALSE(ValueExists(name));
        EXPECT_TRUE(list_.SavePanelState(static_cast<DWORD>(index + 100), kConsoleKey, index));
        EXPECT_TRUE(ValueExists(name)) << name;
        DWORD state = 0;
        EXPECT_TRUE(list_.LoadPanelState(&state, kConsoleKey, index));
        EXPECT_EQ(static_cast<DWORD>(index + 100), state);
    }
    EXPECT_FALSE(ValueExists("PanelState03"));
}

TEST_F(SettingsStore, PanelStateOfTheWrongTypeKeepsTheCallersState) {
    SetRaw("PanelState0", REG_SZ, "1", 2);
    DWORD state = 2;
    EXPECT_FALSE(list_.LoadPanelState(&state, kConsoleKey, 0));
    EXPECT_EQ(2u, state);
}

std::vector<std::string> UserHives() {
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (::RegEnumKeyExA(HKEY_USERS, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name);
    }
    return names;
}

TEST_F(SettingsStore, RemovalForAllUsersDeletesOnlyTheConsoleKey) {
    std::vector<std::string> prepared;
    for (const auto& user : UserHives()) {
        std::string console = user + "\\" + kConsoleKey;
        std::string sibling = user + "\\" + kMakerKey + "\\Driver";
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_USERS, console.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            continue;
        DWORD one = 1;
        ::RegSetValueExA(key, "AlwaysOnTop", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4);
        ::RegCloseKey(key);
        HKEY subkey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_USERS, (console + "\\Nested").c_str(), 0, nullptr, 0,
                                                   KEY_ALL_ACCESS, nullptr, &subkey, nullptr));
        ::RegCloseKey(subkey);
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_USERS, sibling.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                   nullptr, &key, nullptr));
        ::RegCloseKey(key);
        prepared.push_back(user);
    }
    ASSERT_GE(prepared.size(), 2u) << "expected the current user and the default profile";

    EXPECT_TRUE(RemoveSettingsForAllUsers());

    for (const auto& user : prepared) {
        EXPECT_FALSE(KeyExists(HKEY_USERS, (user + "\\" + kConsoleKey).c_str())) << user;
        EXPECT_TRUE(KeyExists(HKEY_USERS, (user + "\\" + kMakerKey + "\\Driver").c_str())) << user;
        EXPECT_TRUE(KeyExists(HKEY_USERS, (user + "\\" + kMakerKey).c_str())) << user;
        ::SHDeleteKeyA(HKEY_USERS, (user + "\\Software\\Kestrane Tech").c_str());
    }
}

}  // namespace
