// Every registry value the module reads, as each wrong type and size and
// absent: the default applies, and what the user had stays as it was.
#include "devices/TestBedRegistry.h"
#include "driving/HangLimit.h"
#include "entry/EntryPoints.h"
#include "parental/PasswordHash.h"
#include "reliability/Figures.h"
#include "settings/SettingsStore.h"
#include "support/RunningConsole.h"
#include "support/SeamOverride.h"
#include "support/TestConsole.h"
#include "support/VirtualCameraFixture.h"

#include <windows.h>

#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

constexpr const char* kCamera = "XC0730 Web Camera";

// A registry value as stored: its type and bytes, or absent.
struct Stored {
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool operator==(const Stored& other) const {
        return present == other.present && (!present || (type == other.type && bytes == other.bytes));
    }
};

std::vector<BYTE> Bytes(const void* data, size_t size) {
    auto* begin = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(begin, begin + size);
}

// One wrong form of a 32-bit number: the number's own bytes wherever they
// fit, so a reader that took the value would show it.
struct WrongForm {
    const char* name;
    Stored (*make)(DWORD number);
};

const WrongForm kWrongForms[] = {
    {"absent", [](DWORD) { return Stored{}; }},
    {"binary of four bytes", [](DWORD n) { return Stored{true, REG_BINARY, Bytes(&n, 4)}; }},
    {"text of four bytes", [](DWORD n) { return Stored{true, REG_SZ, Bytes(&n, 4)}; }},
    {"text of the number", [](DWORD n) {
         std::string text = std::to_string(n);
         return Stored{true, REG_SZ, Bytes(text.c_str(), text.size() + 1)};
     }},
    {"expandable text of four bytes", [](DWORD n) { return Stored{true, REG_EXPAND_SZ, Bytes(&n, 4)}; }},
    {"text list", [](DWORD n) {
         std::string text = std::to_string(n);
         text.push_back('\0');
         return Stored{true, REG_MULTI_SZ, Bytes(text.c_str(), text.size() + 1)};
     }},
    {"big-endian number", [](DWORD n) { return Stored{true, REG_DWORD_BIG_ENDIAN, Bytes(&n, 4)}; }},
    {"number of two bytes", [](DWORD n) { return Stored{true, REG_DWORD, Bytes(&n, 2)}; }},
    {"number of no bytes", [](DWORD) { return Stored{true, REG_DWORD, {}}; }},
    {"number of eight bytes", [](DWORD n) {
         ULONGLONG wide = n;
         return Stored{true, REG_DWORD, Bytes(&wide, 8)};
     }},
    {"64-bit number", [](DWORD n) {
         ULONGLONG wide = n;
         return Stored{true, REG_QWORD, Bytes(&wide, 8)};
     }},
    {"no type", [](DWORD n) { return Stored{true, REG_NONE, Bytes(&n, 4)}; }},
    {"binary of 64 KB", [](DWORD n) {
         std::vector<BYTE> bytes;
         for (int i = 0; i < 16384; ++i) bytes.insert(bytes.end(), reinterpret_cast<BYTE*>(&n), reinterpret_cast<BYTE*>(&n) + 4);
         return Stored{true, REG_BINARY, bytes};
     }},
};

// In the view the module reads: under the local machine the 32-bit one.
void Put(HKEY hive, const char* name, const Stored& value) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(hive, kConsoleKey, 0, nullptr, 0, KEY_SET_VALUE | kSharedRegistryView,
                                               nullptr, &key, nullptr));
    ::RegDeleteValueA(key, name);
    if (value.present) {
        EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name, 0, value.type, value.bytes.data(),
                                                  static_cast<DWORD>(value.bytes.size())));
    }
    ::RegCloseKey(key);
}

Stored Get(HKEY hive, const char* name) {
    Stored value;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(hive, kConsoleKey, 0, KEY_QUERY_VALUE | kSharedRegistryView, &key) != ERROR_SUCCESS) {
        return value;
    }
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.present = true;
        value.bytes.resize(size);
        if (::RegQueryValueExA(key, name, nullptr, &value.type, value.bytes.data(), &size) != ERROR_SUCCESS)
            value.bytes.clear();
    }
    ::RegCloseKey(key);
    return value;
}

const char* const kSides[4] = {"CurrentWinPosL", "CurrentWinPosT", "CurrentWinPosR", "CurrentWinPosB"};
constexpr LONG kStoredLeft = 200;
constexpr LONG kStoredTop = 150;
const DWORD kStoredRect[4] = {kStoredLeft, kStoredTop, 210, 150 + 333};

