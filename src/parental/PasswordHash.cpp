#include "parental/PasswordHash.h"

#include "base/UniqueHandle.h"
#include "settings/SettingsStore.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstring>

namespace ostrivan {

namespace {

constexpr DWORD kDigestSize = 16;
constexpr char kStoredHashValue[] = "Reserved2";

struct CryptProviderTraits {
    using Type = HCRYPTPROV;
    static Type Empty() noexcept { return 0; }
    static void Close(Type h) noexcept { ::CryptReleaseContext(h, 0); }
};
struct CryptHashTraits {
    using Type = HCRYPTHASH;
    static Type Empty() noexcept { return 0; }
    static void Close(Type h) noexcept { ::CryptDestroyHash(h); }
};
using UniqueCryptProvider = UniqueOwner<CryptProviderTraits>;
using UniqueCryptHash = UniqueOwner<CryptHashTraits>;

bool Md5(const char* data, size_t size, BYTE (&digest)[kDigestSize]) {
    if (size > MAXDWORD) return false;
    UniqueCryptProvider provider;
    UniqueCryptHash hash;
    DWORD digestSize = kDigestSize;
    return ::CryptAcquireContextA(provider.put(), nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
           ::CryptCreateHash(provider.get(), CALG_MD5, 0, 0, hash.put()) &&
           ::CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(data), static_cast<DWORD>(size), 0) &&
           ::CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &digestSize, 0) && digestSize == kDigestSize;
}

}  // namespace

bool PasswordHash(const char* text, uint32_t* hash) {
    if (!text || !hash) return false;
    BYTE digest[kDigestSize];
    if (!Md5(text, std::strlen(text), digest)) return false;
    uint32_t sum = 0;
    for (uint32_t i = 0; i < kDigestSize; ++i) sum += (digest[i] * i) ^ 8u;
    *hash = sum;
    return true;
}

bool ReadStoredPasswordHash(uint32_t* hash) {
    if (!hash) return false;
    DWORD value = 0;
    if (!ReadSettingNumber(HKEY_LOCAL_MACHINE, kStoredHashValue, &value)) return false;
    *hash = value;
    return true;
}

bool CheckPassword(const char* text) {
    if (!text || text[0] == '\0') return false;
    uint32_t typed = 0;
    // A hash that could not be computed must not pass as the 0 of a missing value.
    if (!PasswordHash(text, &typed)) return false;
    uint32_t stored = 0;
    if (!ReadStoredPasswordHash(&stored)) stored = 0;  // no password: every hash is at least 8
    return typed == stored;
}

}  // namespace ostrivan
