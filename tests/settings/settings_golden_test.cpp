// Every seed of the settings fuzzer, opened as a settings file: the entries it gives, what a
// lookup of a plain key and of the on-top key finds in it, and the bytes its key entries are
// written back as, against the expected files kept beside this test (golden/<seed>.parse and
// golden/<seed>.rewrite). With TRINUMERO_UPDATE_GOLDEN set the test writes them instead, for a
// reviewed change of the format.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "settings/settings_file_state.h"
#include "tests/kit/memory_file_system.h"
#include "tests/kit/settings_line.h"

#ifndef TRINUMERO_SEED_DIR
#error "TRINUMERO_SEED_DIR must name the settings fuzzer's seed corpus"
#endif
#ifndef TRINUMERO_GOLDEN_DIR
#error "TRINUMERO_GOLDEN_DIR must name the folder of the expected files"
#endif

namespace {

using trinumero::SettingsEntryKind;
using trinumero::SettingsFileState;

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Printable ASCII as it is, every other byte as \xNN: the expected files stay plain text.
std::string Escaped(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            text.push_back(c);
        } else {
            text += "\\x";
            text.push_back(kHex[byte >> 4]);
            text.push_back(kHex[byte & 0xF]);
        }
    }
    return text;
}

// The text mode, one line per entry, then for each looked-up key the value text found (the
// first equal key before any section, the key converted in UTF-8 mode) and what it reads as.
std::string DescribeParse(const SettingsFileState& state) {
    std::ostringstream out;
    out << "mode " << state.text_mode << "\n";
    const char* const kinds[] = {"section", "comment", "key"};  // in the enum's order
    for (const auto& entry : state.entries) {
        out << kinds[static_cast<int>(entry.Kind())] << " [" << Escaped(entry.Text()) << "]";
        if (entry.Kind() == SettingsEntryKind::kKey) {
            out << " = [" << Escaped(entry.Value()) << "]";
        }
        out << "\n";
    }
    for (const std::string& key : {std::string("key"), trinumero::testing::kOnTopKey}) {
        out << "lookup [" << Escaped(key) << "]: ";
        const trinumero::SettingsEntry* found =
            trinumero::FindSettingValue(state.entries, state.text_mode, key);
        if (found == nullptr) {
            out << "not found\n";
        } else {
            out << "[" << Escaped(found->Value()) << "] reads "
                << trinumero::ReadSettingLong(state, key, -99) << "\n";
        }
    }
    return out.str();
}

TEST(SettingsGolden, EverySeedParsesAndIsWrittenBackAsExpected) {
    const bool update = std::getenv("TRINUMERO_UPDATE_GOLDEN") != nullptr;
    const std::filesystem::path golden(TRINUMERO_GOLDEN_DIR);
    int seeds = 0;
    for (const auto& seed : std::filesystem::directory_iterator(TRINUMERO_SEED_DIR)) {
        const std::string name = seed.path().stem().string();
        SCOPED_TRACE(name);
        trinumero::testing::MemoryFileSystem files;
        files.files[L"seed.ini"] = ReadBytes(seed.path());
        SettingsFileState state;
        ASSERT_TRUE(trinumero::OpenSettingsForRead(state, files, L"seed.ini"));
        const std::string parse = DescribeParse(state);
        const std::string rewrite = Escaped(trinumero::BuildSettingsOutput(state.entries)) + "\n";
        trinumero::CloseSettings(state);
        if (update) {
            std::ofstream(golden / (name + ".parse"), std::ios::binary) << parse;
            std::ofstream(golden / (name + ".rewrite"), std::ios::binary) << rewrite;
        }
        EXPECT_EQ(parse, ReadBytes(golden / (name + ".parse")));
        EXPECT_EQ(rewrite, ReadBytes(golden / (name + ".rewrite")));
        ++seeds;
    }
    EXPECT_GE(seeds, 7) << "the seed corpus was not found";
}

}  // namespace
