#include "currency/nbp_rates.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <type_traits>
#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "common/cp1250.h"
#include "currency/http_get.h"

namespace bilvox {

namespace {

constexpr std::string_view kCodeMessage = "Nie mogę pobrać kursu waluty o podanym kodzie"_cp;
constexpr std::string_view kDirectoryMessage =
    "Nie można pobrać danych z serwera NBP (tabela HTML)"_cp;
constexpr std::string_view kTableMessage = "Nie można pobrać danych z serwera NBP (tabela XML)"_cp;
constexpr std::string_view kStoppedMessage = "Przerwano pobieranie kursu"_cp;

// ---- The directory of tables ----

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlnum(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A line naming a table A ("a045z270305"): its date, or empty. The name goes into the
// table's address, so a line with anything but letters and digits is not a name.
std::optional<Ymd> TableADate(std::string_view line) {
  if (line.size() < 11 || line[0] != 'a') return std::nullopt;
  if (!std::all_of(line.begin(), line.end(), IsAlnum)) return std::nullopt;
  if (!std::all_of(line.begin() + 5, line.begin() + 11, IsDigit)) return std::nullopt;
  auto two = [&](size_t at) { return (line[at] - '0') * 10 + (line[at + 1] - '0'); };
  return Ymd{2000 + two(5), two(7), two(9)};
}

bool Before(const Ymd& a, const Ymd& b) {
  return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

// ---- The table ----

// ISO-8859-2, the encoding the bank's tables declare, from 0xA0 to 0xBF; from 0xC0 on it
// is the same as Windows-1250, and 0x80 to 0x9F are the C1 controls.
constexpr char16_t kLatin2A0[32] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7,
    0x00A8, 0x0160, 0x015E, 0x0164, 0x0179, 0x00AD, 0x017D, 0x017B,
    0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C,
};

// Expat knows only UTF-8, UTF-16, ISO-8859-1 and ASCII by itself.
int XMLCALL OnUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
  const std::string n = AsciiUpper(name);
  const bool latin2 = n == "ISO-8859-2" || n == "ISO8859-2" || n == "ISO_8859-2" || n == "LATIN2";
  const bool cp1250 = n == "WINDOWS-1250" || n == "CP1250";
  if (!latin2 && !cp1250) return XML_STATUS_ERROR;
  for (int b = 0; b < 256; ++b) {
    if (b < 0x80 || (latin2 && b < 0xA0)) info->map[b] = b;
    else if (latin2 && b < 0xC0) info->map[b] = kLatin2A0[b - 0xA0];
    else info->map[b] = static_cast<int>(Cp1250ToUnicode(static_cast<unsigned char>(b)));
  }
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

// The scanner's state: inside a position, inside its code, inside its average rate, and the
// code and rate text of the current position.
struct TableScan {
  XML_Parser parser = nullptr;
  std::string_view code;
  bool inPosition = false, inCode = false, inRate = false;
  std::string text;  // content of the code or rate element being read (UTF-8)
  std::string lastCode, lastRate;
  Currency rate{};
  std::string error;  // set when a rate could not be read; the scan stops there
};

void XMLCALL OnStart(void* user, const XML_Char* name, const XML_Char**) {
  auto* s = static_cast<TableScan*>(user);
  const std::string_view n = name;
  if (n == "pozycja") {
    // Each position stands on its own: one without a code or a rate must not take those of
    // the position before it.
    s->inPosition = true;
    s->lastCode.clear();
    s->lastRate.clear();
  } else if (n == "kod_waluty") {
    s->inCode = true;
    s->text.clear();
  } else if (n == "kurs_sredni") {
    s->inRate = true;
    s->text.clear();
  }
}

void XMLCALL OnText(void* user, const XML_Char* text, int length) {
  auto* s = static_cast<TableScan*>(user);
  if (s->inPosition && (s->inCode || s->inRate)) s->text.append(text, static_cast<size_t>(length));
}

void XMLCALL OnEnd(void* user, const XML_Char* name) {
  auto* s = static_cast<TableScan*>(user);
  const std::string_view n = name;
  if (n == "kod_waluty") {
    if (s->inPosition && s->inCode) s->lastCode = FromUtf8Lossy(Trim(s->text));
    s->inCode = false;
  } else if (n == "kurs_sredni") {
    if (s->inPosition && s->inRate && !s->inCode) s->lastRate = Trim(s->text);
    s->inRate = false;
  } else if (n == "pozycja") {
    s->inPosition = s->inCode = s->inRate = false;
    // A position without a rate gives none (rather than the reading error of an empty text).
    if (s->lastCode != s->code || s->lastRate.empty()) return;
    if (std::optional<Currency> rate = ParseRateText(s->lastRate)) {
      s->rate = *rate;
    } else {
      std::string shown = s->lastRate.size() > 40 ? s->lastRate.substr(0, 40) + "..." : s->lastRate;
      s->error = "'" + FromUtf8Lossy(shown) + std::string("' nie jest poprawną wartością zmiennoprzecinkową"_cp);
      XML_StopParser(s->parser, XML_FALSE);
    }
  }
}

std::string HostOf(std::string_view url) {
  size_t at = url.find("://");
  at = at == std::string_view::npos ? 0 : at + 3;
  std::string_view rest = url.substr(at);
  rest = rest.substr(0, rest.find_first_of("/?#"));
  if (size_t user = rest.rfind('@'); user != std::string_view::npos) rest.remove_prefix(user + 1);
  if (!rest.empty() && rest[0] != '[') rest = rest.substr(0, rest.find(':'));
  return std::string(rest);
}

// One download: the server, the status label and the stop token.
class Download {
 public:
  Download(const RateServer& server, const RateStatusFn& status, std::stop_token stop)
      : status_(status), stop_(std::move(stop)) {
    base_ = server.baseUrl;
    while (!base_.empty() && base_.back() == '/') base_.pop_back();
    host_ = FromUtf8Lossy(HostOf(base_));
    limits_.connectTimeout = server.connectTimeout;
    limits_.totalTimeout = server.totalTimeout;
    limits_.maxBodyBytes = server.maxResponseBytes;
    limits_.httpsRedirectsOnly = AsciiLower(base_.substr(0, 8)) == "https://";
  }
  // The status label is emptied however the download ends.
  ~Download() { Show({}); }

  // The body of base + path, or empty when it could not be fetched. `what` names the file
  // in the progress texts.
  std::optional<std::string> Get(const std::string& path, const std::string& what) {
    Show(std::string("Łączenie z serwerem "_cp) + host_ + "...");
    HttpGetResult r = HttpGet(
        base_ + path, limits_,
        [&](std::uint64_t received) {
          Show(std::string("Pobieranie "_cp) + what + ": " + std::to_string((received + 1023) / 1024) + " kB");
        },
        stop_);
    if (r.outcome == HttpGetResult::Outcome::Stopped)
      throw RateDownloadError(std::string(kStoppedMessage), std::nullopt, true);
    if (r.outcome != HttpGetResult::Outcome::Ok) return std::nullopt;
    return std::move(r.body);
  }

 private:
  void Show(const std::string& text) {
    if (!status_ || text == shown_) return;
    shown_ = text;
    try {
      status_(text);
    } catch (...) {
    }
  }

  const RateStatusFn& status_;
  std::stop_token stop_;
  std::string base_, host_, shown_;
  HttpGetLimits limits_;
};

}  // namespace

std::string RateServer::DefaultRateServerUrl() {
  const char* url = std::getenv("BILVOX_NBP_URL");
  return url && *url ? std::string(url) : std::string("https://static.nbp.pl/dane");
}

std::string RateCurrencyCode(std::string_view typed) { return LetterUpper(Trim(typed)); }

std::string RateText(Currency rate) {
  std::string text = FixedText4(rate);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::optional<Currency> ParseRateText(std::string_view text) {
  const std::string trimmed = Trim(text);
  text = trimmed;
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const size_t wholeAt = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::string_view whole = text.substr(wholeAt, i - wholeAt);
  std::string_view decimals;
  if (i < text.size() && text[i] == ',') {
    const size_t at = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    decimals = text.substr(at, i - at);
  }
  if (i != text.size() || (whole.empty() && decimals.empty())) return std::nullopt;

  constexpr uint64_t kMaxUnits = INT64_MAX / 10000;
  uint64_t units = 0;
  bool huge = false;
  for (char c : whole) {
    units = units * 10 + static_cast<uint64_t>(c - '0');
    if (units > kMaxUnits) huge = true, units = kMaxUnits;
  }
  uint64_t raw = units * 10000;
  for (size_t k = 0, scale = 1000; k < 4; ++k, scale /= 10)
    if (k < decimals.size()) raw += static_cast<uint64_t>(decimals[k] - '0') * scale;
  if (decimals.size() > 4) {
    const char first = decimals[4];
    const bool moreAfter = decimals.find_first_not_of('0', 5) != std::string_view::npos;
    if (first > '5' || (first == '5' && (moreAfter || raw % 2 == 1))) ++raw;
  }
  if (huge || raw > static_cast<uint64_t>(INT64_MAX)) raw = INT64_MAX;
  const int64_t value = static_cast<int64_t>(raw);
  return Currency::FromRaw(negative ? -value : value);
}

std::optional<std::string> ChooseRateTable(std::string_view directory, const Ymd& day) {
  size_t end = directory.size();
  while (end > 0) {
    const size_t start = directory.rfind('\n', end - 1);
    const size_t from = start == std::string_view::npos ? 0 : start + 1;
    std::string_view line = directory.substr(from, end - from);
    end = from == 0 ? 0 : from - 1;
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= ' ') line.remove_suffix(1);
    // The newest table A dated before the day: today's table (and any the computer's clock
    // has not reached yet) is passed over.
    if (std::optional<Ymd> date = TableADate(line); date && Before(*date, day))
      return std::string(line);
  }
  return std::nullopt;
}

Currency ReadAverageRate(std::string_view xml, std::string_view code) {
  std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)> parser(
      XML_ParserCreate(nullptr), &XML_ParserFree);
  if (!parser) throw Error(std::string(kTableMessage));
  TableScan scan;
  scan.parser = parser.get();
  scan.code = code;
  XML_SetUserData(scan.parser, &scan);
  XML_SetElementHandler(scan.parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(scan.parser, OnText);
  XML_SetUnknownEncodingHandler(scan.parser, OnUnknownEncoding, nullptr);
  constexpr size_t kChunk = 1 << 20;
  size_t at = 0;
  do {
    const size_t n = std::min(kChunk, xml.size() - at);
    const bool last = at + n == xml.size();
    if (XML_Parse(scan.parser, xml.data() + at, static_cast<int>(n), last) != XML_STATUS_OK) {
      if (!scan.error.empty()) throw Error(scan.error);
      throw Error(std::string(kTableMessage));
    }
    at += n;
  } while (at < xml.size());
  return scan.rate;
}

Currency DownloadAverageRate(std::string_view typedCode, const Ymd& day, const RateServer& server,
                             const RateStatusFn& status, std::stop_token stop) {
  const std::string code = RateCurrencyCode(typedCode);
  if (code.empty() || code == "PLN")
    throw RateDownloadError(std::string(kCodeMessage), std::nullopt);

  Download download(server, status, std::move(stop));
  const std::string directoryLabel(std::string_view("spisu tabel kursów"_cp));
  std::optional<std::string> directory = download.Get("/kursy/xml/dir.txt", directoryLabel);
  if (!directory) throw RateDownloadError(std::string(kDirectoryMessage), std::nullopt);
  std::optional<std::string> table = ChooseRateTable(*directory, day);
  // The directory lists the current year's tables only; earlier ones are in a directory of
  // their year. The first days of January need the year before.
  for (int year : {day.year, day.year - 1}) {
    if (table) break;
    directory = download.Get("/kursy/xml/dir" + std::to_string(year) + ".txt",
                             directoryLabel + " " + std::to_string(year));
    if (directory) table = ChooseRateTable(*directory, day);
  }
  if (!table) throw RateDownloadError(std::string(kDirectoryMessage), std::nullopt);

  std::optional<std::string> xml =
      download.Get("/kursy/xml/" + *table + ".xml", std::string("tabeli kursów "_cp) + *table);
  if (!xml) throw RateDownloadError(std::string(kTableMessage), std::nullopt);
  // From here on the rate box shows 0,0000 until the rate is found.
  Currency rate;
  try {
    rate = ReadAverageRate(*xml, code);
  } catch (const Error& e) {
    throw RateDownloadError(e.Message(), Currency{});
  }
  if (rate == Currency{}) throw RateDownloadError(std::string(kCodeMessage), Currency{});
  return rate;
}

}  // namespace bilvox
