#pragma once

// How the settings store tells the user that the setting could not be read or saved: the
// requester it shows the failure with, and the message texts, in Windows-1251.

#include <string_view>

#include "support/charset_check.h"

namespace trinumero {

inline constexpr unsigned kSettingsMessageFlags = 16;  // MB_OK | MB_ICONHAND
inline constexpr char kReadFailureTitle[] = "Модуль чтения настроек";
inline constexpr char kReadFailureText[] =
    "По неизвестной причине неудалось прочитать настройки\n\r"
    "Настройки установлены по умолчанию!";
inline constexpr char kSaveFailureTitle[] = "Модуль сохранения настроек";
inline constexpr char kSaveFailureText[] = "По неизвестной причине неудалось сохранить настройки";

// Shows a failure to the user and waits until it is acknowledged.
class MessageRequester {
  public:
    virtual ~MessageRequester() = default;
    virtual int Show(std::string_view title, std::string_view text, unsigned flags) = 0;
};

}  // namespace trinumero
