#include "engine/number_codec.h"

#include <array>
#include <bit>
#include <cstring>

#include "engine/text_ops.h"

namespace trinumero {
namespace {

constexpr int kNotADigit = -1;

// Digit values of the hexadecimal alphabet. Small letters count too: the text is folded
// to capitals before the scan.
constexpr std::array<signed char, 256> MakeHexDigitTable() {
    std::array<signed char, 256> table{};
    for (auto& entry : table) {
        entry = kNotADigit;
    }
    for (int c = '0'; c <= '9'; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<signed char>(c - '0');
    }
    for (int c = 'A'; c <= 'F'; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<signed char>(c - 'A' + 10);
        table[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<signed char>(c - 'A' + 10);
    }
    return table;
}

constexpr auto kHexDigitValue = MakeHexDigitTable();

// Trims, then drops one lead-in character and trims again. Folding to capitals, which the
// hexadecimal and binary parsers also ask for, never turns a byte into a space or a
// lead-in, so it is left to the digit tables.
std::string_view StripLeadIn(std::string_view text, char lead_in) {
    std::string_view s = TrimSpaces(text);
    if (!s.empty() && s.front() == lead_in) {
        s = TrimSpaces(s.substr(1));
    }
    return s;
}

// The first byte outside the alphabet still costs one shift: it reads as one more digit 0
// and ends the number.
Value ScanHexDigits(std::string_view digits) {
    Value value = 0;
    for (const char c : digits) {
        const int digit = kHexDigitValue[static_cast<unsigned char>(c)];
        value <<= 4;
        if (digit == kNotADigit) {
            break;
        }
        value += static_cast<Value>(digit);
    }
    return value;
}

// Eight binary digits at a time while whole runs of '0'/'1' last: a 56-digit field is
// seven steps instead of 56. The rest, and the byte that ends the number, go one by one.
Value ScanBinDigits(std::string_view digits) {
    constexpr std::uint64_t kZeros = 0x3030303030303030;  // eight '0' bytes
    constexpr std::uint64_t kLowBits = 0x0101010101010101;
    // Gathers the low bit of byte i into bit 63 - i (byte 0 is the first digit).
    constexpr std::uint64_t kGather = 0x8040201008040201;
    Value value = 0;
    std::size_t i = 0;
    for (; i + 8 <= digits.size(); i += 8) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, digits.data() + i, 8);
        if constexpr (std::endian::native == std::endian::big) {
            chunk = __builtin_bswap64(chunk);
        }
        const std::uint64_t bits = chunk ^ kZeros;
        if ((bits & ~kLowBits) != 0) {
            break;  // a byte other than '0' or '1' in this run
        }
        value = (value << 8) | ((bits * kGather) >> 56);
    }
    for (; i < digits.size(); ++i) {
        const unsigned digit = static_cast<unsigned char>(digits[i]) - static_cast<unsigned>('0');
        value <<= 1;
        if (digit > 1) {
            break;
        }
        value |= digit;
    }
    return value;
}

// Pairs of decimal digits, so that formatting needs one division per two digits.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The number of decimal digits of the value (1 for 0), by comparisons rather than divisions,
// four digits a step, so that the digits can be written in place from the last one back.
std::size_t DecimalDigits(Value value) {
    std::size_t digits = 1;
    for (;;) {
        if (value < 10) {
            return digits;
        }
        if (value < 100) {
            return digits + 1;
        }
        if (value < 1000) {
            return digits + 2;
        }
        if (value < 10000) {
            return digits + 3;
        }
        value /= 10000;
        digits += 4;
    }
}

}  // namespace

Value ParseHexText(std::string_view text) {
    return ScanHexDigits(StripLeadIn(text, '$'));
}

Value ParseBinText(std::string_view text) {
    return ScanBinDigits(StripLeadIn(text, '%'));
}

Value ParseDecText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    } else if (i < text.size() && text[i] == '+') {
        ++i;
    }
    Value value = 0;
    for (; i < text.size(); ++i) {
        const unsigned digit = static_cast<unsigned char>(text[i]) - static_cast<unsigned>('0');
        if (digit > 9) {
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? Value{0} - value : value;
}

NumberText FormatHex(Value value) {
    const int bits = 64 - std::countl_zero(value | 1);
    const auto count = static_cast<std::size_t>((bits + 3) / 4);
    NumberText text;
    char* digits = text.Reserve(count);
    for (std::size_t i = count; i-- > 0;) {
        digits[i] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    }
    return text;
}

NumberText FormatDec(Value value) {
    const bool negative = (value >> 63) != 0;
    Value magnitude = negative ? Value{0} - value : value;
    const std::size_t count = DecimalDigits(magnitude) + (negative ? 1 : 0);
    NumberText text;
    char* digits = text.Reserve(count);
    // From the last digit back, two at a time.
    std::size_t next = count;
    while (magnitude >= 100) {
        const auto pair = static_cast<std::size_t>(magnitude % 100) * 2;
        magnitude /= 100;
        digits[--next] = kDigitPairs[pair + 1];
        digits[--next] = kDigitPairs[pair];
    }
    if (magnitude >= 10) {
        const auto pair = static_cast<std::size_t>(magnitude) * 2;
        digits[--next] = kDigitPairs[pair + 1];
        digits[--next] = kDigitPairs[pair];
    } else {
        digits[--next] = static_cast<char>('0' + magnitude);
    }
    if (negative) {
        digits[0] = '-';
    }
    return text;
}

NumberText FormatBin(Value value) {
    const auto count = static_cast<std::size_t>(64 - std::countl_zero(value | 1));
    NumberText text;
    char* digits = text.Reserve(count);
    for (std::size_t i = count; i-- > 0;) {
        digits[i] = static_cast<char>('0' + (value & 1));
        value >>= 1;
    }
    return text;
}

}  // namespace trinumero
