#include "common/messages.h"

#include <cstdio>

#include "common/app_info.h"
#include "common/cp1250.h"

namespace bilvox {

namespace {
StderrReporter g_default;
MessageReporter* g_current = nullptr;
}  // namespace

MsgResult StderrReporter::Show(std::string_view caption, std::string_view text, MsgIcon,
                               MsgButtons buttons) {
  std::string line = ToUtf8(caption) + ": " + ToUtf8(text) + "\n";
  std::fputs(line.c_str(), stderr);
  return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
}

MessageReporter& Messages() { return g_current ? *g_current : g_default; }

MessageReporter* SetMessages(MessageReporter* reporter) {
  MessageReporter* old = g_current;
  g_current = reporter;
  return old;
}

void ShowError(std::string_view caption, std::string_view text) {
  Messages().Show(caption, text, MsgIcon::Error, MsgButtons::Ok);
}

bool AskYesNo(std::string_view caption, std::string_view text, MsgIcon icon) {
  return Messages().Show(caption, text, icon, MsgButtons::YesNo) == MsgResult::Yes;
}

bool AskReplaceFile(std::string_view path) {
  std::string question(R"(Plik ")");
  question += FromUtf8Lossy(path);
  question += "\"\r\n";
  question += "już istnieje. Czy chcesz zastąpić istniejący plik?"_cp;
  return AskYesNo(kAppTitle, question);
}

}  // namespace bilvox
