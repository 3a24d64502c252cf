// Automatic document numbers: prefix + counter with a minimum count of digits + suffix,
// where prefix and suffix may hold date codes (%m month, %M short month name in capitals,
// %r two-digit year, %R four-digit year; any other "%x" and a final "%" vanish).
// Texts are Windows-1250; the date is today's (TodayYmd), read once for each code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bilvox {

// The Polish short name of a month 1..12 ("sty" ... "gru"), whatever the process locale.
std::string_view PolishShortMonthName(int month);

// Replaces every "%" and the character after it by its date code's text.
std::string ExpandDateCodes(std::string_view text);

// The counter in decimal with at least `width` digits (leading zeros). A counter longer
// than the width is written in full; the padding stops at kMaxNumberWidth digits.
inline constexpr int32_t kMaxNumberWidth = 64;
std::string FormatCounter(int32_t counter, int32_t width);

// Expanded prefix + formatted counter + expanded suffix.
std::string BuildNumber(std::string_view prefix, int32_t counter, int32_t width,
                        std::string_view suffix);

// A decimal integer typed by the user (optional blanks before it and a sign), or
// `fallback` when the text is not one or does not fit in 32 bits.
int32_t IntegerFromText(std::string_view text, int32_t fallback);

// The number the typed texts of one numbering row would give; a counter or width text
// that is not a valid integer counts as 1.
std::string PreviewNumber(std::string_view prefix, std::string_view counterText,
                          std::string_view widthText, std::string_view suffix);

}  // namespace bilvox
