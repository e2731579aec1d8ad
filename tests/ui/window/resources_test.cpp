// The resources linked into the program: the icon and the manifest (the version record is
// checked on the shipped program, tests/app/release_test.cpp).

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <string_view>

namespace {

// The wide forms of the resource types (the ANSI ones are the defaults in this build).
const LPCWSTR kGroupIcon = MAKEINTRESOURCEW(14);
const LPCWSTR kManifest = MAKEINTRESOURCEW(24);

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colour_count;
    BYTE reserved;
    WORD planes;
    WORD bit_count;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved;
    WORD type;
    WORD count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

std::string_view ResourceBytes(LPCWSTR type, LPCWSTR name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr) {
        return {};
    }
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return {data, SizeofResource(module, found)};
}

TEST(ResourcesTest, IconOneIsA32By32ImageIn16Colours) {
    const std::string_view group = ResourceBytes(kGroupIcon, MAKEINTRESOURCEW(1));
    ASSERT_GE(group.size(), sizeof(IconGroup));
    const auto* header = reinterpret_cast<const IconGroup*>(group.data());
    ASSERT_EQ(header->count, 1) << "one image";
    EXPECT_EQ(header->entries[0].width, 32);
    EXPECT_EQ(header->entries[0].height, 32);
    EXPECT_EQ(header->entries[0].colour_count, 16);
    EXPECT_EQ(header->entries[0].bit_count, 4);

    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(bitmap.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST(ResourcesTest, ExactlyOneManifestAsksForCommonControlsSix) {
    int names = 0;
    EnumResourceNamesW(GetModuleHandleW(nullptr), kManifest, CountName,
                       reinterpret_cast<LONG_PTR>(&names));
    EXPECT_EQ(names, 1);
    int languages = 0;
    EnumResourceLanguagesW(GetModuleHandleW(nullptr), kManifest, MAKEINTRESOURCEW(1), CountLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, 1);

    const std::string manifest(ResourceBytes(kManifest, MAKEINTRESOURCEW(1)));
    for (const char* part :
         {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
          "processorArchitecture=\"*\"", "level=\"asInvoker\"",
          "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
          ">true/pm</dpiAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>"}) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(manifest.find("{e2011457-1546-43c5-a5fe-008deee3d3f0}"), std::string::npos)
        << "Windows 7 SP1 is the oldest system the program runs on, not Vista";
}

TEST(ResourcesTest, ManifestBringsTheVersionSixCommonControls) {
    InitCommonControls();
    // The manifest redirects comctl32.dll to the side-by-side version 6 assembly.
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    std::wstring lower(path);
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(towlower(c));
    }
    EXPECT_NE(lower.find(L"microsoft.windows.common-controls"), std::wstring::npos) << path;
    EXPECT_NE(lower.find(L"_6.0."), std::wstring::npos) << path;
}

}  // namespace
