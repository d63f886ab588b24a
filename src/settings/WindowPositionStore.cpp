#include "settings/WindowPositionStore.h"

#include "base/UniqueHandle.h"
#include "settings/SettingsStore.h"

#include <cstdio>

namespace ostrivan {

namespace {

const char* const kPositionNames[4] = {"CurrentWinPosL", "CurrentWinPosT", "CurrentWinPosR", "CurrentWinPosB"};

bool WriteNumber(const char* keyPath, const char* name, DWORD value) {
    UniqueKey key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS | kSharedRegistryView, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return SetNumberValue(key.get(), name, value);
}

// Only a 4-byte number counts: a value of another size or type is absent.
bool ReadNumber(const char* keyPath, const char* name, DWORD* value) {
    UniqueKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE | kSharedRegistryView, key.put()) !=
        ERROR_SUCCESS) {
        return false;
    }
    return QueryNumberValue(key.get(), name, value);
}

void PanelStateName(char (&name)[32], int index) { std::snprintf(name, sizeof(name), "PanelState%d", index); }

}  // namespace

bool WindowPositionStore::SaveWindowPosition(LONG left, LONG top, LONG right, LONG bottom, const char* keyPath) {
    const LONG sides[4] = {left, top, right, bottom};
    for (int i = 0; i < 4; ++i) {
        if (!WriteNumber(keyPath, kPositionNames[i], static_cast<DWORD>(sides[i]))) return false;
    }
    return true;
}

bool WindowPositionStore::LoadWindowPosition(const char* keyPath, RECT* rectangle) {
    if (!rectangle) return false;
    LONG* sides[4] = {&rectangle->left, &rectangle->top, &rectangle->right, &rectangle->bottom};
    for (int i = 0; i < 4; ++i) {
        DWORD value = 0;
        if (!ReadNumber(keyPath, kPositionNames[i], &value)) return false;
        *sides[i] = static_cast<LONG>(value);
    }
    return true;
}

bool WindowPositionStore::SavePanelState(DWORD state, const char* keyPath, int index) {
    char name[32];
    PanelStateName(name, index);
    return WriteNumber(keyPath, name, state);
}

bool WindowPositionStore::LoadPanelState(DWORD* state, const char* keyPath, int index) {
    if (!state) return false;
    char name[32];
    PanelStateName(name, index);
    return ReadNumber(keyPath, name, state);
}

bool WindowPositionStore::SaveSectionState(int number, DWORD state) {
    return SavePanelState(state, kConsoleKey, number);
}

bool WindowPositionStore::LoadSectionState(int number, DWORD* state) {
    return LoadPanelState(state, kConsoleKey, number);
}

}  // namespace ostrivan
