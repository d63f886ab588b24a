// regsvr32 and regsvr32 /u on the installed module: the shortcut, the camera
// manager's commands and blocks, the logon retry entry, and what removal
// leaves behind.
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "launch/KernelObjectNames.h"
#include "setup/RegistrationFixture.h"
#include "support/NamedObjectProbe.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>

using namespace driving;
using namespace testsupport;

namespace {

constexpr const char* kConsoleFolder = "XC0730 Camera";
constexpr const char* kConsoleKey = "Software\\Kestrane Tech\\Web Cameras\\XC0730\\Console";

// The blocks the manager must see, laid out by hand from their published form.
std::vector<uint8_t> ExpectedNameBlock() {
    std::vector<uint8_t> block(1 * 144 + 152, 0);
    block[0] = 0x01, block[1] = 0x01;  // version 0x101
    block[4] = 1;                      // count
    std::memcpy(&block[8], "CustomViewWin", 13);
    return block;
}

std::vector<uint8_t> ExpectedDeviceBlock(uint32_t entries) {
    std::vector<uint8_t> block(entries * 388 + 784, 0);
    block[0] = 0x01, block[1] = 0x01;
    std::memcpy(&block[8], "{6bdd1fc6-810f-11d0-bec7-08002be2092f}", 38);
    std::memcpy(&block[72], "USB\\VID_F9E2&PID_7A31&MI_00", 27);
    block[392] = static_cast<uint8_t>(entries);
    if (entries) std::memcpy(&block[396], "CustomViewWin", 13);
    return block;
}

std::vector<uint32_t> Commands(const std::vector<testbed::ManagerCall>& calls) {
    std::vector<uint32_t> commands;
    for (const auto& call : calls) commands.push_back(call.command);
    return commands;
}

struct Shortcut {
    bool loaded = false;
    std::string path, arguments, description, iconFile;
    int iconIndex = -1;
};

Shortcut ReadShortcut(const std::string& linkPath) {
    Shortcut result;
    ::CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                     reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        wchar_t wide[MAX_PATH] = {};
        ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(wide, STGM_READ))) {
            char text[1024] = {};
            result.loaded = true;
            if (SUCCEEDED(link->GetPath(text, sizeof(text), nullptr, SLGP_RAWPATH))) result.path = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetArguments(text, sizeof(text)))) result.arguments = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetDescription(text, sizeof(text)))) result.description = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetIconLocation(text, sizeof(text), &result.iconIndex))) result.iconFile = text;
        }
        if (file) file->Release();
        link->Release();
    }
    ::CoUninitialize();
    return result;
}

