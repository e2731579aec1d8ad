// Each format and parse operation against std::to_chars / std::from_chars on the same
// values, per call. The values mix widths the way field contents do: short numbers
// typed by hand up to full 64-bit values from pasted negatives.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/number_codec.h"

namespace {

using trinumero::Value;

constexpr std::size_t kValueCount = 1024;

const std::vector<Value>& Values() {
    static const std::vector<Value> values = [] {
        std::mt19937_64 random(42);
        std::vector<Value> result;
        for (std::size_t i = 0; i < kValueCount; ++i) {
            result.push_back(random() >> (random() % 64));
        }
        return result;
    }();
    return values;
}

template <typename Format>
std::vector<std::string> Texts(Format format) {
    std::vector<std::string> texts;
    for (const Value v : Values()) {
        texts.push_back(std::string(format(v).View()));
    }
    return texts;
}

const std::vector<std::string>& HexTexts() {
    static const auto texts = Texts(trinumero::FormatHex);
    return texts;
}
const std::vector<std::string>& DecTexts() {
    static const auto texts = Texts(trinumero::FormatDec);
    return texts;
}
const std::vector<std::string>& BinTexts() {
    static const auto texts = Texts(trinumero::FormatBin);
    return texts;
}

template <typename Format>
void RunFormat(benchmark::State& state, Format format) {
    const auto& values = Values();
    std::size_t i = 0;
    for (auto _ : state) {
        auto text = format(values[i++ % kValueCount]);
        benchmark::DoNotOptimize(text);
    }
}

template <int Base, typename Integer>
void RunToChars(benchmark::State& state) {
    const auto& values = Values();
    std::size_t i = 0;
    char buffer[72];
    for (auto _ : state) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer,
                                          static_cast<Integer>(values[i++ % kValueCount]), Base);
        benchmark::DoNotOptimize(result.ptr);
        benchmark::ClobberMemory();
    }
}

template <typename Parse>
void RunParse(benchmark::State& state, const std::vector<std::string>& texts, Parse parse) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(parse(texts[i++ % kValueCount]));
    }
}

template <int Base, typename Integer>
void RunFromChars(benchmark::State& state, const std::vector<std::string>& texts) {
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& text = texts[i++ % kValueCount];
        Integer value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value, Base);
        benchmark::DoNotOptimize(value);
    }
}

void FormatHex(benchmark::State& s) {
    RunFormat(s, trinumero::FormatHex);
}
void FormatDec(benchmark::State& s) {
    RunFormat(s, trinumero::FormatDec);
}
void FormatBin(benchmark::State& s) {
    RunFormat(s, trinumero::FormatBin);
}
void ToCharsHex(benchmark::State& s) {
    RunToChars<16, std::uint64_t>(s);
}
void ToCharsDec(benchmark::State& s) {
    RunToChars<10, std::int64_t>(s);
}
void ToCharsBin(benchmark::State& s) {
    RunToChars<2, std::uint64_t>(s);
}
void ParseHexText(benchmark::State& s) {
    RunParse(s, HexTexts(), trinumero::ParseHexText);
}
void ParseDecText(benchmark::State& s) {
    RunParse(s, DecTexts(), trinumero::ParseDecText);
}
void ParseBinText(benchmark::State& s) {
    RunParse(s, BinTexts(), trinumero::ParseBinText);
}
void FromCharsHex(benchmark::State& s) {
    RunFromChars<16, std::uint64_t>(s, HexTexts());
}
void FromCharsDec(benchmark::State& s) {
    RunFromChars<10, std::int64_t>(s, DecTexts());
}
void FromCharsBin(benchmark::State& s) {
    RunFromChars<2, std::uint64_t>(s, BinTexts());
}

BENCHMARK(FormatHex);
BENCHMARK(ToCharsHex);
BENCHMARK(FormatDec);
BENCHMARK(ToCharsDec);
BENCHMARK(FormatBin);
BENCHMARK(ToCharsBin);
BENCHMARK(ParseHexText);
BENCHMARK(FromCharsHex);
BENCHMARK(ParseDecText);
BENCHMARK(FromCharsDec);
BENCHMARK(ParseBinText);
BENCHMARK(FromCharsBin);

}  // namespace

BENCHMARK_MAIN();
