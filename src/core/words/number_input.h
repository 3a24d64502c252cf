// Numbers typed into the windows' fields: amounts, percentages and rates. The user writes a
// decimal number with a comma (the Polish separator) or a full stop, optionally with blanks
// around it and a sign in front; there are no thousands separators and no exponents.
#pragma once

#include <optional>
#include <string_view>

#include "document/money.h"

namespace bilvox {

// The typed number kept to four decimals (further decimals round to the nearest, ties to
// even). Empty when the text is not such a number or does not fit the amount type.
std::optional<Currency> ParseDecimalInput(std::string_view text);

// A typed quantity as a floating-point number: the same forms, and an exponent as the
// shortest form of a number writes it ("1E-5"). Empty when the text is not such a number or
// it is too large to hold.
std::optional<double> ParseQuantityInput(std::string_view text);

// A discount percentage typed by the user: text that is not a number counts as 0, a value
// below 0 becomes 0 and one above 100 becomes 100. `clamped` tells that the field should be
// rewritten with the corrected value.
struct DiscountInput {
  Currency value;
  bool clamped = false;
};
DiscountInput DiscountFromText(std::string_view text);

}  // namespace bilvox