bool SameText(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

TEST_F(RegistrationTest, FullRegistrationMakesTheShortcutAnnouncesTheConsoleAndDropsAnOlderLogonEntry) {
    AddCameraWithFolder(kConsoleFolder);
    WriteLogonEntry(InstalledModule(), "left by an earlier failure");

    EXPECT_EQ(0, Register());

    Shortcut shortcut = ReadShortcut(ShortcutPath(kConsoleFolder));
    ASSERT_TRUE(shortcut.loaded) << ShortcutPath(kConsoleFolder);
#if defined(_WIN64)
    // The x64 module alone: its own launcher, "rundll32.exe" of its system
    // folder (this Wine's links keep the name resolved to the full path).
    EXPECT_TRUE(shortcut.path == "rundll32.exe" || SameText(SystemFolder() + "\\rundll32.exe", shortcut.path))
        << shortcut.path;
#else
    // A 32-bit module on a 64-bit system: the 32-bit launcher.
    EXPECT_TRUE(SameText(Wow64SystemFolder() + "\\RunDLL32.exe", shortcut.path)) << shortcut.path;
#endif
    EXPECT_EQ("Ostrivan.dll,ksCVWConsoleRunDLL32EP", shortcut.arguments);
    EXPECT_EQ("Kestrane XC0730 Camera Console", shortcut.description);
    EXPECT_TRUE(SameText(ModuleFolder() + "\\Ostrivan.crl", shortcut.iconFile)) << shortcut.iconFile;
    EXPECT_EQ(4, shortcut.iconIndex);
    HICON icon = nullptr;
    EXPECT_EQ(1u, ::ExtractIconExA(shortcut.iconFile.c_str(), 4, &icon, nullptr, 1)) << "no icon at index 4";
    if (icon) ::DestroyIcon(icon);

    auto calls = testbed::RecordedManagerCalls();
    ASSERT_EQ((std::vector<uint32_t>{0x202, 0x204, 0x206, 0x203}), Commands(calls));
    EXPECT_TRUE(calls[0].block.empty());
    EXPECT_EQ(ExpectedNameBlock(), calls[1].block);
    EXPECT_EQ(ExpectedDeviceBlock(1), calls[2].block);
    EXPECT_TRUE(calls[3].block.empty());

    EXPECT_TRUE(LogonEntries().empty());
}

TEST_F(RegistrationTest, AShortcutThatAlreadyExistsIsReplaced) {
    AddCameraWithFolder(kConsoleFolder);
    ASSERT_TRUE(::SHCreateDirectoryExA(nullptr, (MakerFolder() + kConsoleFolder).c_str(), nullptr) == ERROR_SUCCESS);
    std::string path = ShortcutPath(kConsoleFolder);
    ASSERT_TRUE(WriteUserFile(path));

    EXPECT_EQ(0, Register());

    EXPECT_TRUE(ReadShortcut(path).loaded);
    EXPECT_TRUE(LogonEntries().empty());
}

TEST_F(RegistrationTest, WithoutAFolderNameTheShortcutLiesInTheMakersFolder) {
    AddCamera(1, "XC0730 Web Camera");
    ASSERT_TRUE(testbed::SetDriverKeyValue(InstanceId(1), "DriverDesc", REG_SZ, std::string("camera", 7)));

    EXPECT_EQ(0, Register());

    EXPECT_TRUE(ReadShortcut(ShortcutPath("")).loaded);
    EXPECT_TRUE(LogonEntries().empty());
}

// Each case fails one step; the console is still registered as far as it
// goes, and the logon entry is left, quoted, to try again.
struct FailureCase {
    const char* name;
    enum Manager { Answers, Absent, NoEntryPoint, RefusesOpen, RefusesDevice } manager;
    bool camera;
    DWORD folderType;
    std::string folderValue;  // bytes of "KsConsoleFolder"
    bool shortcutMade;
};

std::string Text(const std::string& s) { return std::string(s.c_str(), s.size() + 1); }

const FailureCase kFailures[] = {
    {"manager absent", FailureCase::Absent, true, REG_SZ, Text(kConsoleFolder), true},
    {"manager lacks its entry point", FailureCase::NoEntryPoint, true, REG_SZ, Text(kConsoleFolder), true},
    {"manager fails to open", FailureCase::RefusesOpen, true, REG_SZ, Text(kConsoleFolder), true},
    {"manager refuses the device", FailureCase::RefusesDevice, true, REG_SZ, Text(kConsoleFolder), true},
    {"no camera device", FailureCase::Answers, false, REG_SZ, "", false},
    {"folder name climbs out", FailureCase::Answers, true, REG_SZ, Text("..\\Escaped"), false},
    {"folder name with a slash", FailureCase::Answers, true, REG_SZ, Text("Nested/Escaped"), false},
    {"folder name with a drive", FailureCase::Answers, true, REG_SZ, Text("C:Escaped"), false},
    {"folder name is a number", FailureCase::Answers, true, REG_DWORD, std::string("\x01\0\0\0", 4), false},
    {"folder name of 260 bytes", FailureCase::Answers, true, REG_SZ, std::string(260, 'F'), false},
    {"folder name of 259 characters", FailureCase::Answers, true, REG_SZ, Text(std::string(259, 'F')), false},
};

TEST_F(RegistrationTest, EachFailingStepLeavesAQuotedLogonEntry) {
    std::string escaped = ProgramsFolder() + "\\Escaped";
    for (const auto& c : kFailures) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        if (c.camera) {
            AddCamera(1, "XC0730 Web Camera");
            ASSERT_TRUE(testbed::SetDriverKeyValue(InstanceId(1), "KsConsoleFolder", c.folderType, c.folderValue));
        }
        switch (c.manager) {
        case FailureCase::Answers: break;
        case FailureCase::Absent: ASSERT_TRUE(testbed::SetCameraManagerAbsent(true)); break;
        case FailureCase::NoEntryPoint: InstallManagerVariant("cammgr-noentry"); break;
        case FailureCase::RefusesOpen: ASSERT_TRUE(testbed::SetCameraManagerRefusal(0x202)); break;
        case FailureCase::RefusesDevice: ASSERT_TRUE(testbed::SetCameraManagerRefusal(0x206)); break;
        }

        Register();

        auto entries = LogonEntries();
        ASSERT_EQ(1u, entries.size());
        EXPECT_TRUE(SameText(InstalledModule(), entries[0].first)) << entries[0].first;
        EXPECT_TRUE(SameText("\"" + SystemFolder() + "\\RegSvr32.exe\" /s \"" + entries[0].first + "\"",
                             entries[0].second))
            << entries[0].second;
        EXPECT_EQ(c.shortcutMade, ReadShortcut(ShortcutPath(kConsoleFolder)).loaded);
        EXPECT_FALSE(PathExists(escaped));
        EXPECT_FALSE(PathExists(MakerFolder() + "Nested"));
    }
}

