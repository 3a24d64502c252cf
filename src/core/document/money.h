// Money arithmetic: the Currency type (value × 10000 in a signed 64-bit integer), the two
// rounding rules every amount goes through, and the fixed table of VAT rates.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <string>

namespace bilvox {

struct Currency {
  int64_t raw = 0;

  static constexpr Currency FromRaw(int64_t r) { return Currency{r}; }
  // Whole units and four decimals: Currency::Of(12, 3400) is 12.34.
  static constexpr Currency Of(int64_t units, int64_t tenThousandths = 0) {
    return Currency{units * 10000 + (units < 0 ? -tenThousandths : tenThousandths)};
  }
  // The nearest Currency to a value (ties to even), e.g. a rate typed by the user.
  static Currency FromValue(long double v);

  long double Value() const { return static_cast<long double>(raw) / 10000.0L; }

  // Sums and differences beyond the range of the type saturate at its limits (as RoundRaw
  // does), so amounts from a damaged file cannot wrap around.
  friend constexpr Currency operator+(Currency a, Currency b) {
    int64_t r;
    if (__builtin_add_overflow(a.raw, b.raw, &r)) r = b.raw < 0 ? INT64_MIN : INT64_MAX;
    return {r};
  }
  friend constexpr Currency operator-(Currency a, Currency b) {
    int64_t r;
    if (__builtin_sub_overflow(a.raw, b.raw, &r)) r = b.raw < 0 ? INT64_MAX : INT64_MIN;
    return {r};
  }
  friend constexpr Currency operator-(Currency a) { return Currency{} - a; }
  constexpr Currency& operator+=(Currency b) { return *this = *this + b; }
  constexpr Currency& operator-=(Currency b) { return *this = *this - b; }
  friend constexpr bool operator==(Currency, Currency) = default;
  friend constexpr auto operator<=>(Currency, Currency) = default;
};

// The value in plain form with a full stop and exactly four decimals ("-61.5000").
std::string FixedText4(Currency c);
// Parses "12", "-0.5", "4.2156" (full stop, up to four decimals); false on anything else.
bool ParseFixed(const std::string& text, Currency& out);

// Stores an extended-precision result as the nearest raw integer, ties to even. Results
// beyond the range of the type saturate at its limits.
int64_t RoundRaw(long double rawValue);

// Rounds to whole grosze (two decimals), halves away from zero.
Currency RoundGrosz(Currency v);

// A rate in arithmetic: below 0 becomes 0, above 1.0000 becomes 1.0000.
Currency ClampRate(Currency rate);

// A net amount with VAT added at a rate (clamped as ClampRate does), to the nearest raw unit
// (not yet rounded to grosze).
Currency GrossFromNet(Currency net, Currency rate);

inline constexpr int kVatRateCount = 10;
inline constexpr int kVatIndexAll = 6;        // the key of all rates together in the sums
inline constexpr int kVatIndexExempt = 4;     // "zwoln."
inline constexpr int kVatIndexNotSubject = 5; // "nie podlega opod."

inline constexpr std::array<Currency, kVatRateCount> VatRateTable = {
    Currency{2200},  Currency{700},   Currency{300},  Currency{0},   Currency{-10000},
    Currency{-20000}, Currency{10000}, Currency{2300}, Currency{800}, Currency{500},
};

// The first index whose rate equals the value; 9 when none does.
int FindVatIndex(Currency rate);

// True when the clock's year is above 2010: new lines default to 23 % and the rate list
// shows the rates in force since 2011 first.
bool NewVatRatesInForce();

}  // namespace bilvox
