#include "words/number_input.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

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

std::optional<double> ParseQuantityInput(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  // Checked here, so that nothing but a plain decimal number reaches from_chars (which
  // would also take "inf" and "nan").
  std::string plain;
  size_t at = 0;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    if (text[at] == '-') plain += '-';
    ++at;
  }
  bool separator = false, digits = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (IsDigit(c)) {
      digits = true;
      plain += c;
    } else if ((c == ',' || c == '.') && !separator) {
      separator = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (!digits) return std::nullopt;
  if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
    plain += 'e';
    ++at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) plain += text[at++];
    bool exponentDigits = false;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
      exponentDigits = true;
      plain += text[at];
    }
    if (!exponentDigits) return std::nullopt;
  }
  if (at != text.size()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

DiscountInput DiscountFromText(std::string_view text) {
  const std::optional<Currency> typed = ParseDecimalInput(text);
  if (!typed) return {Currency{}, false};
  if (*typed < Currency{}) return {Currency{}, true};
  if (*typed > Currency::Of(100)) return {Currency::Of(100), true};
  return {*typed, false};
}

}  // namespace bilvox
