// The shipped Trinumero.exe: its Russian version record, stored under the Russian language,
// carries the project's version, and so does its manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/program_driver.h"

#ifndef TRINUMERO_VERSION
#error "TRINUMERO_VERSION must give the project's version"
#endif

namespace {

const std::wstring kVersion(TRINUMERO_VERSION, TRINUMERO_VERSION + sizeof TRINUMERO_VERSION - 1);

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
    reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
    return TRUE;
}

TEST(Release, ProgramCarriesItsRussianVersionRecordAndTheProjectVersion) {
    const std::wstring program = trinumero::testing::ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version record in the program";
    std::vector<BYTE> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, record.data()));
    const auto query = [&](const std::wstring& path) {
        void* value = nullptr;
        UINT length = 0;
        return VerQueryValueW(record.data(), path.c_str(), &value, &length) && length > 0 ? value
                                                                                          : nullptr;
    };
    const auto* translation = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation[0], 0x0419);
    EXPECT_EQ(translation[1], 1251);
    const struct {
        const wchar_t* name;
        std::wstring value;
    } strings[] = {{L"ProductName", L"Конвертер"},
                   {L"FileDescription", L"Конвертер систем исчисления"},
                   {L"InternalName", L"Trinumero.exe"},
                   {L"FileVersion", kVersion},
                   {L"ProductVersion", kVersion}};
    for (const auto& string : strings) {
        const void* value = query(std::wstring(L"\\StringFileInfo\\041904E3\\") + string.name);
        ASSERT_NE(value, nullptr) << string.name;
        EXPECT_EQ(static_cast<const wchar_t*>(value), string.value) << string.name;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD words = MAKELONG(TRINUMERO_VERSION_MINOR, TRINUMERO_VERSION_MAJOR);
    EXPECT_EQ(fixed->dwFileVersionMS, words);
    EXPECT_EQ(fixed->dwProductVersionMS, words);

    const HMODULE image = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    std::vector<WORD> languages;
    EnumResourceLanguagesW(image, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, std::vector<WORD>{MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT)});
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
