// The shipped Trinumero.exe carries the project's version in its version record and its
// manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_driver.h"

#ifndef TRINUMERO_VERSION
#error "TRINUMERO_VERSION must give the project's version"
#endif

namespace {

using trinumero::testing::ProgramPath;

std::wstring WideOf(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

TEST(Release, ProgramCarriesTheProjectVersion) {
    const std::wstring program = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version record in the program";
    std::vector<BYTE> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, record.data()));
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\041904E3\\") + name;
        ASSERT_TRUE(VerQueryValueW(record.data(), path.c_str(), &value, &length)) << name;
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), WideOf(TRINUMERO_VERSION));
    }
    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", &fixed, &length));
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    const DWORD words = MAKELONG(TRINUMERO_VERSION_MINOR, TRINUMERO_VERSION_MAJOR);
    EXPECT_EQ(info->dwFileVersionMS, words);
    EXPECT_EQ(info->dwProductVersionMS, words);

    const HMODULE image = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    const HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "no manifest in the program";
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                               SizeofResource(image, found));
    FreeLibrary(image);
    EXPECT_NE(manifest.find("name=\"Trinumero\" version=\"" TRINUMERO_VERSION ".0.0\""),
              std::string::npos)
        << manifest;
}

}  // namespace
