// The amount due in words: Polish or German number words by the printout language, with
// "zł" and "gr" for złoty amounts and the currency symbol and "/100" for other currencies.
#pragma once

#include <string>
#include <string_view>

#include "document/money.h"

namespace bilvox {

// Polish words of the whole part of |n| ("zero", "dwa tysiące", "jeden milion"). Thousands,
// millions, milliards and billions agree with the number before them the same way:
// 1 "jeden tysiąc"/"jeden milion" (but 101 "sto jeden tysięcy"), 2..4 and 22..24, 32..34 ...
// the plural ("tysiące", "miliony"), everything else the genitive plural ("tysięcy",
// "milionów"). Text is Windows-1250.
std::string PolishNumberWords(Currency n);

// The amount in words for a currency code and a printout language code (1 and 2 give German
// number words, every other code Polish ones):
//   PLN:    "dwanaście zł trzydzieści cztery gr"
//   others: "dwanaście € 34/100" (the symbol of the code, the hundredths rounded with
//           halves to even; hundredths that round up to 100 carry into the whole part)
// A negative amount is written as "minus " and the words of its magnitude.
std::string AmountInWords(Currency amount, std::string_view currencyCode, int language);
// The same in the active language of the printout texts.
std::string AmountInWords(Currency amount, std::string_view currencyCode);

}  // namespace bilvox
