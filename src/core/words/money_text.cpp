#include "words/money_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "common/cp1250.h"

namespace bilvox {

namespace {

struct CurrencyDisplay {
  std::string symbol = std::string("zł"_cp);
  bool symbolFirst = false;  // "$1,00" and "$-1,00" instead of "1,00zł" and "-1,00zł"
};

CurrencyDisplay& Display() {
  static CurrencyDisplay display;
  return display;
}

// The digits of a value with the given number of decimals (2, 3 or 4), split into the
// whole part and the decimals, and whether a minus sign belongs in front.
struct Digits {
  std::string whole;
  std::string decimals;
  bool negative = false;
};

// Unsigned magnitude, so that the most negative value has one as well.
uint64_t Magnitude(Currency value) {
  return value.raw < 0 ? 0 - static_cast<uint64_t>(value.raw) : static_cast<uint64_t>(value.raw);
}

// The decimals of the adaptive form: 4 unless the last of them is 0, then 3 unless that
// one is 0 too, then 2.
int AdaptiveDecimals(uint64_t mag) {
  if (mag % 10 != 0) return 4;
  if (mag / 10 % 10 != 0) return 3;
  return 2;
}

// `decimals` is 2, 3 or 4; only 2 can drop a digit that is not 0.
Digits SplitDigits(Currency value, int decimals) {
  const uint64_t mag = Magnitude(value);
  uint64_t scaled = mag;  // in units of 10^-decimals
  if (decimals == 2) scaled = (mag + 50) / 100;  // halves away from zero
  else if (decimals == 3) scaled = mag / 10;    // the dropped digit is 0
  uint64_t unit = decimals == 2 ? 100 : decimals == 3 ? 1000 : 10000;
  Digits d;
  d.whole = std::to_string(scaled / unit);
  d.decimals = std::to_string(scaled % unit);
  d.decimals.insert(0, static_cast<size_t>(decimals) - d.decimals.size(), '0');
  d.negative = value.raw < 0 && scaled != 0;
  return d;
}

std::string Grouped(const std::string& whole) {
  std::string out;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) out += ' ';
    out += whole[i];
  }
  return out;
}

int DecimalsOf(Currency value, bool twoDecimals) {
  return twoDecimals ? 2 : AdaptiveDecimals(Magnitude(value));
}

std::string CurrencyForm(const Digits& d) {
  std::string number = Grouped(d.whole) + "," + d.decimals;
  const CurrencyDisplay& display = Display();
  if (display.symbolFirst) return display.symbol + (d.negative ? "-" : "") + number;
  return (d.negative ? "-" : "") + number + display.symbol;
}

}  // namespace

std::string CurrencySymbol(std::string_view code) {
  if (code == "PLN") return std::string("zł"_cp);
  if (code == "EUR") return std::string("€"_cp);
  if (code == "USD") return "$";
  return std::string(code);
}

void SetCurrencyDisplay(std::string_view code) {
  Display().symbol = CurrencySymbol(code);
  Display().symbolFirst = code == "USD";
}

const std::string& CurrentCurrencySymbol() { return Display().symbol; }

std::string MoneyText(Currency value, bool twoDecimals) {
  Digits d = SplitDigits(value, DecimalsOf(value, twoDecimals));
  return (d.negative ? "-" : "") + d.whole + "," + d.decimals;
}

std::string MoneyCurrencyText(Currency value, bool twoDecimals) {
  return CurrencyForm(SplitDigits(value, DecimalsOf(value, twoDecimals)));
}

std::string MoneyCurrencyText4(Currency value) { return CurrencyForm(SplitDigits(value, 4)); }

std::string ShortDecimalText(Currency value) {
  Digits d = SplitDigits(value, 4);
  while (!d.decimals.empty() && d.decimals.back() == '0') d.decimals.pop_back();
  return (d.negative ? "-" : "") + d.whole + (d.decimals.empty() ? "" : "," + d.decimals);
}

std::string GeneralNumberText(double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";  // also for -0
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  std::string text = buf;
  // The exponent without its plus sign and leading zeros: 1E-5, 1E15.
  const size_t e = text.find('E');
  std::string exponent;
  if (e != std::string::npos) {
    std::string digits = text.substr(e + 1);
    text.erase(e);
    bool minus = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.erase(0, 1);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    exponent = std::string("E") + (minus ? "-" : "") + digits;
  }
  for (char& c : text)
    if (c == '.') c = ',';
  return text + exponent;
}

namespace {

// n / d (d > 0) to the nearest integer, halves to the even one, exactly.
__int128 DivideHalfEven(__int128 n, __int128 d) {
  __int128 q = n / d, r = n % d;
  if (r < 0) {
    r += d;
    --q;
  }
  if (2 * r > d || (2 * r == d && (q & 1) != 0)) ++q;
  return q;
}

// Device lengths stay far from the limits of int, whatever a setting or a file holds.
constexpr __int128 kDeviceLimit = int64_t{1} << 24;

int ClampedDevice(__int128 v) {
  return static_cast<int>(v < -kDeviceLimit ? -kDeviceLimit : v > kDeviceLimit ? kDeviceLimit : v);
}

}  // namespace

int MmToDevice(int dotsPerInch, double millimetres) {
  // The length as the decimal it was written as: every length of the page has at most
  // four decimals, which a double cannot hold exactly (1.3 is slightly more than 1.3).
  if (std::isnan(millimetres)) return 0;
  constexpr double kMaxMm = 1e12;
  const double mm = std::clamp(millimetres, -kMaxMm, kMaxMm);
  const __int128 tenThousandths = std::llround(mm * 10000.0);
  // dpi × mm / 25.4 = dpi × tenThousandths / 254000
  return ClampedDevice(DivideHalfEven(tenThousandths * dotsPerInch, 254000));
}

double DeviceToMm(int dots, int dotsPerInch) {
  if (dotsPerInch <= 0) return 0;
  // dots × 25.4 / dpi + 0.5 = (dots × 254 + 5 × dpi) / (10 × dpi)
  return static_cast<double>(DivideHalfEven(__int128{dots} * 254 + __int128{5} * dotsPerInch,
                                            __int128{10} * dotsPerInch));
}

std::string CleanText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const bool blank = c >= 1 && c <= 32;
    if (blank) {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += ch;
    }
  }
  // Leading blanks never enter; a single trailing one may.
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string PolishMonthName(int month) {
  static constexpr std::string_view kMonths[12] = {
      "styczeń"_cp, "luty", "marzec", "kwiecień"_cp, "maj", "czerwiec", "lipiec",
      "sierpień"_cp, "wrzesień"_cp, "październik"_cp, "listopad", "grudzień"_cp,
  };
  if (month < 1 || month > 12) return {};
  return std::string(kMonths[month - 1]);
}

std::string DateText(TDate date) { return IsoDateText(CalendarDate(date)); }

std::string SaleMonthText(TDate date, int documentLanguage) {
  const Ymd d = CalendarDate(date);
  char year[16];
  std::snprintf(year, sizeof year, "%04d", d.year);
  if (documentLanguage == 0) return PolishMonthName(d.month) + " " + year;
  char month[8];
  std::snprintf(month, sizeof month, "%02d", d.month);
  return std::string(month) + "." + year;
}

}  // namespace bilvox
