#pragma once

// A deliberately naive second implementation of the number codec, written straight from
// the rules with whole strings and the standard library, to check the real one against.

#include <bitset>
#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

namespace reference {

using Value = std::uint64_t;

inline std::string TrimSpaces(std::string s) {
    while (!s.empty() && s.front() == ' ') {
        s.erase(0, 1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    return s;
}

inline std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
    }
    return s;
}

// Hexadecimal and binary: the first character outside the alphabet adds one digit 0 and
// ends the number; only the last digits that fit into 64 bits survive the shifts.
inline Value ParseShifted(const std::string& text, char lead_in, const std::string& alphabet,
                          unsigned bits) {
    std::string s = TrimSpaces(Upper(text));
    if (!s.empty() && s[0] == lead_in) {
        s = TrimSpaces(s.substr(1));
    }
    std::vector<Value> digits;
    for (const char c : s) {
        const auto position = alphabet.find(c);
        if (position == std::string::npos) {
            digits.push_back(0);
            break;
        }
        digits.push_back(position);
    }
    const std::size_t keep = 64 / bits;
    const std::size_t from = digits.size() > keep ? digits.size() - keep : 0;
    Value v = 0;
    for (std::size_t i = from; i < digits.size(); ++i) {
        v = (bits == 64 ? 0 : v << bits) | digits[i];
    }
    return v;
}

inline Value ParseHex(const std::string& text) {
    return ParseShifted(text, '$', "0123456789ABCDEF", 4);
}

inline Value ParseBin(const std::string& text) {
    return ParseShifted(text, '%', "01", 1);
}

// Decimal: the value is the sum of digit * 10^place, all modulo 2^64.
inline Value ParseDec(const std::string& text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) {
        return 0;
    }
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') {
        ++i;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    Value v = 0;
    Value place = 1;
    for (std::size_t k = end; k > i; --k) {
        v += static_cast<Value>(text[k - 1] - '0') * place;
        place *= 10;
    }
    return negative ? ~v + 1 : v;
}

inline std::string FormatHex(Value v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, 16);
    return Upper(std::string(buffer, result.ptr));
}

inline std::string FormatDec(Value v) {
    return std::to_string(static_cast<std::int64_t>(v));
}

inline std::string FormatBin(Value v) {
    const std::string bits = std::bitset<64>(v).to_string();
    const auto first_one = bits.find('1');
    return first_one == std::string::npos ? "0" : bits.substr(first_one);
}

}  // namespace reference