TEST_F(RegistrationTest, AFileInThePlaceOfTheMakersFolderFailsTheShortcut) {
    AddCameraWithFolder(kConsoleFolder);
    ASSERT_TRUE(WriteUserFile(ProgramsFolder() + "\\Kestrane"));

    Register();

    EXPECT_EQ(1u, LogonEntries().size());
    ::DeleteFileA((ProgramsFolder() + "\\Kestrane").c_str());
}

TEST_F(RegistrationTest, WithoutTheResourceLibraryNoShortcutIsMade) {
    AddCameraWithFolder(kConsoleFolder);
    HideInstalledFile("Ostrivan.crl");

    Register();

    EXPECT_FALSE(PathExists(MakerFolder() + kConsoleFolder));
    EXPECT_FALSE(PathExists(MakerFolder() + "Kestrane .lnk"));
    EXPECT_EQ(1u, LogonEntries().size());
}

// A module in a folder with a space: the retry runs that module, and its
// removal finds the entry again by the module's path.
TEST_F(RegistrationTest, SpacesInTheModulesPathStayInsideTheLogonCommand) {
    AddCameraWithFolder(kConsoleFolder);
    ASSERT_TRUE(testbed::SetCameraManagerAbsent(true));
    char programFiles[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles)));
    std::string folder = std::string(programFiles) + "\\Kestrane Test Copy";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string module = folder + "\\Ostrivan.dll";
    ASSERT_TRUE(::CopyFileA(InstalledModule().c_str(), module.c_str(), FALSE));

    Register(module);

    auto entries = LogonEntries();
    ASSERT_EQ(1u, entries.size());
    EXPECT_TRUE(SameText(module, entries[0].first)) << entries[0].first;
    EXPECT_TRUE(SameText("\"" + SystemFolder() + "\\RegSvr32.exe\" /s \"" + module + "\"", entries[0].second))
        << entries[0].second;

    Unregister(module);
    EXPECT_TRUE(LogonEntries().empty());
    ::DeleteFileA(module.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(RegistrationTest, TheExportsReportSuccessAndFailure) {
    HMODULE module = ::LoadLibraryA(InstalledModule().c_str());
    ASSERT_NE(nullptr, module);
    using Export = HRESULT(__stdcall*)();
    auto registerServer = reinterpret_cast<Export>(reinterpret_cast<void*>(::GetProcAddress(module, "DllRegisterServer")));
    auto unregisterServer =
        reinterpret_cast<Export>(reinterpret_cast<void*>(::GetProcAddress(module, "DllUnregisterServer")));
    ASSERT_NE(nullptr, registerServer);
    ASSERT_NE(nullptr, unregisterServer);

    AddCameraWithFolder(kConsoleFolder);
    EXPECT_EQ(0, registerServer());
    EXPECT_EQ(0, unregisterServer());
    ASSERT_TRUE(testbed::SetCameraManagerRefusal(0x206));
    EXPECT_EQ(1, registerServer());
    ASSERT_TRUE(testbed::SetCameraManagerAbsent(true));
    EXPECT_EQ(1, unregisterServer());
    ::FreeLibrary(module);
}

TEST_F(RegistrationTest, RemovalDeletesOnlyTheShortcutFromAFolderHoldingAUsersFile) {
    AddCameraWithFolder(kConsoleFolder);
    ASSERT_EQ(0, Register());
    std::string usersFile = MakerFolder() + kConsoleFolder + "\\notes.txt";
    ASSERT_TRUE(WriteUserFile(usersFile));
    testbed::ResetCameraManager();

    EXPECT_EQ(0, Unregister());

    EXPECT_FALSE(PathExists(ShortcutPath(kConsoleFolder)));
    EXPECT_TRUE(PathExists(usersFile));
    auto calls = testbed::RecordedManagerCalls();
    ASSERT_EQ((std::vector<uint32_t>{0x202, 0x207, 0x205, 0x203}), Commands(calls));
    EXPECT_EQ(ExpectedDeviceBlock(0), calls[1].block);
    EXPECT_EQ(ExpectedNameBlock(), calls[2].block);
}

TEST_F(RegistrationTest, RemovalTakesAwayTheFoldersItLeavesEmpty) {
    AddCameraWithFolder(kConsoleFolder);
    ASSERT_EQ(0, Register());
    ASSERT_TRUE(PathExists(ShortcutPath(kConsoleFolder)));

    EXPECT_EQ(0, Unregister());

    EXPECT_FALSE(PathExists(MakerFolder()));
}

TEST_F(RegistrationTest, RemovalWithoutAFolderNameTouchesNothingBelowTheMakersFolderButTheShortcut) {
    ASSERT_TRUE(::SHCreateDirectoryExA(nullptr, (MakerFolder() + "Other").c_str(), nullptr) == ERROR_SUCCESS);
    ASSERT_TRUE(WriteUserFile(MakerFolder() + "Other\\" + ShortcutName()));
    ASSERT_TRUE(WriteUserFile(ShortcutPath("")));

    EXPECT_EQ(0, Unregister());

    EXPECT_FALSE(PathExists(ShortcutPath("")));
    EXPECT_TRUE(PathExists(MakerFolder() + "Other\\" + ShortcutName()));
}

TEST_F(RegistrationTest, RemovalWithoutTheManagerRemovesOnlyTheLogonEntry) {
    AddCameraWithFolder(kConsoleFolder);
    ASSERT_TRUE(testbed::SetCameraManagerAbsent(true));
    Register();
    ASSERT_EQ(1u, LogonEntries().size());

    Unregister();

    EXPECT_TRUE(LogonEntries().empty());
    EXPECT_TRUE(PathExists(ShortcutPath(kConsoleFolder)));
}

TEST_F(RegistrationTest, RemovalClosesARunningStandaloneConsoleAndEveryUsersSettings) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kConsoleKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                               &key, nullptr));
    ::RegCloseKey(key);
    std::string otherUser = std::string(".DEFAULT\\") + kConsoleKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_USERS, otherUser.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                               &key, nullptr));
    ::RegCloseKey(key);
    std::string sibling = "Software\\Kestrane Tech\\Web Cameras\\XC0730\\Driver";
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, sibling.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key, nullptr));
    ::RegCloseKey(key);

    AddCameraWithFolder(kConsoleFolder);
    HANDLE console = StartProgram("rundll32.exe Ostrivan.dll,ksCVWConsoleRunDLL32EP /stay XC0730 Web Camera");
    ASSERT_NE(nullptr, console);
    // Running once its Quit event exists.
    ASSERT_TRUE(WaitUntil([] { return EventExists(ostrivan::kQuitEventName); })) << "the console did not start";

    EXPECT_EQ(0, Unregister());

    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(console, kHangLimitMs)) << "the console is still running";
    ::CloseHandle(console);
    HKEY probe = nullptr;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kConsoleKey, 0, KEY_READ, &probe));
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_USERS, otherUser.c_str(), 0, KEY_READ, &probe));
    EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, sibling.c_str(), 0, KEY_READ, &probe));
    if (probe) ::RegCloseKey(probe);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Kestrane Tech\\Web Cameras\\XC0730\\Driver");
    ::SHDeleteKeyA(HKEY_USERS, ".DEFAULT\\Software\\Kestrane Tech");
}

