#pragma once

// This process's TMP and TEMP pointed at a folder of the test's, and put back at the end of
// the scope: the platform's temporary folder call reads them, and the programs the test
// starts inherit them.

#include <windows.h>

#include <optional>
#include <string>

namespace trinumero::testing {

class TempRedirect {
  public:
    explicit TempRedirect(const std::wstring& folder) { To(folder); }
    TempRedirect(const TempRedirect&) = delete;
    TempRedirect& operator=(const TempRedirect&) = delete;
    ~TempRedirect() {
        SetEnvironmentVariableW(L"TMP", tmp_ ? tmp_->c_str() : nullptr);
        SetEnvironmentVariableW(L"TEMP", temp_ ? temp_->c_str() : nullptr);
    }

    void To(const std::wstring& folder) {
        SetEnvironmentVariableW(L"TMP", folder.c_str());
        SetEnvironmentVariableW(L"TEMP", folder.c_str());
    }

  private:
    static std::optional<std::wstring> Variable(const wchar_t* name) {
        std::wstring value(32767, L'\0');
        const DWORD length =
            GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0 || length >= value.size()) {
            return std::nullopt;
        }
        value.resize(length);
        return value;
    }

    std::optional<std::wstring> tmp_ = Variable(L"TMP");
    std::optional<std::wstring> temp_ = Variable(L"TEMP");
};

}  // namespace trinumero::testing
