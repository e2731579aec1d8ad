#pragma once

// The settings store tells the user of its failures through this requester: a modal
// message box of the window layer.

#include <string_view>

#include "settings/settings_requester.h"

namespace trinumero {

class MessageBoxRequester final : public MessageRequester {
  public:
    int Show(std::string_view title, std::string_view text, unsigned flags) override;
};

}  // namespace trinumero
