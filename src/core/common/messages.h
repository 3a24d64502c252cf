// How the core shows a message box or asks a question. The windows install their own
// reporter; the command-line tool prints to standard error; tests record and answer.
#pragma once

#include <string>
#include <string_view>

namespace bilvox {

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };

class MessageReporter {
 public:
  virtual ~MessageReporter() = default;
  // caption and text are Windows-1250. The result for Ok boxes is Ok.
  virtual MsgResult Show(std::string_view caption, std::string_view text, MsgIcon icon,
                         MsgButtons buttons) = 0;
};

// Prints every message to standard error in UTF-8 and answers questions with No
// (a program without a user never overwrites or discards anything on its own).
class StderrReporter : public MessageReporter {
 public:
  MsgResult Show(std::string_view caption, std::string_view text, MsgIcon icon,
                 MsgButtons buttons) override;
};

// The reporter in force for the process (a StderrReporter until one is installed).
MessageReporter& Messages();
// Installs a reporter; nullptr restores the default. Returns the previous one (or nullptr).
MessageReporter* SetMessages(MessageReporter* reporter);

// Convenience: an error box with the given caption.
void ShowError(std::string_view caption, std::string_view text);
// A Yes/No question; true on Yes.
bool AskYesNo(std::string_view caption, std::string_view text,
              MsgIcon icon = MsgIcon::Question);
// Asks whether the existing file at path (UTF-8) may be replaced; true on Yes.
bool AskReplaceFile(std::string_view path);

}  // namespace bilvox
