// The password hash from the platform's MD5 and the check against the hash
// stored in the local-machine "Reserved2" value.
#include "parental/PasswordHash.h"

#include "base/UniqueHandle.h"
#include "devices/TestBedRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

using namespace ostrivan;
using ostrivan::UniqueKey;

namespace {

struct HashCase {
    const char* name;
    std::string text;
    uint32_t hash;  // from RFC 1321 digests computed elsewhere
};

class Hash : public ::testing::TestWithParam<HashCase> {};

TEST_P(Hash, SumsTheWeightedDigestBytes) {
    uint32_t hash = 0;
    ASSERT_TRUE(PasswordHash(GetParam().text.c_str(), &hash));
    EXPECT_EQ(GetParam().hash, hash);
    EXPECT_LT(hash, 32768u);
}

INSTANTIATE_TEST_SUITE_P(Cases, Hash,
                         ::testing::Values(HashCase{"Abc", "abc", 15605}, HashCase{"Empty", "", 16228},
                                           // 259 bytes, the longest password typed, hash all bytes.
                                           HashCase{"Longest", std::string(259, 'a'), 21788},
                                           HashCase{"OneShorter", std::string(258, 'a'), 13711}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HashRefuses, NullArguments) {
    uint32_t hash = 7;
    EXPECT_FALSE(PasswordHash(nullptr, &hash));
    EXPECT_EQ(7u, hash);
    EXPECT_FALSE(PasswordHash("abc", nullptr));
}

class CheckPasswordTest : public ::testing::Test {
protected:
    void SetUp() override { Forget(); }
    void TearDown() override { Forget(); }

    static void Store(DWORD hash) {
        UniqueKey key;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey, 0, nullptr, 0,
                                                   KEY_SET_VALUE, nullptr, key.put(), nullptr));
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key.get(), testbed::kPasswordHashValue, 0, REG_DWORD,
                                                  reinterpret_cast<const BYTE*>(&hash), sizeof(hash)));
    }
    static void Forget() {
        UniqueKey key;
        if (::RegOpenKeyExA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey, 0, KEY_SET_VALUE, key.put()) ==
            ERROR_SUCCESS) {
            ::RegDeleteValueA(key.get(), testbed::kPasswordHashValue);
        }
    }
};

// Points this user's default full RSA provider at one that does not exist,
// so the cryptographic services cannot give a digest; undone on destruction.
class BrokenCryptography {
public:
    BrokenCryptography() {
        UniqueKey key;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, kUserProviderKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                              nullptr) == ERROR_SUCCESS) {
            const char name[] = "No Such Cryptographic Provider";
            ::RegSetValueExA(key.get(), "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof(name));
        }
    }
    ~BrokenCryptography() { ::RegDeleteKeyA(HKEY_CURRENT_USER, kUserProviderKey); }
    BrokenCryptography(const BrokenCryptography&) = delete;
    BrokenCryptography& operator=(const BrokenCryptography&) = delete;

private:
    static constexpr const char* kUserProviderKey = "Software\\Microsoft\\Cryptography\\Provider Type 001";
};

TEST_F(CheckPasswordTest, MatchesOnlyTheStoredHash) {
    Store(15605);
    uint32_t stored = 0;
    ASSERT_TRUE(ReadStoredPasswordHash(&stored));
    EXPECT_EQ(15605u, stored);
    EXPECT_TRUE(CheckPassword("abc"));
    EXPECT_FALSE(CheckPassword("ABC"));
    EXPECT_FALSE(CheckPassword("abcd"));
    EXPECT_FALSE(CheckPassword(nullptr));
}

TEST_F(CheckPasswordTest, EmptyTextNeverPasses) {
    Store(16228);  // the hash of the empty text
    EXPECT_FALSE(CheckPassword(""));
}

TEST_F(CheckPasswordTest, MissingStoredHashFailsEveryText) {
    uint32_t stored = 5;
    EXPECT_FALSE(ReadStoredPasswordHash(&stored));
    EXPECT_EQ(5u, stored);
    for (const char* text : {"abc", "a", "0", " ", "password"}) EXPECT_FALSE(CheckPassword(text)) << text;
    Store(0);  // a stored 0 matches nothing either: every hash is at least 8
    for (const char* text : {"abc", "a", "0", " ", "password"}) EXPECT_FALSE(CheckPassword(text)) << text;
}

TEST_F(CheckPasswordTest, HashThatCannotBeComputedNeverPasses) {
    uint32_t hash = 0;
    {
        BrokenCryptography broken;
        ASSERT_FALSE(PasswordHash("abc", &hash)) << "the cryptographic services could not be broken for the test";
        // Not even against a missing value, which counts as 0.
        EXPECT_FALSE(CheckPassword("abc"));
        Store(0);
        EXPECT_FALSE(CheckPassword("abc"));
    }
    EXPECT_TRUE(PasswordHash("abc", &hash));
    EXPECT_EQ(15605u, hash);
}

TEST_F(CheckPasswordTest, LongestPasswordChecksAllItsBytes) {
    std::string password(259, 'a');
    Store(21788);
    EXPECT_TRUE(CheckPassword(password.c_str()));
    password[258] = 'b';
    EXPECT_FALSE(CheckPassword(password.c_str()));
}

}  // namespace
