#include "document/money.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/dates.h"

namespace bilvox {

int64_t RoundRaw(long double v) {
  if (std::isnan(v)) return 0;
  constexpr long double kMax = 9223372036854775807.0L;
  if (v >= kMax) return std::numeric_limits<int64_t>::max();
  if (v <= -kMax) return std::numeric_limits<int64_t>::min();
  // The default rounding mode rounds to nearest with ties to even.
  return static_cast<int64_t>(std::nearbyintl(v));
}

Currency Currency::FromValue(long double v) { return Currency{RoundRaw(v * 10000.0L)}; }

Currency RoundGrosz(Currency v) {
  // In grosze: i is the whole part (toward zero), rest the fraction in hundredths of a grosz.
  const int64_t i = v.raw / 100;
  const int64_t rest = v.raw % 100;
  if (v.raw >= 0) return Currency{(rest >= 50 ? i + 1 : i) * 100};
  return Currency{(rest > -50 ? i : i - 1) * 100};
}

Currency ClampRate(Currency rate) {
  if (rate.raw < 0) return Currency{0};
  if (rate.raw > 10000) return Currency{10000};
  return rate;
}

Currency GrossFromNet(Currency net, Currency rate) {
  const long double raw = static_cast<long double>(net.raw) *
                          static_cast<long double>(10000 + ClampRate(rate).raw) / 10000.0L;
  return Currency::FromRaw(RoundRaw(raw));
}

int FindVatIndex(Currency rate) {
  for (int i = 0; i < kVatRateCount; ++i)
    if (VatRateTable[i] == rate) return i;
  return 9;
}

bool NewVatRatesInForce() { return TodayYmd().year > 2010; }

std::string FixedText4(Currency c) {
  uint64_t mag = c.raw < 0 ? static_cast<uint64_t>(-(c.raw + 1)) + 1 : static_cast<uint64_t>(c.raw);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%s%llu.%04llu", c.raw < 0 ? "-" : "",
                static_cast<unsigned long long>(mag / 10000),
                static_cast<unsigned long long>(mag % 10000));
  return buf;
}

bool ParseFixed(const std::string& t, Currency& out) {
  size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) neg = t[i++] == '-';
  unsigned long long whole = 0;
  size_t digits = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
    if (whole > 922337203685476ULL) return false;
    whole = whole * 10 + static_cast<unsigned>(t[i++] - '0');
    ++digits;
  }
  long long frac = 0;
  int fracDigits = 0;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
      if (fracDigits == 4) return false;
      frac = frac * 10 + (t[i++] - '0');
      ++fracDigits;
    }
    if (fracDigits == 0 && digits == 0) return false;
  }
  if (i != t.size() || (digits == 0 && fracDigits == 0)) return false;
  while (fracDigits < 4) { frac *= 10; ++fracDigits; }
  unsigned long long raw = whole * 10000ULL + static_cast<unsigned long long>(frac);
  if (raw > static_cast<unsigned long long>(std::numeric_limits<int64_t>::max())) return false;
  out.raw = neg ? -static_cast<int64_t>(raw) : static_cast<int64_t>(raw);
  return true;
}

}  // namespace bilvox
