#include "words/number_input.h"

#include <cstdint>
#include <limits>

namespace bilvox {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<Currency> ParseDecimalInput(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  constexpr int64_t kLimit = std::numeric_limits<int64_t>::max();
  int64_t raw = 0;  // magnitude × 10000
  int decimals = 0;
  bool separator = false, anyDigit = false;
  int roundDigit = -1;   // the fifth decimal
  bool beyond = false;   // any non-zero decimal after the fifth
  for (char c : text) {
    if (c == ',' || c == '.') {
      if (separator) return std::nullopt;
      separator = true;
      continue;
    }
    if (!IsDigit(c)) return std::nullopt;
    anyDigit = true;
    const int digit = c - '0';
    if (!separator) {
      if (raw > (kLimit - digit * 10000) / 10) return std::nullopt;
      raw = raw * 10 + digit * 10000;
    } else if (decimals < 4) {
      static constexpr int64_t kPlace[4] = {1000, 100, 10, 1};
      raw += digit * kPlace[decimals++];
      if (raw < 0) return std::nullopt;
    } else if (roundDigit < 0) {
      roundDigit = digit;
    } else if (digit != 0) {
      beyond = true;
    }
  }
  if (!anyDigit) return std::nullopt;
  if (roundDigit > 5 || (roundDigit == 5 && (beyond || raw % 2 != 0))) {
    if (raw == kLimit) return std::nullopt;
    ++raw;
  }
  return Currency::FromRaw(negative ? -raw : raw);
}

DiscountInput DiscountFromText(std::string_view text) {
  const std::optional<Currency> typed = ParseDecimalInput(text);
  if (!typed) return {Currency{}, false};
  if (*typed < Currency{}) return {Currency{}, true};
  if (*typed > Currency::Of(100)) return {Currency::Of(100), true};
  return {*typed, false};
}

}  // namespace bilvox
