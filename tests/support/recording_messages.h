// A message reporter for tests: records every box and answers questions from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "common/messages.h"

namespace bilvox::testing {

struct RecordedMessage {
  std::string caption;  // Windows-1250
  std::string text;     // Windows-1250
  MsgIcon icon;
  MsgButtons buttons;
};

class RecordingMessages : public MessageReporter {
 public:
  RecordingMessages() { previous_ = SetMessages(this); }
  ~RecordingMessages() override { SetMessages(previous_); }

  MsgResult Show(std::string_view caption, std::string_view text, MsgIcon icon,
                 MsgButtons buttons) override {
    messages.push_back({std::string(caption), std::string(text), icon, buttons});
    if (buttons == MsgButtons::Ok) return MsgResult::Ok;
    if (answers.empty()) return MsgResult::No;
    MsgResult r = answers.front();
    answers.pop_front();
    return r;
  }

  std::vector<RecordedMessage> messages;
  std::deque<MsgResult> answers;

 private:
  MessageReporter* previous_ = nullptr;
};

}  // namespace bilvox::testing
