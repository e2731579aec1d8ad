#include "settings/fresh_file_name.h"

#include "support/digits.h"

namespace trinumero {

void AppendFreshFileName(std::wstring& path, std::uint32_t writer, int attempt) {
    AppendFreshFileStem(path, writer);
    path.push_back(L'.');
    AppendDigits(path, static_cast<std::uint32_t>(attempt), 10);
}

void AppendFreshFileStem(std::wstring& path, std::uint32_t writer) {
    path += kFreshFilePrefix;
    AppendDigits(path, writer, 16);
}

std::optional<std::uint32_t> FreshFileWriter(std::wstring_view name) {
    constexpr std::wstring_view kPrefix = kFreshFilePrefix;
    if (name.size() < kPrefix.size() + 3 || name.size() > kPrefix.size() + 10 ||
        name.substr(0, kPrefix.size()) != kPrefix || name[name.size() - 2] != L'.' ||
        name.back() < L'0' || name.back() >= L'0' + kFreshNameAttempts) {
        return std::nullopt;
    }
    std::uint32_t writer = 0;
    for (const wchar_t digit : name.substr(kPrefix.size(), name.size() - kPrefix.size() - 2)) {
        const auto lower = static_cast<wchar_t>(digit | 0x20);
        const bool decimal = digit >= L'0' && digit <= L'9';
        if (!decimal && (lower < L'a' || lower > L'f')) {
            return std::nullopt;
        }
        writer =
            writer * 16 + static_cast<std::uint32_t>(decimal ? digit - L'0' : lower - L'a' + 10);
    }
    return writer;
}

}  // namespace trinumero
