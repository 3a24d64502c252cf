// The line entry of the main window: the net and gross unit prices that follow each other
// through the chosen VAT rate, and the reading of the typed price and quantity.
#pragma once

#include <string_view>

#include "document/money.h"

namespace bilvox {

// The rate the two prices are coupled by: the rate table's value at the index, 0 for no
// index (-1) or an index outside the table; the exempt and not-subject rates count as 0.
Currency EntryRate(int vatIndex);

// The gross price of a net one: net × (1 + rate) to four decimals, then to whole grosze
// (halves away from zero). 10,005 at 23 % gives 12,31.
Currency EntryGrossFromNet(Currency net, int vatIndex);
// The net price of a gross one: gross / (1 + rate) to four decimals.
Currency EntryNetFromGross(Currency gross, int vatIndex);

// A typed price (kept to four decimals) or quantity. A text that is not a number throws
// Error with the message "'<text>' is not a valid floating point value".
Currency ReadEntryPrice(std::string_view text);
double ReadEntryQuantity(std::string_view text);

}  // namespace bilvox
