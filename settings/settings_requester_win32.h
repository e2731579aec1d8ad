#pragma once

// The program's requester for settings failures: a modal message box.

#include <string_view>

#include "settings/settings_requester.h"

namespace trinumero {

class MessageBoxRequester final : public MessageRequester {
  public:
    int Show(std::string_view title, std::string_view text, unsigned flags) override;
};

}  // namespace trinumero
