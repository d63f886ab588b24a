// The companion resource library as the module loads it.
#include "skin/ResourceLibrary.h"

#include "ResourceIds.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <windows.h>

#include <vector>

using namespace ostrivan;

namespace {

TEST(ResourceLibrary, LoadsByPlainNameAndBecomesTheSourceUntilFreed) {
    ASSERT_EQ(nullptr, ResourceSource());
    {
        ResourceLibrary library;
        ASSERT_TRUE(library.Load());
        EXPECT_EQ(library.get(), ResourceSource());
        EXPECT_FALSE(LoadResourceString(IDS_CONSOLE_TITLE).empty());
    }
    EXPECT_EQ(nullptr, ResourceSource());
    EXPECT_TRUE(LoadResourceString(IDS_CONSOLE_TITLE).empty());
    EXPECT_EQ(nullptr, ::GetModuleHandleA("Ostrivan.crl"));
}

TEST(ResourceLibrary, CarriesEveryStringTheConsoleAsksFor) {
    std::vector<UINT> ids = {IDS_NO_CAMERA,  IDS_SKIN_FAILED,           IDS_CONSOLE_TITLE,        IDS_TIP_MINIMIZE,
                             IDS_TIP_CLOSE,  IDS_VIEW_PANEL_TITLE,      IDS_TIP_SECTION_COLLAPSED, IDS_TIP_SECTION_EXPANDED};
    for (UINT id = 57717; id <= 57744; ++id) ids.push_back(id);
    ids.push_back(IDS_LOCK_WRITE_FAILED);
    ids.push_back(IDS_LOCK_LEFT_ON);
    ResourceLibrary library;
    ASSERT_TRUE(library.Load());
    for (UINT id : ids) EXPECT_FALSE(LoadResourceString(id).empty()) << "string " << id;
}

TEST(ResourceLibrary, ProgramIconLoadsAtBothSizes) {
    ResourceLibrary library;
    ASSERT_TRUE(library.Load());
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(
            ::LoadImageA(ResourceSource(), MAKEINTRESOURCEA(IDI_CONSOLE), IMAGE_ICON, size, size, 0));
        ASSERT_NE(nullptr, icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bitmap{};
        ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
        EXPECT_EQ(size, bitmap.bmWidth);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}

BOOL CALLBACK CollectIconGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<UINT>*>(param)->push_back(LOWORD(name));
    return TRUE;
}

TEST(ResourceLibrary, ShortcutIconIsTheFifthIconOfTheFile) {
    ResourceLibrary library;
    ASSERT_TRUE(library.Load());
    std::vector<UINT> groups;
    ::EnumResourceNamesA(library.get(), RT_GROUP_ICON, CollectIconGroup, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_GE(groups.size(), 5u);
    EXPECT_EQ(static_cast<UINT>(IDI_SHORTCUT), groups[SHORTCUT_ICON_INDEX]);

    char path[MAX_PATH];
    ASSERT_NE(0u, ::GetModuleFileNameA(library.get(), path, MAX_PATH));
    EXPECT_GE(::ExtractIconExA(path, -1, nullptr, nullptr, 0), 5u);
    HICON large = nullptr;
    ASSERT_EQ(1u, ::ExtractIconExA(path, SHORTCUT_ICON_INDEX, &large, nullptr, 1));
    EXPECT_NE(nullptr, large);
    ::DestroyIcon(large);
}

}  // namespace
