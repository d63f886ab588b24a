// The session test against a stand-in terminal-services library (loaded from
// this program's folder) and against versions set for a probe program in the
// prefix.
#include "launch/SessionCheck.h"
#include "support/TestBedFixture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

using namespace ostrivan;

namespace {

void SetProtocol(const char* value) { ::SetEnvironmentVariableA("CAMTESTBED_WTS_PROTOCOL", value); }

TEST(SessionAllowsConsole, AnswersFromTheClientProtocol) {
    const std::pair<const char*, bool> cases[] = {
        {"2", true},      // remote desktop, even when not the active console session
        {"0", true},      // the console protocol in the active console session
        {"fail", false},  // the facility cannot be asked
    };
    for (auto [protocol, allowed] : cases) {
        SetProtocol(protocol);
        EXPECT_EQ(allowed, SessionAllowsConsole()) << protocol;
    }
    SetProtocol(nullptr);
}

// Makes the physical console's session another one than this process's, as
// for a user switched away from: the platform's answer is patched in this
// process for the life of the object.
class OtherConsoleSession {
public:
    OtherConsoleSession() {
        DWORD own = 0;
        ::ProcessIdToSessionId(::GetCurrentProcessId(), &own);
        code_ = reinterpret_cast<BYTE*>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "WTSGetActiveConsoleSessionId")));
        if (!code_) return;
        std::memcpy(saved_, code_, sizeof(saved_));
        BYTE patch[sizeof(saved_)] = {0xB8, 0, 0, 0, 0, 0xC3};  // mov eax, session; ret
        DWORD other = own + 1;
        std::memcpy(patch + 1, &other, sizeof(other));
        Write(patch);
    }
    ~OtherConsoleSession() {
        if (code_) Write(saved_);
    }
    OtherConsoleSession(const OtherConsoleSession&) = delete;
    OtherConsoleSession& operator=(const OtherConsoleSession&) = delete;

private:
    void Write(const BYTE* bytes) {
        DWORD old = 0;
        ::VirtualProtect(code_, sizeof(saved_), PAGE_EXECUTE_READWRITE, &old);
        std::memcpy(code_, bytes, sizeof(saved_));
        ::VirtualProtect(code_, sizeof(saved_), old, &old);
        ::FlushInstructionCache(::GetCurrentProcess(), code_, sizeof(saved_));
    }
    BYTE* code_ = nullptr;
    BYTE saved_[6] = {};
};

TEST(SessionAllowsConsole, SessionThatIsNeitherTheConsolesNorRemoteIsRefused) {
    OtherConsoleSession other;
    DWORD own = 0;
    ASSERT_TRUE(::ProcessIdToSessionId(::GetCurrentProcessId(), &own));
    ASSERT_NE(own, ::WTSGetActiveConsoleSessionId()) << "the platform still answers this process's session";
    const std::pair<const char*, bool> cases[] = {
        {"0", false},  // console protocol, but not the physical console's session
        {"2", true},   // remote desktop is allowed in any session
        {"fail", false},
    };
    for (auto [protocol, allowed] : cases) {
        SetProtocol(protocol);
        EXPECT_EQ(allowed, SessionAllowsConsole()) << protocol;
    }
    SetProtocol(nullptr);
}

TEST(SessionAllowsConsole, UsesTheStandInLibrary) {
    HMODULE wtsapi = ::LoadLibraryA("Wtsapi32.dll");
    ASSERT_NE(nullptr, wtsapi);
    char path[MAX_PATH];
    ::GetModuleFileNameA(wtsapi, path, MAX_PATH);
    EXPECT_EQ(0, ::lstrcmpiA((testsupport::ProgramFolder() + "wtsapi32.dll").c_str(), path)) << path;
    ::FreeLibrary(wtsapi);
}

class VersionedProbe : public ::testing::Test {
protected:
    void TearDown() override { SetVersion(nullptr); }
    static void SetVersion(const char* version) {
        const char* key = "Software\\Wine\\AppDefaults\\session_probe.exe";
        if (!version) {
            ::RegDeleteKeyA(HKEY_CURRENT_USER, key);
            return;
        }
        HKEY handle = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                   &handle, nullptr));
        ::RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                         static_cast<DWORD>(strlen(version) + 1));
        ::RegCloseKey(handle);
    }
    // The probe exits with 1 when the console is allowed, 0 when not.
    static int Probe() {
        return testsupport::RunProgram("\"" + testsupport::ProgramFolder() + "session_probe.exe\"",
                                       "CAMTESTBED_WTS_PROTOCOL=fail");
    }
};

TEST_F(VersionedProbe, SystemsOlderThan51AlwaysAllow) {
    SetVersion("win2k");
    EXPECT_EQ(1, Probe());
    SetVersion("win98");  // not the NT family
    EXPECT_EQ(1, Probe());
}

TEST_F(VersionedProbe, CurrentSystemRefusesWhenTheFacilityFails) {
    SetVersion("win7");
    EXPECT_EQ(0, Probe());
}

}  // namespace
