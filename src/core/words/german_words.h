// Whole numbers in German words, written as separate tokens joined by blanks
// (21 is "ein und zwanzig", 18 is "acht zehn"), the way the printout shows them.
#pragma once

#include <cstdint>
#include <string>

namespace bilvox {

// The words of n: "null" for 0, "eins" for 1, "minus " before the words of a negative
// number. Text is Windows-1250.
std::string GermanNumberWords(int64_t n);

// The words of n > 0 without the special forms of 0 and 1 (a standalone 1 is "ein"); the
// empty text for n <= 0. A zero remainder after "hundert", "tausend", "million(en)" or
// "billion(en)" leaves the trailing blank in place ("ein hundert ").
//
// Millions take every number up to 999 999 in front of them, so 10^9 reads
// "ein tausend millionen " and 2^31 - 1 "zwei tausend ein hundert sieben und vierzig
// millionen ..."; from 10^12 on the same pattern continues with "billion(en)" (10^12) and
// "trillion(en)" (10^18), so every 64-bit value has its own text.
std::string GermanCompose(int64_t n);

}  // namespace bilvox