// Both modules installed, as on a 64-bit system that holds both.
TEST_F(RegistrationTest, BothModulesMakeTheOneShortcutThatStartsTheX86Module) {
    RestoreOtherModule();
    if (!PathExists(OtherModuleFolder() + "\\Ostrivan.dll")) GTEST_SKIP() << "the other module is not installed";
    AddCameraWithFolder(kConsoleFolder);

    EXPECT_EQ(0, Register());

    Shortcut shortcut = ReadShortcut(ShortcutPath(kConsoleFolder));
    ASSERT_TRUE(shortcut.loaded);
    EXPECT_TRUE(SameText(Wow64SystemFolder() + "\\RunDLL32.exe", shortcut.path)) << shortcut.path;
    EXPECT_TRUE(SameText(Wow64SystemFolder() + "\\Ostrivan.crl", shortcut.iconFile)) << shortcut.iconFile;
    EXPECT_EQ("Ostrivan.dll,ksCVWConsoleRunDLL32EP", shortcut.arguments);
}

TEST_F(RegistrationTest, RemovalWhileTheOtherModuleIsInstalledLeavesItsShortcutAndSettings) {
    RestoreOtherModule();
    if (!PathExists(OtherModuleFolder() + "\\Ostrivan.dll")) GTEST_SKIP() << "the other module is not installed";
    AddCameraWithFolder(kConsoleFolder);
    ASSERT_EQ(0, Register());
    WriteLogonEntry(InstalledModule(), "this module's own");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kConsoleKey, 0, nullptr, 0,
                                               KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr));
    ::RegCloseKey(key);
    testbed::ResetCameraManager();

    EXPECT_EQ(0, Unregister());

    EXPECT_TRUE(LogonEntries().empty()) << "its own logon entry goes";
    EXPECT_TRUE(PathExists(ShortcutPath(kConsoleFolder))) << "the other module still needs the shortcut";
    EXPECT_TRUE(testbed::RecordedManagerCalls().empty()) << "the manager's record stays for the other module";
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kConsoleKey, 0, KEY_READ | KEY_WOW64_32KEY, &key))
        << "the settings stay";
    ::RegCloseKey(key);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kConsoleKey);
}

}  // namespace
