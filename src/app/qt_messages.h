// Message boxes of the windows: the core's questions and messages shown with QMessageBox,
// buttons labelled in Polish.
#pragma once

#include "common/messages.h"

namespace bilvox {

class QtMessageReporter : public MessageReporter {
 public:
  MsgResult Show(std::string_view caption, std::string_view text, MsgIcon icon,
                 MsgButtons buttons) override;
};

}  // namespace bilvox
