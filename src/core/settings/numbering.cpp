#include "settings/numbering.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "common/cp1250.h"
#include "common/dates.h"

namespace bilvox {

namespace {

std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

std::string DateCodeText(char code) {
  switch (code) {
    case 'm': return TwoDigits(TodayYmd().month);
    case 'M': return AsciiUpper(PolishShortMonthName(TodayYmd().month));
    case 'r': return TwoDigits(TodayYmd().year % 100);
    case 'R': {
      char buf[16];
      std::snprintf(buf, sizeof buf, "%04d", TodayYmd().year);
      return buf;
    }
    default: return {};
  }
}

}  // namespace

std::string_view PolishShortMonthName(int month) {
  static constexpr std::string_view kNames[12] = {
      "sty", "lut", "mar", "kwi", "maj", "cze", "lip", "sie", "wrz", "paź"_cp, "lis", "gru"};
  return month >= 1 && month <= 12 ? kNames[month - 1] : std::string_view();
}

std::string ExpandDateCodes(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    ++i;  // the character after "%" is its code and goes with it
    out += DateCodeText(i < text.size() ? text[i] : '\0');
  }
  return out;
}

std::string FormatCounter(int32_t counter, int32_t width) {
  std::string digits = std::to_string(counter < 0 ? -int64_t{counter} : int64_t{counter});
  size_t minimum = static_cast<size_t>(std::clamp(width, int32_t{0}, kMaxNumberWidth));
  if (digits.size() < minimum) digits.insert(0, minimum - digits.size(), '0');
  return counter < 0 ? "-" + digits : digits;
}

std::string BuildNumber(std::string_view prefix, int32_t counter, int32_t width,
                        std::string_view suffix) {
  std::string number = ExpandDateCodes(prefix);
  number += FormatCounter(counter, width);
  number += ExpandDateCodes(suffix);
  return number;
}

int32_t IntegerFromText(std::string_view text, int32_t fallback) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return fallback;
  }
  if (text.empty()) return fallback;
  int32_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return fallback;
  return v;
}

std::string PreviewNumber(std::string_view prefix, std::string_view counterText,
                          std::string_view widthText, std::string_view suffix) {
  return BuildNumber(prefix, IntegerFromText(counterText, 1), IntegerFromText(widthText, 1), suffix);
}

}  // namespace bilvox
