// bilvox-cli words AMOUNT [--currency CODE] [--language N]: the amount in words as the
// printout writes it.
#include <string>

#include "cli/command.h"
#include "common/cp1250.h"
#include "document/money.h"
#include "words/polish_words.h"

namespace bilvox::cli {
namespace {

std::string Trimmed(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

int RunWords(const Args& args) {
  std::string amountText, currency = "PLN", languageText = "0";
  bool haveAmount = false, haveCurrency = false, haveLanguage = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--currency" || a == "--language") {
      bool& seen = a == "--currency" ? haveCurrency : haveLanguage;
      if (seen || i + 1 >= args.size()) return UsageError("words");
      seen = true;
      (a == "--currency" ? currency : languageText) = args[++i];
    } else if (a.rfind("--", 0) == 0 || haveAmount) {
      return UsageError("words");
    } else {
      amountText = a;
      haveAmount = true;
    }
  }
  if (!haveAmount) return UsageError("words");

  Currency amount;
  if (!ParseFixed(amountText, amount))
    return Fail("bilvox-cli words: '" + amountText +
                "' is not an amount (digits with a full stop and at most four decimals, "
                "e.g. 1234.56 or -12.3)");

  if (languageText.size() != 1 || languageText[0] < '0' || languageText[0] > '4')
    return Fail("bilvox-cli words: the language must be 0 to 4 (0 Polish, 1 Polish-German, "
                "2 German, 3 and 4 English), not '" + languageText + "'");

  // A code as the document keeps it: trimmed and in upper case.
  std::optional<std::string> code = FromUtf8(AsciiUpper(Trimmed(currency)));
  if (!code) return Fail("bilvox-cli words: the currency code has characters Windows-1250 cannot hold");
  if (code->empty()) return Fail("bilvox-cli words: the currency code is empty");

  Out(ToUtf8(AmountInWords(amount, *code, languageText[0] - '0')) + "\n");
  return kExitOk;
}

const CommandRegistration reg("words", "words AMOUNT [--currency CODE] [--language N]", RunWords);

}  // namespace
}  // namespace bilvox::cli
