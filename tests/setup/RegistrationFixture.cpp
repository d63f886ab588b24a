#include "setup/RegistrationFixture.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace testsupport {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool EndsWithModuleName(const std::string& name) {
    static const std::string kSuffix = "\\ostrivan.dll";
    return name.size() >= kSuffix.size() &&
           ::lstrcmpiA(name.c_str() + name.size() - kSuffix.size(), kSuffix.c_str()) == 0;
}

std::vector<std::pair<std::string, std::string>> ModuleLogonEntries() {
    std::vector<std::pair<std::string, std::string>> entries;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
        return entries;
    }
    for (DWORD index = 0;; ++index) {
        char name[1024];
        char data[2048];
        DWORD nameLength = sizeof(name);
        DWORD dataSize = sizeof(data) - 1;
        DWORD type = 0;
        LONG result = ::RegEnumValueA(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                      &dataSize);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS) continue;
        data[dataSize] = '\0';
        if (EndsWithModuleName(name)) entries.emplace_back(name, type == REG_SZ ? std::string(data) : "(not a string)");
    }
    ::RegCloseKey(key);
    return entries;
}

void RemoveModuleLogonEntries() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
        return;
    }
    for (const auto& entry : ModuleLogonEntries()) ::RegDeleteValueA(key, entry.first.c_str());
    ::RegCloseKey(key);
}

void RemoveTree(const std::string& folder) {
    // SHFileOperation wants a list ended by two NULs.
    std::string from = folder;
    while (!from.empty() && from.back() == '\\') from.pop_back();
    from.push_back('\0');
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&operation);
}

}  // namespace

bool PathExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WriteUserFile(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = ::WriteFile(file, "mine", 4, &written, nullptr) && written == 4;
    ::CloseHandle(file);
    return ok;
}

std::vector<std::pair<std::string, std::string>> RegistrationTest::LogonEntries() {
    return ModuleLogonEntries();
}

void RegistrationTest::WriteLogonEntry(const std::string& name, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                                &key, nullptr));
    ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() + 1));
    ::RegCloseKey(key);
}

std::string RegistrationTest::SystemFolder() {
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

std::string RegistrationTest::Wow64SystemFolder() {
    char folder[MAX_PATH] = {};
    ::GetSystemWow64DirectoryA(folder, MAX_PATH);
    return folder;
}

std::string RegistrationTest::ModuleFolder() {
#if defined(_WIN64)
    return SystemFolder();
#else
    return Wow64SystemFolder();
#endif
}

std::string RegistrationTest::OtherModuleFolder() {
#if defined(_WIN64)
    return Wow64SystemFolder();
#else
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\Sysnative";
#endif
}

namespace {

std::string OtherModule() { return RegistrationTest::OtherModuleFolder() + "\\Ostrivan.dll"; }
std::string OtherModuleAside() { return OtherModule() + ".aside"; }

}  // namespace

void RegistrationTest::RestoreOtherModule() {
    if (otherModuleAside_) ::MoveFileExA(OtherModuleAside().c_str(), OtherModule().c_str(), MOVEFILE_REPLACE_EXISTING);
    otherModuleAside_ = false;
}

std::string RegistrationTest::ProgramsFolder() {
    char folder[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

std::string RegistrationTest::ShortcutPath(const std::string& consoleFolder) {
    return MakerFolder() + (consoleFolder.empty() ? "" : consoleFolder + "\\") + ShortcutName();
}

void RegistrationTest::SetUp() {
    CameraTestBed::SetUp();
    // A run stopped part way left it aside: back first.
    if (PathExists(OtherModuleAside())) {
        ::MoveFileExA(OtherModuleAside().c_str(), OtherModule().c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    otherModuleAside_ = PathExists(OtherModule()) &&
                        ::MoveFileExA(OtherModule().c_str(), OtherModuleAside().c_str(), MOVEFILE_REPLACE_EXISTING);
    testbed::ResetCameraManager();
    RemoveTree(MakerFolder());
    RemoveModuleLogonEntries();
}

void RegistrationTest::TearDown() {
    RemoveTree(MakerFolder());
    RemoveModuleLogonEntries();
    testbed::ResetCameraManager();
    if (managerReplaced_) InstallManagerVariant("cammgr");
    managerReplaced_ = false;
    for (const auto& name : hidden_) {
        std::string installed = ModuleFolder() + "\\" + name;
        ::MoveFileExA((installed + ".hidden").c_str(), installed.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    hidden_.clear();
    RestoreOtherModule();
    CameraTestBed::TearDown();
}

int RegistrationTest::Register(const std::string& modulePath) {
    std::string module = modulePath.empty() ? InstalledModule() : modulePath;
    return RunProgram("\"" + ModuleFolder() + "\\regsvr32.exe\" /s \"" + module + "\"");
}

int RegistrationTest::Unregister(const std::string& modulePath) {
    std::string module = modulePath.empty() ? InstalledModule() : modulePath;
    return RunProgram("\"" + ModuleFolder() + "\\regsvr32.exe\" /s /u \"" + module + "\"");
}

void RegistrationTest::AddCameraWithFolder(const std::string& folderName) {
    std::string id = AddCamera(1, "XC0730 Web Camera");
    ASSERT_TRUE(testbed::SetDriverKeyValue(id, "KsConsoleFolder", REG_SZ,
                                           std::string(folderName.c_str(), folderName.size() + 1)));
}

void RegistrationTest::InstallManagerVariant(const std::string& buildFolder) {
    std::string built = ProgramFolder() + buildFolder + "\\KsCamMgr.dll";
    ASSERT_TRUE(::CopyFileA(built.c_str(), (ModuleFolder() + "\\KsCamMgr.dll").c_str(), FALSE)) << built;
    managerReplaced_ = true;
}

void RegistrationTest::HideInstalledFile(const std::string& name) {
    std::string installed = ModuleFolder() + "\\" + name;
    ASSERT_TRUE(::MoveFileExA(installed.c_str(), (installed + ".hidden").c_str(), MOVEFILE_REPLACE_EXISTING));
    hidden_.push_back(name);
}

}  // namespace testsupport
