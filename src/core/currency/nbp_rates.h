// The average exchange rate of a currency from the national bank's (NBP) public tables:
// the directory of tables ("/kursy/xml/dir.txt"), then the newest table A published before
// the day ("/kursy/xml/" + name + ".xml"), and in it the position of the currency.
//
// The download may run on any thread: it keeps no state between calls, reports its progress
// through a callback on the downloading thread, and stops promptly when its stop token is
// requested (the currency window's "Anuluj" or closing the window). A window runs it on a
// std::jthread with that thread's stop token, hands the progress texts and the outcome to
// its own thread, and stops and joins the download by destroying the thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <utility>

#include "common/dates.h"
#include "common/error.h"
#include "document/money.h"

namespace bilvox {

// The server and the limits of one download.
struct RateServer {
  // Where "/kursy/xml/..." is found: BILVOX_NBP_URL when set (a test server), otherwise the
  // bank's own server.
  std::string baseUrl = DefaultRateServerUrl();
  std::chrono::milliseconds connectTimeout{10'000};
  std::chrono::milliseconds totalTimeout{30'000};  // of each request
  std::size_t maxResponseBytes = 8u << 20;         // the directory is some 100 kB

  static std::string DefaultRateServerUrl();
};

// The bank's web pages the currency window links to: today's rates and the archive.
inline constexpr const char* kNbpTodayRatesPage = "https://www.nbp.pl/home.aspx?f=/kursy/kursya.html";
inline constexpr const char* kNbpArchivePage =
    "https://www.nbp.pl/home.aspx?f=/kursy/kursy_archiwum.html";

// A failed download. The message is the one the user sees (Windows-1250).
class RateDownloadError : public Error {
 public:
  RateDownloadError(std::string message, std::optional<Currency> rateBox, bool cancelled = false)
      : Error(std::move(message)), rateBox_(rateBox), cancelled_(cancelled) {}

  // What the rate box shows after the failure: 0 once the table has been received (the box
  // is cleared before the table is read), empty when the box keeps what it held.
  const std::optional<Currency>& RateBox() const { return rateBox_; }
  // The download was stopped through its stop token; nothing needs to be shown.
  bool Cancelled() const { return cancelled_; }

 private:
  std::optional<Currency> rateBox_;
  bool cancelled_;
};

// Progress texts for the status label (Windows-1250), called on the downloading thread.
// Once a transfer has begun, the last text is empty.
using RateStatusFn = std::function<void(const std::string& text)>;

// The code as the download looks it up: trimmed and upper-cased ("eur " gives "EUR").
std::string RateCurrencyCode(std::string_view typed);

// Downloads the average rate of `code` in force on `day` (the rate of the newest table A
// published before that day) and returns it. Throws RateDownloadError with the user's
// message: "Nie mogę pobrać kursu waluty o podanym kodzie" for PLN, an empty code or a code
// the table lacks; "Nie można pobrać danych z serwera NBP (tabela HTML)" when the directory
// cannot be fetched or names no such table; "... (tabela XML)" when the table cannot be
// fetched or read; the number reading's message when the rate is not a number.
Currency DownloadAverageRate(std::string_view code, const Ymd& day, const RateServer& server,
                             const RateStatusFn& status = {}, std::stop_token stop = {});

// The rate as the rate box shows it: four decimals with a comma ("4,2156", "1,0000").
std::string RateText(Currency rate);
// A rate as the tables and the rate box write it: an optional sign, digits and a decimal
// comma ("4,2156"), blanks around it ignored, rounded to four decimals with halves to even;
// values beyond the range of Currency saturate. Empty when the text is not such a number.
std::optional<Currency> ParseRateText(std::string_view text);

// The pieces of the download, for tests and fuzzing.
//
// The name of the newest table A in a directory listing dated before `day`, or empty. Lines
// are table names: the type letter, three digits, "z" and the date as yymmdd.
std::optional<std::string> ChooseRateTable(std::string_view directory, const Ymd& day);
// The average rate of `code` (exact, as RateCurrencyCode gives it) in a table, 0 when the
// table has no position for it. Throws Error for a table that is not well-formed XML
// ("... (tabela XML)") and for a rate that is not a number.
Currency ReadAverageRate(std::string_view xml, std::string_view code);

}  // namespace bilvox
