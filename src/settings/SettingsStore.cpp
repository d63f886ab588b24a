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
    if (::RegCreateKeyExA(hive, kConsoleKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access | kSharedRegistryView,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

// Query and set access first; a key the caller may only read is still read.
UniqueKey OpenConsoleKeyForReading(HKEY hive) {
    UniqueKey key = CreateConsoleKey(hive, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) key = CreateConsoleKey(hive, KEY_QUERY_VALUE);
    return key;
}

}  // namespace

bool QueryNumberValue(HKEY key, const char* valueName, DWORD* value) {
    if (!value) return false;
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof(number);
    if (::RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || size != sizeof(number)) return false;
    *value = number;
    return true;
}

bool SetNumberValue(HKEY key, const char* valueName, DWORD value) {
    return ::RegSetValueExA(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool ReadSetting(HKEY hive, const char* valueName, DWORD* type, void* data, DWORD* size) {
    UniqueKey key = OpenConsoleKeyForReading(hive);
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
    UniqueKey key = OpenConsoleKeyForReading(hive);
    return key && QueryNumberValue(key.get(), valueName, value);
}

DWORD ReadSettingNumberOrZero(HKEY hive, const char* valueName) {
    DWORD value = 0;
    return ReadSettingNumber(hive, valueName, &value) ? value : 0;
}

bool WriteSettingNumber(HKEY hive, const char* valueName, DWORD value) {
    UniqueKey key = CreateConsoleKey(hive, KEY_SET_VALUE);
    return key && SetNumberValue(key.get(), valueName, value);
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
