#include "settings/SettingsStore.h"

#include "base/NoThrow.h"
#include "base/UniqueHandle.h"

#include <shlwapi.h>

#include <vector>

namespace ostrivan {

const char kConsoleKey[] = "Software\\Kestrane Tech\\Web Cameras\\XC0730\\Console";

namespace {

UniqueKey CreateConsoleKey(HKEY hive, REGSAM access) {
    UniqueKey key;
    if (::RegCreateKeyExA(hive, kConsoleKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

}  // namespace

bool ReadSetting(HKEY hive, const char* valueName, DWORD* type, void* data, DWORD* size) {
    UniqueKey key = CreateConsoleKey(hive, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) key = CreateConsoleKey(hive, KEY_QUERY_VALUE);
    if (!key) return false;
    return ::RegQueryValueExA(key.get(), valueName, nullptr, type, static_cast<BYTE*>(data), size) == ERROR_SUCCESS;
}

bool WriteSetting(HKEY hive, const char* valueName, DWORD type, const void* data, DWORD size) {
    UniqueKey key = CreateConsoleKey(hive, KEY_SET_VALUE);
    if (!key) return false;
    return ::RegSetValueExA(key.get(), valueName, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool ReadSettingNumber(HKEY hive, const char* valueName, DWORD* value) {
    if (!value) return false;
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof(number);
    if (!ReadSetting(hive, valueName, &type, &number, &size)) return false;
    if (type != REG_DWORD || size != sizeof(number)) return false;
    *value = number;
    return true;
}

bool WriteSettingNumber(HKEY hive, const char* valueName, DWORD value) {
    return WriteSetting(hive, valueName, REG_DWORD, &value, sizeof(value));
}

bool RemoveSettingsForAllUsers() {
    DWORD longest = 0;
    if (::RegQueryInfoKeyA(HKEY_USERS, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::vector<char> name;
    if (!TryAllocating([&] { name.resize(longest + 1); })) return false;
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        LONG result = ::RegEnumKeyExA(HKEY_USERS, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS) continue;
        UniqueKey user;
        if (::RegOpenKeyExA(HKEY_USERS, name.data(), 0, KEY_ALL_ACCESS, user.put()) != ERROR_SUCCESS) continue;
        ::SHDeleteKeyA(user.get(), kConsoleKey);
    }
    return true;
}

}  // namespace ostrivan
