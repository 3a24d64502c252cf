// bilvox-cli rate CODE [--date YYYY-MM-DD]: the national bank's average rate of a currency
// as the currency window inserts it (the rate in force on the day: from the newest table
// published before it; today unless --date says otherwise).
#include <optional>
#include <string>

#include "cli/command.h"
#include "common/cp1250.h"
#include "common/dates.h"
#include "currency/nbp_rates.h"

namespace bilvox::cli {
namespace {

int RunRate(const Args& args) {
  std::optional<std::string> code, dateText;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--date") {
      if (dateText || i + 1 >= args.size()) return UsageError("rate");
      dateText = args[++i];
    } else if (args[i].rfind("--", 0) == 0 || code) {
      return UsageError("rate");
    } else {
      code = args[i];
    }
  }
  if (!code) return UsageError("rate");
  Ymd day = TodayYmd();
  if (dateText) {
    std::optional<Ymd> parsed = ParseIsoDate(*dateText);
    if (!parsed) return Fail("bilvox-cli rate: '" + *dateText + "' is not a date (YYYY-MM-DD)");
    day = *parsed;
  }
  // Exceptions carry the window's messages; main prints them and exits with 2.
  const Currency rate = DownloadAverageRate(FromUtf8Lossy(*code), day, RateServer{});
  Out(RateText(rate) + "\n");
  return kExitOk;
}

const CommandRegistration reg("rate", "rate CODE [--date YYYY-MM-DD]", RunRate);

}  // namespace
}  // namespace bilvox::cli
