// The real Trinumero.exe, started with its own temporary directory and used through real
// input: what a user sees, what ends up in the settings file, and how the process ends.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/app/program_driver.h"
#include "tests/kit/files_win32.h"
#include "tests/kit/fresh_files.h"
#include "tests/kit/messages_win32.h"
#include "tests/kit/settings_line.h"
#include "tests/kit/windows_win32.h"

namespace trinumero::testing {

// How a failed comparison shows a message box.
void PrintTo(const ShownMessage& message, std::ostream* out) {
    *out << ::testing::PrintToString(message.caption) << ": "
         << ::testing::PrintToString(message.text);
}

}  // namespace trinumero::testing

namespace {

using trinumero::testing::FileExists;
using trinumero::testing::FreshFileStem;
using trinumero::testing::kOnTopKey;
using trinumero::testing::ListFolder;
using trinumero::testing::OnTopLine;
using trinumero::testing::ProgramDriver;
using trinumero::testing::PutTextOnClipboard;
using trinumero::testing::ReadWholeFile;
using trinumero::testing::ShownMessage;
using trinumero::testing::TempDirectory;
using trinumero::testing::WaitUntil;
using trinumero::testing::WriteWholeFile;

constexpr int kHex = 0;
constexpr int kDec = 1;
constexpr int kBin = 2;

const std::string kFileWithZero = OnTopLine(0);
const std::string kFileWithOne = OnTopLine(1);

constexpr COLORREF kHighlight = RGB(0, 109, 255);

const ShownMessage kSaveMessage{L"Модуль сохранения настроек",
                                L"По неизвестной причине неудалось сохранить настройки"};
const ShownMessage kReadMessage{L"Модуль чтения настроек",
                                L"По неизвестной причине неудалось прочитать настройки\n\r"
                                L"Настройки установлены по умолчанию!"};

// The program's next message box, dismissed; a caption that says so when none came.
ShownMessage NextMessage(ProgramDriver& program) {
    ShownMessage message;
    if (!program.DismissMessageBox(message)) {
        message.caption = L"(no message box)";
    }
    return message;
}

std::wstring SettingsFileIn(const TempDirectory& temp) {
    return temp.File(L"Trinumero.ini");
}

void ExpectFields(const ProgramDriver& program, const std::wstring& hex, const std::wstring& dec,
                  const std::wstring& bin) {
    EXPECT_EQ(program.FieldText(kHex), hex);
    EXPECT_EQ(program.FieldText(kDec), dec);
    EXPECT_EQ(program.FieldText(kBin), bin);
}

void ExpectFrameAround(ProgramDriver& program, int left, int top, int right, int bottom) {
    for (int x : {left, (left + right) / 2, right}) {
        EXPECT_EQ(program.ClientPixel(x, top), kHighlight) << x << "," << top;
        EXPECT_EQ(program.ClientPixel(x, bottom), kHighlight) << x << "," << bottom;
    }
    for (int y : {top, (top + bottom) / 2, bottom}) {
        EXPECT_EQ(program.ClientPixel(left, y), kHighlight) << left << "," << y;
        EXPECT_EQ(program.ClientPixel(right, y), kHighlight) << right << "," << y;
    }
    EXPECT_NE(program.ClientPixel(left + 1, top + 1), kHighlight) << "the frame is one pixel wide";
    EXPECT_NE(program.ClientPixel(left - 1, top - 1), kHighlight);
}

TEST(EndToEnd, FirstStartCreatesTheFileSilentlyAndConvertsWhatIsTyped) {
    TempDirectory temp;
    ProgramDriver program(temp.Path());
    ASSERT_TRUE(program.WaitForMainWindow());
    EXPECT_EQ(ReadWholeFile(SettingsFileIn(temp)), kFileWithZero);
    EXPECT_FALSE(program.IsTopmost());

    // The road of one keystroke: 7 typed into the decimal field.
    program.ClickField(kDec);
    program.TypeKeys(L"7");
    program.Settle();
    EXPECT_EQ(program.FieldText(kHex), L"7");
    EXPECT_EQ(program.FieldText(kBin), L"111");
    ExpectFrameAround(program, 245, 90, 364, 109);

    // Letters are shown as capitals in the hexadecimal field; the decimal frame goes.
    program.ClickField(kHex);
    program.PressKey(VK_END);
    program.TypeKeys(L"\bff");
    program.Settle();
    ExpectFields(program, L"FF", L"255", L"11111111");
    ExpectFrameAround(program, 60, 90, 159, 109);
    EXPECT_NE(program.ClientPixel(245, 100), kHighlight);

    // A stranger is rejected: the other fields keep their texts.
    program.TypeKeys(L"g");
    program.Settle();
    ExpectFields(program, L"FFG", L"255", L"11111111");
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(program.Field(kHex), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 3u);

    // A pasted negative number fills all 64 bits.
    program.ClickField(kDec);
    program.PressKey(VK_END);
    program.TypeKeys(L"\b\b\b");
    program.Settle();
    EXPECT_EQ(program.FieldText(kHex), L"0");
    EXPECT_EQ(program.FieldText(kBin), L"0");
    ASSERT_TRUE(PutTextOnClipboard(L"-5"));
    program.PressKey('V', true);
    program.Settle();
    EXPECT_EQ(program.FieldText(kHex), L"FFFFFFFFFFFFFFFB");
    EXPECT_EQ(program.FieldText(kBin), std::wstring(61, L'1') + L"011");

    // Seventeen nines: the program writes past the typing limits.
    program.TypeKeys(L"\b\b");
    program.TypeKeys(L"99999999999999999");
    program.Settle();
    EXPECT_EQ(program.FieldText(kDec), L"99999999999999999");
    EXPECT_EQ(program.FieldText(kHex), L"16345785D89FFFF");
    EXPECT_EQ(program.FieldText(kBin).size(), 57u);
    program.TypeKeys(L"9");
    program.Settle();
    EXPECT_EQ(program.FieldText(kDec), L"99999999999999999") << "an 18th digit is refused";

    EXPECT_EQ(program.Close(), 0u);
    EXPECT_EQ(ReadWholeFile(SettingsFileIn(temp)), kFileWithZero) << "closing writes nothing";
}

// A screen reader, from its own process, finds each number field named after its caption, as
// editable text holding the field's value. Wine refuses annotations, so the fields answer with
// objects of their own here.
TEST(EndToEnd, AScreenReaderNamesEachFieldAfterItsCaption) {
    TempDirectory temp;
    ProgramDriver program(temp.Path());
    ASSERT_TRUE(program.WaitForMainWindow());
    program.ClickField(kDec);
    program.TypeKeys(L"7");
    program.Settle();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    struct Expected {
        int field;
        const wchar_t* name;
        const wchar_t* value;
    };
    for (const Expected& expected :
         {Expected{kHex, L"Шестнадцатеричные числа", L"7"},
          Expected{kDec, L"Десятичные числа", L"7"}, Expected{kBin, L"Двоичные числа", L"111"}}) {
        SCOPED_TRACE(testing::Message() << "field " << expected.field);
        IAccessible* object = nullptr;
        ASSERT_EQ(
            AccessibleObjectFromWindow(program.Field(expected.field), OBJID_CLIENT,
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
            S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        BSTR value = nullptr;
        VARIANT role{};
        EXPECT_EQ(object->get_accName(self, &name), S_OK);
        EXPECT_EQ(object->get_accValue(self, &value), S_OK);
        EXPECT_EQ(object->get_accRole(self, &role), S_OK);
        EXPECT_STREQ(name, expected.name);
        EXPECT_STREQ(value, expected.value);
        // The same name through IDispatch, as script clients read it.
        DISPPARAMS arguments{&self, nullptr, 1, 0};
        VARIANT dispatched{};
        EXPECT_EQ(object->Invoke(DISPID_ACC_NAME, IID_NULL, LOCALE_USER_DEFAULT,
                                 DISPATCH_PROPERTYGET, &arguments, &dispatched, nullptr, nullptr),
                  S_OK);
        EXPECT_EQ(dispatched.vt, VT_BSTR);
        EXPECT_STREQ(dispatched.vt == VT_BSTR ? dispatched.bstrVal : nullptr, expected.name);
        VariantClear(&dispatched);
        EXPECT_EQ(role.vt, VT_I4);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_TEXT);
        SysFreeString(name);
        SysFreeString(value);
        object->Release();
    }
    CoUninitialize();
    EXPECT_EQ(program.Close(), 0u);
}

TEST(EndToEnd, AnOnValueStartsOnTopAndEachToggleIsSaved) {
    TempDirectory temp;
    WriteWholeFile(SettingsFileIn(temp), kOnTopKey + " = 5\r\n[Section]\r\nother=1\r\n");
    ProgramDriver program(temp.Path());
    ASSERT_TRUE(program.WaitForMainWindow());
    EXPECT_TRUE(program.IsTopmost());
    EXPECT_EQ(ReadWholeFile(SettingsFileIn(temp)), kOnTopKey + " = 5\r\n[Section]\r\nother=1\r\n")
        << "a readable file is not rewritten at start-up";

    program.ChooseOnTopItem();
    EXPECT_FALSE(program.IsTopmost());
    EXPECT_EQ(ReadWholeFile(SettingsFileIn(temp)), kFileWithZero);

    program.ChooseOnTopItem();
    EXPECT_TRUE(program.IsTopmost());
    EXPECT_EQ(ReadWholeFile(SettingsFileIn(temp)), kFileWithOne);

    EXPECT_EQ(program.Close(), 0u);
}

TEST(EndToEnd, AnEmptyFileGivesOffSilentlyAndStaysEmpty) {
    TempDirectory temp;
    WriteWholeFile(SettingsFileIn(temp), "");
    ProgramDriver program(temp.Path());
    ASSERT_TRUE(program.WaitForMainWindow());
    EXPECT_FALSE(program.IsTopmost());
    EXPECT_EQ(program.Close(), 0u);
    EXPECT_EQ(ReadWholeFile(SettingsFileIn(temp)), "");
}

TEST(EndToEnd, AReadOnlyFileIsReadSilentlyAndATogglePromptsTheSaveMessage) {
    TempDirectory temp;
    WriteWholeFile(SettingsFileIn(temp), kFileWithOne);
    ASSERT_TRUE(SetFileAttributesW(SettingsFileIn(temp).c_str(), FILE_ATTRIBUTE_READONLY));
    ProgramDriver program(temp.Path());
    ASSERT_TRUE(program.WaitForMainWindow());
    EXPECT_TRUE(program.IsTopmost());

    program.ChooseOnTopItem();
    EXPECT_EQ(NextMessage(program), kSaveMessage);
    // The check mark and the window change all the same; the file keeps its content.
    program.Settle();
    EXPECT_FALSE(program.IsTopmost());
    EXPECT_EQ(ReadWholeFile(SettingsFileIn(temp)), kFileWithOne);
    EXPECT_EQ(program.Close(), 0u);
}

TEST(EndToEnd, AnUnusableSettingsPlaceShowsBothMessagesThenOpens) {
    TempDirectory temp;
    ASSERT_TRUE(CreateDirectoryW(SettingsFileIn(temp).c_str(), nullptr));
    ProgramDriver program(temp.Path());
    EXPECT_EQ(NextMessage(program), kSaveMessage);
    EXPECT_EQ(NextMessage(program), kReadMessage);
    ASSERT_TRUE(program.WaitForMainWindow());
    EXPECT_FALSE(program.IsTopmost());
    EXPECT_EQ(program.Close(), 0u);
    EXPECT_TRUE(FileExists(SettingsFileIn(temp)));
}

TEST(EndToEnd, ATemporaryFolderThePlatformCannotGiveIsAFailureAndNoFileAppears) {
    // The program's current drive is this test's: its root must stay without the file.
    const std::wstring drive_root_file = L"\\Trinumero.ini";
    ASSERT_FALSE(FileExists(drive_root_file));
    TempDirectory temp;
    std::wstring folder = temp.Path();
    while (folder.size() < 270) {
        folder += L"\\" + std::wstring(std::min<std::size_t>(50, 269 - folder.size()), L'd');
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    }
    {
        ProgramDriver program(folder);
        EXPECT_EQ(NextMessage(program), kSaveMessage);
        EXPECT_EQ(NextMessage(program), kReadMessage);
        EXPECT_TRUE(program.WaitForMainWindow());
        program.ChooseOnTopItem();
        EXPECT_EQ(NextMessage(program), kSaveMessage);
        EXPECT_EQ(program.Close(), 0u);
    }
    EXPECT_FALSE(FileExists(folder + L"\\Trinumero.ini"));
    const bool written_at_the_root = FileExists(drive_root_file);
    DeleteFileW(drive_root_file.c_str());
    EXPECT_FALSE(written_at_the_root);
}

TEST(EndToEnd, ACyrillicTemporaryFolderWorksUnderAWesternCodePage) {
    ASSERT_EQ(GetACP(), 1252u);
    TempDirectory temp;
    const std::wstring folder = temp.Path() + L"\\Иван";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << "Wine needs a UTF-8 Unix locale";
    ProgramDriver program(folder);
    ASSERT_TRUE(program.WaitForMainWindow()) << "no message at start";
    EXPECT_EQ(ReadWholeFile(folder + L"\\Trinumero.ini"), kFileWithZero);
    program.ChooseOnTopItem();
    EXPECT_TRUE(program.IsTopmost());
    EXPECT_EQ(ReadWholeFile(folder + L"\\Trinumero.ini"), kFileWithOne);
    EXPECT_EQ(program.Close(), 0u);
}

TEST(EndToEnd, KilledAtAnyMomentOfItsSavesItLeavesAWholeFileAndNoFreshOneForGood) {
    TempDirectory temp;
    std::minstd_rand random(16);
    for (int round = 0; round <= 10; ++round) {
        std::wstring killed;
        {
            ProgramDriver program(temp.Path());
            ASSERT_TRUE(program.WaitForMainWindow());
            killed = FreshFileStem(program.ProcessId());
            // The first toggle is saved before it is applied: once it shows, the program has
            // removed what a writer killed before left, however slowly it runs. The kill comes
            // somewhere in the other toggles; the last round's finishes its saves before it.
            const bool on_at_start = program.IsTopmost();
            program.PostOnTopToggle();
            ASSERT_TRUE(WaitUntil([&] { return program.IsTopmost() != on_at_start; }, 10000));
            for (int toggle = 1; toggle < 16; ++toggle) {
                program.PostOnTopToggle();
            }
            Sleep(round < 10 ? random() % 200 : 1000);
        }
        // A fresh file goes with its writer, or, when the writer died in the instant between
        // creating and marking it or between unmarking and renaming it, at the next save.
        for (const std::wstring& name : ListFolder(temp.Path())) {
            EXPECT_TRUE(name == L"Trinumero.ini" || name.starts_with(killed + L".")) << name;
        }
        const auto content = ReadWholeFile(SettingsFileIn(temp));
        EXPECT_TRUE(content == kFileWithZero || content == kFileWithOne) << round;
    }
    EXPECT_EQ(ListFolder(temp.Path()), std::vector<std::wstring>{L"Trinumero.ini"});
}

TEST(EndToEnd, TwoInstancesTogglingTogetherKeepTheFileWhole) {
    TempDirectory temp;
    ProgramDriver first(temp.Path());
    ASSERT_TRUE(first.WaitForMainWindow());
    ProgramDriver second(temp.Path());
    ASSERT_TRUE(second.WaitForMainWindow());
    // Fresh files of earlier runs: one of a writer that still runs (this test) stays, one of
    // a writer that is gone goes, and a name that is no fresh file's is left alone.
    const std::wstring running = FreshFileStem(GetCurrentProcessId()) + L".5";
    const std::wstring gone = FreshFileStem(0xfffffff0) + L".3";
    const std::wstring no_fresh_file = trinumero::kFreshFilePrefix + std::wstring(L"otes.txt");
    for (const std::wstring& name : {running, gone, no_fresh_file}) {
        ASSERT_TRUE(WriteWholeFile(temp.File(name), "left"));
    }
    int failures = 0;
    for (int round = 1; round <= 50; ++round) {
        first.PostOnTopToggle();
        second.PostOnTopToggle();
        const bool on = round % 2 == 1;
        ASSERT_TRUE(WaitUntil(
            [&] {
                for (ProgramDriver* program : {&first, &second}) {
                    ShownMessage message;
                    failures += program->DismissMessageBox(message, 0) ? 1 : 0;
                }
                return first.IsTopmost() == on && second.IsTopmost() == on;
            },
            5000))
            << round;
        EXPECT_EQ(ReadWholeFile(SettingsFileIn(temp)), on ? kFileWithOne : kFileWithZero) << round;
    }
    EXPECT_EQ(failures, 0) << "save messages in 100 toggles";
    EXPECT_EQ(ListFolder(temp.Path()),
              (std::vector<std::wstring>{L"Trinumero.ini", running, no_fresh_file}));
    EXPECT_EQ(first.Close(), 0u);
    EXPECT_EQ(second.Close(), 0u);
}

}  // namespace
