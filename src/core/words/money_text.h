// Money, measure and date texts of the windows and the printout. The printout is a Polish
// document whatever locale the process runs in: a comma separates the decimals, a blank the
// thousands, and months have their Polish names.
#pragma once

#include <string>
#include <string_view>

#include "common/dates.h"
#include "document/money.h"

namespace bilvox {

// The symbol of a currency code: "zł" for PLN, "€" (byte 0x80) for EUR, "$" for USD, the
// code itself for any other code.
std::string CurrencySymbol(std::string_view code);

// Sets the process-wide currency display that MoneyCurrencyText uses: the symbol of the code
// and where it goes. USD puts the symbol first ($1,00 and $-1,00); every other code puts it
// after the number without a blank (1,00zł and -1,00zł).
void SetCurrencyDisplay(std::string_view code);
// The symbol of the current display ("zł" until SetCurrencyDisplay is first called).
const std::string& CurrentCurrencySymbol();

// Plain fixed form: "-1234,5" with a comma and no thousands separator. With twoDecimals the
// value is shown with exactly two decimals (halves away from zero); otherwise with as many
// of its four decimals as are needed, never fewer than two (1,50; 1,505; 1,2345).
std::string MoneyText(Currency value, bool twoDecimals);
// Currency form: the same decimals, thousands separated by a blank, the symbol placed by the
// current display ("1 234,50zł", "$-12,30").
std::string MoneyCurrencyText(Currency value, bool twoDecimals);
// Currency form with exactly four decimals, as an exchange rate is shown ("4,2000zł").
std::string MoneyCurrencyText4(Currency value);
// The shortest decimal form of a value: its four decimals without the trailing zeros, and
// without the comma when none remain ("23", "8,5", "-0,125").
std::string ShortDecimalText(Currency value);
// The shortest general form of a floating-point number, up to 15 significant digits with a
// comma ("1,5", "3", "0,333333333333333"; "1E-5" and "1E15" beyond the plain range).
std::string GeneralNumberText(double value);

// Millimetres to device dots: dotsPerInch × millimetres / 25.4, to the nearest integer with
// halves to even, computed exactly from the millimetres as the decimal (of up to four
// places) they were written as: 1,3 mm at 127 dpi is exactly 6,5 dots and gives 6. The
// result stays within ±2^24.
int MmToDevice(int dotsPerInch, double millimetres);
// Device dots to whole millimetres: dots × 25.4 / dotsPerInch + 0.5, to the nearest integer
// with halves to even (exactly) (so any part of a millimetre counts as a whole one). 0 for a
// resolution that is not positive.
double DeviceToMm(int dots, int dotsPerInch);

// One-line form of a text: every character with a code from 1 to 32 becomes a blank, runs of
// blanks shrink to one, and the ends are trimmed.
std::string CleanText(std::string_view text);

// Polish nominative month name ("styczeń" ... "grudzień") of a month 1..12; empty otherwise.
std::string PolishMonthName(int month);
// A date on the printout: "yyyy-mm-dd".
std::string DateText(TDate date);
// The month of a continuous sale: "mmmm yyyy" ("marzec 2027") on a Polish document
// (language 0), "mm.yyyy" ("03.2027") in any other language.
std::string SaleMonthText(TDate date, int documentLanguage);

}  // namespace bilvox
