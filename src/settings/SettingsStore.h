// The console's registry key. Every operation opens the key, does its one
// read or write and closes it. Failures are reported as false; a failed read
// leaves the caller's default in place.
//
//   kConsoleKey, kSharedRegistryView    where the settings live
//   ReadSetting, WriteSetting           one value of any type
//   ReadSettingNumber ... OrZero        one 32-bit number
//   kNoAutoLaunchValue, ...             the values the options dialog keeps
//   QueryNumberValue, SetNumberValue    a number of a key the caller holds open
//   RemoveSettingsForAllUsers           the settings of every user, at removal
#pragma once

#include <windows.h>

namespace ostrivan {

extern const char kConsoleKey[];  // under the current user; "Reserved2" under the local machine

// The registry view of every key of the console: the x86 and x64 modules
// share one user's settings and the machine's password hash, and under the
// local machine that is the 32-bit view.
constexpr REGSAM kSharedRegistryView = KEY_WOW64_32KEY;

[[nodiscard]] bool ReadSetting(HKEY hive, const char* valueName, DWORD* type, void* data, DWORD* size);
bool WriteSetting(HKEY hive, const char* valueName, DWORD type, const void* data, DWORD size);

// Reads a 32-bit number of the console key. Only a 4-byte REG_DWORD value
// counts; anything else leaves *value untouched and returns false.
[[nodiscard]] bool ReadSettingNumber(HKEY hive, const char* valueName, DWORD* value);
bool WriteSettingNumber(HKEY hive, const char* valueName, DWORD value);
// The same number, or 0 when it cannot be read.
DWORD ReadSettingNumberOrZero(HKEY hive, const char* valueName);

// The console's two options (current user): 1 = do not start automatically;
// not 0 = keep the console window on top.
constexpr const char* kNoAutoLaunchValue = "NoAutoLaunch";
constexpr const char* kAlwaysOnTopValue = "AlwaysOnTop";

// The same rule for a value of a key already open: only a 4-byte REG_DWORD
// counts; anything else leaves *value untouched and returns false.
[[nodiscard]] bool QueryNumberValue(HKEY key, const char* valueName, DWORD* value);
bool SetNumberValue(HKEY key, const char* valueName, DWORD value);

// Deletes the console key below every user's hive under HKEY_USERS.
bool RemoveSettingsForAllUsers();

}  // namespace ostrivan
