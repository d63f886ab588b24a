// The standalone console with a skinning library that is missing, lacks
// its entry or refuses, and with a resource library that lacks a template
// or a string it asks for: the skinning message or the plain fallback, a
// console that still answers and ends on "/quit", never a fault or a hang.
#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/MessageBoxes.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "reliability/ConsoleProcess.h"
#include "settings/SettingsStore.h"
#include "skin/SkinPaths.h"
#include "support/TestBedFixture.h"
#include "support/VirtualCameraFixture.h"

#include <windows.h>

#include <shlwapi.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;
using namespace reliability;

namespace {

std::string WindowsFile(const char* relative) {
    char folder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + relative;
}

// An installed file put aside (and, when given, another in its place) for
// one test; the original is back afterwards. A run stopped part way leaves
// the original aside: the next one puts it back before anything else.
class SwappedFile {
public:
    SwappedFile(std::string path, const std::string& replacement) : path_(std::move(path)), saved_(path_ + ".saved") {
        if (::GetFileAttributesA(saved_.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ::MoveFileExA(saved_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
        moved_ = ::MoveFileExA(path_.c_str(), saved_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
        if (!replacement.empty()) ::CopyFileA(replacement.c_str(), path_.c_str(), FALSE);
    }
    ~SwappedFile() {
        if (moved_) ::MoveFileExA(saved_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    SwappedFile(const SwappedFile&) = delete;
    SwappedFile& operator=(const SwappedFile&) = delete;
    bool moved() const { return moved_; }

private:
    std::string path_;
    std::string saved_;
    bool moved_ = false;
};

// Every resource of a library, with its data.
struct Resource {
    std::string type;  // "#n" for a number
    std::string name;
    WORD language;
    std::vector<char> data;
};

std::string ResourceKey(LPCSTR id) {
    return IS_INTRESOURCE(id) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(id)) : std::string(id);
}

LPCSTR ResourceId(const std::string& key) {
    return key[0] == '#' ? MAKEINTRESOURCEA(std::stoul(key.substr(1))) : key.c_str();
}

BOOL CALLBACK CollectLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR all) {
    HRSRC found = ::FindResourceExA(module, type, name, language);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    auto* bytes = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    if (bytes) {
        reinterpret_cast<std::vector<Resource>*>(all)->push_back(
            {ResourceKey(type), ResourceKey(name), language, std::vector<char>(bytes, bytes + ::SizeofResource(module, found))});
    }
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR all) {
    ::EnumResourceLanguagesA(module, type, name, CollectLanguage, all);
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPSTR type, LONG_PTR all) {
    ::EnumResourceNamesA(module, type, CollectName, all);
    return TRUE;
}

// A copy of the resource library without one resource (written anew from
// all the others); empty on failure.
std::string LibraryWithout(LPCSTR type, LPCSTR name, const char* copyName) {
    std::vector<Resource> all;
    HMODULE original = ::LoadLibraryExA(SystemFile("Ostrivan.crl").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!original) return {};
    ::EnumResourceTypesA(original, CollectType, reinterpret_cast<LONG_PTR>(&all));
    ::FreeLibrary(original);

    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    std::string copy = std::string(folder) + copyName;
    if (!::CopyFileA(SystemFile("Ostrivan.crl").c_str(), copy.c_str(), FALSE)) return {};
    HANDLE update = ::BeginUpdateResourceA(copy.c_str(), TRUE);
    if (!update) return {};
    bool written = true;
    for (Resource& resource : all) {
        if (resource.type == ResourceKey(type) && resource.name == ResourceKey(name)) continue;
        written = written && ::UpdateResourceA(update, ResourceId(resource.type), ResourceId(resource.name),
                                               resource.language, resource.data.data(),
                                               static_cast<DWORD>(resource.data.size()));
    }
    if (!::EndUpdateResourceA(update, !written) || !written) return {};
    // The copy really lacks it, and still has the rest.
    HMODULE library = ::LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    bool lacks = library && !::FindResourceA(library, name, type) &&
                 ::FindResourceA(library, MAKEINTRESOURCEA(IDD_CONSOLE), RT_DIALOG);
    if (library) ::FreeLibrary(library);
    return lacks ? copy : std::string();
}

// The console's window has no owner; its message box, of the same title,
// is owned by it.
WindowQuery ConsoleWindow() { return AnyWindow().Titled(kTitle).OwnedBy(nullptr); }
WindowQuery ConsoleMessage() { return MessageBoxes().Titled(kTitle).Owned(); }

class OutsideLibraries : public ConsoleBed {
protected:

    // Runs a console; with skinMessage, expects the skinning message first
    // and answers it as a user would. The console must then answer and end
    // on "/quit".
    void RunConsole(bool skinMessage, Figures* figures) {
        HANDLE process = StartProgram(Console(""));
        ASSERT_TRUE(process);
        ++figures->cases;
        if (skinMessage) {
            MessageBoxSeen box;
            EXPECT_TRUE(WaitForMessageBox(ConsoleMessage(), &box));
            if (box.window) {
                EXPECT_EQ(LibraryString(IDS_SKIN_FAILED), box.text);
                EXPECT_TRUE(AnswerMessageBox(box.window, IDOK));
            }
        }
        HWND console = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (console = ConsoleWindow().Find()) && !ConsoleMessage().Find(); }));
        EXPECT_TRUE(Answers(console));
        RunProgram(Console("/quit"));
        int code = Finish(process, kHangLimitMs);
        Count(code, figures);
        EXPECT_EQ(0, code);
    }
};

TEST_F(OutsideLibraries, SkinningLibraryMissingWithoutItsEntryOrRefusing) {
    Figures figures;
    const std::string library = WindowsFile((std::string(ostrivan::kSkinLibrarySubfolder) + "\\HookWnd.DLL").c_str());
    {
        SwappedFile missing(library, "");
        ASSERT_TRUE(missing.moved());
        RunConsole(true, &figures);
    }
    {
        SwappedFile withoutEntry(library, ProgramFolder() + "skinnoentry\\HookWnd.DLL");
        ASSERT_TRUE(withoutEntry.moved());
        RunConsole(true, &figures);
    }
    {
        // The library refuses every window when its skin bundle is gone.
        SwappedFile noBundle(SystemFile("Ostrivan.bff"), "");
        ASSERT_TRUE(noBundle.moved());
        RunConsole(true, &figures);
    }
    RunConsole(false, &figures);  // and all is well again
    Report("outside libraries", figures);
}

TEST_F(OutsideLibraries, ResourceLibraryWithoutATemplateOrAString) {
    Figures figures;
    struct Missing {
        LPCSTR type;
        LPCSTR name;
        const char* copy;
    };
    const Missing cases[] = {
        {RT_DIALOG, MAKEINTRESOURCEA(IDD_VIEW_PANEL), "crl-without-view-panel.dll"},
        {RT_DIALOG, MAKEINTRESOURCEA(IDD_TAB_STRIP), "crl-without-tab-strip.dll"},
        // Strings live in blocks of sixteen: this one holds the tool tips and the section title.
        {RT_STRING, MAKEINTRESOURCEA(IDS_VIEW_PANEL_TITLE / 16 + 1), "crl-without-panel-strings.dll"},
    };
    for (const Missing& missing : cases) {
        SCOPED_TRACE(missing.copy);
        std::string copy = LibraryWithout(missing.type, missing.name, missing.copy);
        ASSERT_FALSE(copy.empty());
        {
            SwappedFile reduced(SystemFile("Ostrivan.crl"), copy);
            ASSERT_TRUE(reduced.moved());
            RunConsole(false, &figures);
        }
        ::DeleteFileA(copy.c_str());
    }
    Report("resource library", figures);
}

}  // namespace
