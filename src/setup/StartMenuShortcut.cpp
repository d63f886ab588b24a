#include "setup/StartMenuShortcut.h"

#include "base/ComUsage.h"
#include "base/ModuleState.h"
#include "base/SystemFolders.h"
#include "base/UniqueHandle.h"
#include "setup/ConsoleFolderName.h"
#include "skin/ResourceLibrary.h"

#include "ResourceIds.h"

#include <shlobj.h>
#include <shobjidl.h>
#include <strsafe.h>
#include <wrl/client.h>

#include <cstring>

using Microsoft::WRL::ComPtr;

namespace ostrivan {

namespace {

constexpr const char* kMakerFolder = "\\Kestrane\\";
constexpr const char* kMakerPrefix = "Kestrane ";

struct FindTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { ::FindClose(h); }
};
using UniqueFind = UniqueOwner<FindTraits>;

template <size_t N>
bool Append(char (&path)[N], const char* text) {
    return SUCCEEDED(::StringCchCatA(path, N, text));
}

bool IsFolder(const char* path) {
    DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A folder that exists afterwards; a file in its place fails.
bool EnsureFolder(const char* path) { return ::CreateDirectoryA(path, nullptr) || IsFolder(path); }

// The programs folder of all users, else of the current user, + "\Kestrane\".
bool MakerFolder(char (&folder)[MAX_PATH]) {
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder)) &&
        FAILED(::SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return false;
    }
    return Append(folder, kMakerFolder);
}

// "Kestrane " + the console's title, and that + ".lnk".
bool ShortcutNames(HMODULE resources, char (&description)[MAX_PATH], char (&fileName)[MAX_PATH]) {
    char title[MAX_PATH] = {};
    if (::LoadStringA(resources, IDS_CONSOLE_TITLE, title, MAX_PATH) <= 0) return false;
    return SUCCEEDED(::StringCchPrintfA(description, MAX_PATH, "%s%s", kMakerPrefix, title)) &&
           SUCCEEDED(::StringCchPrintfA(fileName, MAX_PATH, "%s.lnk", description));
}

// Deletes the entry named fileName in folder (which ends with "\"); returns
// whether anything else is in the folder.
bool DeleteShortcutIn(const char* folder, const char* fileName) {
    char pattern[MAX_PATH] = {};
    if (FAILED(::StringCchPrintfA(pattern, MAX_PATH, "%s*", folder))) return true;
    WIN32_FIND_DATAA entry{};
    UniqueFind find(::FindFirstFileA(pattern, &entry));
    if (!find) return false;
    bool others = false;
    do {
        if (std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0) continue;
        char path[MAX_PATH] = {};
        if (std::strcmp(entry.cFileName, fileName) != 0 ||
            FAILED(::StringCchPrintfA(path, MAX_PATH, "%s%s", folder, entry.cFileName))) {
            others = true;
            continue;
        }
        ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        if (!::DeleteFileA(path)) others = true;
    } while (::FindNextFileA(find.get(), &entry));
    return others;
}

}  // namespace

HRESULT CreateShortcut(const char* target, const char* arguments, const char* iconFile, int iconIndex,
                       const char* linkPath, const char* description) {
    ComUsage com;
    if (!com.Usable()) return E_FAIL;
    wchar_t widePath[MAX_PATH] = {};
    if (!::MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH)) return E_INVALIDARG;
    ComPtr<IShellLinkA> link;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
    if (FAILED(result)) return result;
    link->SetPath(target);
    if (arguments) link->SetArguments(arguments);
    link->SetDescription(description);
    link->SetIconLocation(iconFile, iconIndex);
    ComPtr<IPersistFile> file;
    result = link.As(&file);
    if (FAILED(result)) return result;
    return file->Save(widePath, TRUE);
}

bool CreateStartMenuShortcut() {
    UniqueModule resources(::LoadLibraryA(ResourceLibrary::kFileName));
    if (!resources) return false;
    char description[MAX_PATH];
    char fileName[MAX_PATH];
    char consoleFolder[MAX_PATH];
    if (!ShortcutNames(resources.get(), description, fileName)) return false;
    if (FindConsoleFolderName(consoleFolder) != FolderNameResult::Found) return false;

    char folder[MAX_PATH] = {};
    if (!MakerFolder(folder) || !EnsureFolder(folder)) return false;
    if (consoleFolder[0] != '\0' &&
        (!Append(folder, consoleFolder) || !EnsureFolder(folder) || !Append(folder, "\\"))) {
        return false;
    }

    char launcher[MAX_PATH] = {};
    char systemFolder[MAX_PATH] = {};
    if (!FindConsoleLauncher(kModuleName, launcher, systemFolder)) return false;
    char linkPath[MAX_PATH] = {};
    char iconFile[MAX_PATH] = {};
    if (FAILED(::StringCchPrintfA(linkPath, MAX_PATH, "%s%s", folder, fileName)) ||
        FAILED(::StringCchPrintfA(iconFile, MAX_PATH, "%s\\%s", systemFolder, ResourceLibrary::kFileName))) {
        return false;
    }
    return CreateShortcut(launcher, kConsoleRunTarget, iconFile, SHORTCUT_ICON_INDEX, linkPath, description) == S_OK;
}

void RemoveStartMenuShortcut() {
    UniqueModule resources(::LoadLibraryA(ResourceLibrary::kFileName));
    char description[MAX_PATH];
    char fileName[MAX_PATH];
    char makerFolder[MAX_PATH] = {};
    if (!resources || !ShortcutNames(resources.get(), description, fileName) || !MakerFolder(makerFolder)) return;
    // Without a device that names the camera's folder, only a shortcut lying
    // directly in the maker's folder is looked for.
    char consoleFolder[MAX_PATH];
    char folder[MAX_PATH] = {};
    ::StringCchCopyA(folder, MAX_PATH, makerFolder);
    bool ownFolder = FindConsoleFolderName(consoleFolder) == FolderNameResult::Found && consoleFolder[0] != '\0' &&
                     Append(folder, consoleFolder) && Append(folder, "\\");
    if (!ownFolder) ::StringCchCopyA(folder, MAX_PATH, makerFolder);
    bool others = DeleteShortcutIn(folder, fileName);
    if (ownFolder && !others) ::RemoveDirectoryA(folder);
    ::RemoveDirectoryA(makerFolder);  // stays when something else is in it
}

}  // namespace ostrivan