void StoreRectangle() {
    for (int i = 0; i < 4; ++i) Put(HKEY_CURRENT_USER, kSides[i], Stored{true, REG_DWORD, Bytes(&kStoredRect[i], 4)});
}

class SettingValues : public VirtualCameraBed {
protected:
    void SetUp() override {
        VirtualCameraBed::SetUp();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        ::RegDeleteTreeA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey);
        PlugStandardCamera(1, kCamera);
    }
    void TearDown() override {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        ::RegDeleteTreeA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey);
        VirtualCameraBed::TearDown();
    }
};

struct Placement {
    POINT topLeft{};
    bool topmost = false;
    bool panelOpened = false;
};

// Opens the console, notes where and how it showed, closes it.
Placement ShowConsole() {
    Placement placement;
    RunningConsole console;
    placement.panelOpened = console.WaitForFirstShow();
    RECT r{};
    ::GetWindowRect(console.hwnd(), &r);
    placement.topLeft = {r.left, r.top};
    placement.topmost = (::GetWindowLongA(console.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return placement;
}

TEST_F(SettingValues, WrongTypesAndSizesGiveTheDefaultsAndStayAsTheUserLeftThem) {
    reliability::Figures figures;
    Placement standard = ShowConsole();  // nothing stored
    ASSERT_TRUE(standard.panelOpened);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);

    SeamOverride seams;
    seams->runStandaloneConsole = RecordTestConsole;
    int side = 0;
    for (const WrongForm& form : kWrongForms) {
        SCOPED_TRACE(form.name);
        // A stored rectangle with one side in the wrong form: no rectangle.
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        StoreRectangle();
        Put(HKEY_CURRENT_USER, kSides[side], form.make(300));
        Placement oneSideWrong = ShowConsole();
        EXPECT_EQ(standard.topLeft.x, oneSideWrong.topLeft.x) << kSides[side];
        EXPECT_EQ(standard.topLeft.y, oneSideWrong.topLeft.y) << kSides[side];
        side = (side + 1) % 4;
        ++figures.cases;

        // A good rectangle; the always-on-top option and the section states
        // in the wrong form: a normal window and the first section opened.
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
        StoreRectangle();
        const Stored onTop = form.make(1);
        const Stored noAutoLaunch = form.make(1);
        Put(HKEY_CURRENT_USER, "AlwaysOnTop", onTop);
        Put(HKEY_CURRENT_USER, "NoAutoLaunch", noAutoLaunch);
        for (int i = 0; i < 4; ++i) Put(HKEY_CURRENT_USER, ("PanelState" + std::to_string(i)).c_str(), form.make(0));
        Placement options = ShowConsole();
        EXPECT_EQ(kStoredLeft, options.topLeft.x);
        EXPECT_EQ(kStoredTop, options.topLeft.y);
        EXPECT_FALSE(options.topmost);
        EXPECT_TRUE(options.panelOpened);
        ++figures.cases;

        // The option against automatic launches in the wrong form: allowed.
        ResetTestConsole();
        {
            EntryThread launch(EntryThread::kConsole, kCamera);
            EXPECT_TRUE(launch.Join(kHangLimitMs));
        }
        EXPECT_EQ(1, LastTestConsole().runs.load());
        EXPECT_TRUE(LastTestConsole().autoLaunched);
        ++figures.cases;

        // The camera side's password hash in the wrong form: no password.
        const Stored hash = form.make(0);
        Put(HKEY_LOCAL_MACHINE, "Reserved2", hash);
        uint32_t stored = 0;
        EXPECT_FALSE(ReadStoredPasswordHash(&stored));
        EXPECT_FALSE(CheckPassword("secret"));
        ++figures.cases;

        // Nothing the user had was written over.
        for (auto [name, hive, had] : {std::make_tuple("AlwaysOnTop", HKEY_CURRENT_USER, onTop),
                                       std::make_tuple("NoAutoLaunch", HKEY_CURRENT_USER, noAutoLaunch),
                                       std::make_tuple("Reserved2", HKEY_LOCAL_MACHINE, hash)}) {
            bool kept = Get(hive, name) == had;
            EXPECT_TRUE(kept) << name;
            figures.lost += kept ? 0 : 1;
        }
    }
    reliability::Report("setting values", figures);
}

}  // namespace
