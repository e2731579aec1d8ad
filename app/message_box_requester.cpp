#include "app/message_box_requester.h"

#include <windows.h>

#include "ui/message/message_box.h"

namespace trinumero {

static_assert(kSettingsMessageFlags == (MB_OK | MB_ICONHAND));

int MessageBoxRequester::Show(std::string_view title, std::string_view text, unsigned flags) {
    return ShowMessage(title, text, flags);
}

}  // namespace trinumero
