#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "common/cp1250.h"
#include "document/money.h"
#include "support/currency_value.h"
#include "printout/texts.h"
#include "words/german_words.h"
#include "words/polish_words.h"

namespace bilvox {
namespace {

using test_support::Amount;

std::string Words(const char* amount, const char* code = "PLN", int language = 0) {
  return ToUtf8(AmountInWords(Amount(amount), code, language));
}

TEST(PolishAmountInWords, ZlotyTable) {
  const struct { const char* amount; const char* text; } cases[] = {
      {"0.00", "zero zł zero gr"},
      {"0.50", "zero zł pięćdziesiąt gr"},
      {"1.00", "jeden zł zero gr"},
      {"2.00", "dwa zł zero gr"},
      {"5.00", "pięć zł zero gr"},
      {"12.00", "dwanaście zł zero gr"},
      {"21.00", "dwadzieścia jeden zł zero gr"},
      {"101.00", "sto jeden zł zero gr"},
      {"1000.00", "jeden tysiąc zł zero gr"},
      {"1001.00", "jeden tysiąc jeden zł zero gr"},
      {"2000.00", "dwa tysiące zł zero gr"},
      {"5000.00", "pięć tysięcy zł zero gr"},
      {"12000.00", "dwanaście tysięcy zł zero gr"},
      {"22000.00", "dwadzieścia dwa tysiące zł zero gr"},
      {"100000.00", "sto tysięcy zł zero gr"},
      {"101000.00", "sto jeden tysięcy zł zero gr"},
      {"234567.89",
       "dwieście trzydzieści cztery tysiące pięćset sześćdziesiąt siedem zł osiemdziesiąt "
       "dziewięć gr"},
      {"-12.34", "minus dwanaście zł trzydzieści cztery gr"},
  };
  for (const auto& c : cases) EXPECT_EQ(Words(c.amount), c.text) << c.amount;
}

TEST(PolishAmountInWords, ThousandFormsAcrossTheTeensAndTwenties) {
  EXPECT_EQ(Words("4000"), "cztery tysiące zł zero gr");
  EXPECT_EQ(Words("14000"), "czternaście tysięcy zł zero gr");
  EXPECT_EQ(Words("21000"), "dwadzieścia jeden tysięcy zł zero gr");
  EXPECT_EQ(Words("25000"), "dwadzieścia pięć tysięcy zł zero gr");
  EXPECT_EQ(Words("134000"), "sto trzydzieści cztery tysiące zł zero gr");
  EXPECT_EQ(Words("200000"), "dwieście tysięcy zł zero gr");
  EXPECT_EQ(Words("999999.99"),
            "dziewięćset dziewięćdziesiąt dziewięć tysięcy dziewięćset dziewięćdziesiąt "
            "dziewięć zł dziewięćdziesiąt dziewięć gr");
}

TEST(PolishAmountInWords, MillionsAndAboveAgreeWithTheirNumber) {
  EXPECT_EQ(Words("1000000"), "jeden milion zł zero gr");
  EXPECT_EQ(Words("2000000"), "dwa miliony zł zero gr");
  EXPECT_EQ(Words("5000000"), "pięć milionów zł zero gr");
  EXPECT_EQ(Words("12000000"), "dwanaście milionów zł zero gr");
  EXPECT_EQ(Words("22000000"), "dwadzieścia dwa miliony zł zero gr");
  EXPECT_EQ(Words("101000000"), "sto jeden milionów zł zero gr");
  EXPECT_EQ(Words("1001000"), "jeden milion jeden tysiąc zł zero gr");
  EXPECT_EQ(Words("1000500.01"), "jeden milion pięćset zł jeden gr");
  EXPECT_EQ(Words("3002001"), "trzy miliony dwa tysiące jeden zł zero gr");
  EXPECT_EQ(Words("1000000000"), "jeden miliard zł zero gr");
  EXPECT_EQ(Words("24000000000"), "dwadzieścia cztery miliardy zł zero gr");
  EXPECT_EQ(Words("1000000000000"), "jeden bilion zł zero gr");
  EXPECT_EQ(Words("-7000000000000"), "minus siedem bilionów zł zero gr");
  // The largest whole part a Currency holds.
  EXPECT_EQ(ToUtf8(PolishNumberWords(Currency{std::numeric_limits<int64_t>::max()})),
            "dziewięćset dwadzieścia dwa biliony trzysta trzydzieści siedem miliardów "
            "dwieście trzy miliony sześćset osiemdziesiąt pięć tysięcy czterysta "
            "siedemdziesiąt siedem");
  EXPECT_EQ(ToUtf8(AmountInWords(Currency{std::numeric_limits<int64_t>::min()}, "PLN", 0)),
            "minus dziewięćset dwadzieścia dwa biliony trzysta trzydzieści siedem miliardów "
            "dwieście trzy miliony sześćset osiemdziesiąt pięć tysięcy czterysta "
            "siedemdziesiąt siedem zł pięćdziesiąt osiem gr");
}

TEST(PolishAmountInWords, GroszeAreTruncatedToWholeGrosze) {
  EXPECT_EQ(Words("12.3456"), "dwanaście zł trzydzieści cztery gr");
  EXPECT_EQ(Words("0.0099"), "zero zł zero gr");
  EXPECT_EQ(Words("0.9999"), "zero zł dziewięćdziesiąt dziewięć gr");
}

TEST(ForeignAmountInWords, SymbolAndHundredths) {
  EXPECT_EQ(Words("12.34", "EUR"), "dwanaście € 34/100");
  EXPECT_EQ(Words("12.05", "EUR"), "dwanaście € 5/100");
  EXPECT_EQ(AmountInWords(Amount("1"), "EUR", 0), "jeden \x80 0/100");
  EXPECT_EQ(Words("-3.10", "USD"), "minus trzy $ 10/100");
  EXPECT_EQ(Words("7", "GBP"), "siedem GBP 0/100");
  EXPECT_EQ(Words("7", "SOMETHINGLONG"), "siedem SOMETHINGLONG 0/100");
  // Hundredths round with halves to even.
  EXPECT_EQ(Words("12.345", "EUR"), "dwanaście € 34/100");
  EXPECT_EQ(Words("12.355", "EUR"), "dwanaście € 36/100");
  EXPECT_EQ(Words("12.3451", "EUR"), "dwanaście € 35/100");
  // Hundredths that round up to a whole unit carry into the whole part.
  EXPECT_EQ(Words("12.996", "EUR"), "trzynaście € 0/100");
  EXPECT_EQ(Words("999999.999", "EUR"), "jeden milion € 0/100");
}

TEST(GermanAmountInWords, LanguagesOneAndTwoUseGermanWords) {
  EXPECT_EQ(Words("21.01", "PLN", 1), "ein und zwanzig zł eins gr");
  EXPECT_EQ(Words("1.00", "PLN", 2), "eins zł null gr");
  EXPECT_EQ(Words("12.05", "EUR", 2), "zwölf € 5/100");
  EXPECT_EQ(Words("-100", "EUR", 1), "minus ein hundert  € 0/100");
  // 3 and 4 (and anything else) write Polish words.
  EXPECT_EQ(Words("2", "PLN", 3), "dwa zł zero gr");
  EXPECT_EQ(Words("2", "PLN", 4), "dwa zł zero gr");
  EXPECT_EQ(Words("2", "PLN", 7), "dwa zł zero gr");
}

TEST(GermanAmountInWords, AmountsBeyond32Bits) {
  EXPECT_EQ(Words("2147483648", "EUR", 2),
            "zwei tausend ein hundert sieben und vierzig millionen vier hundert drei und "
            "achtzig tausend sechs hundert acht und vierzig € 0/100");
  EXPECT_EQ(Words("1000000000000", "EUR", 2), "eine billion  € 0/100");
  EXPECT_EQ(Words("922337203685477.58", "EUR", 2),
            "neun hundert zwei und zwanzig billionen drei hundert sieben und dreissig tausend "
            "zwei hundert drei millionen sechs hundert fünf und achtzig tausend vier hundert "
            "sieben und siebzig € 58/100");
}

TEST(AmountInWords, FollowsTheActivePrintoutLanguage) {
  SelectTexts(2);
  EXPECT_EQ(ToUtf8(AmountInWords(Amount("2"), "PLN")), "zwei zł null gr");
  SelectTexts(3);  // selects nothing: still German
  EXPECT_EQ(ToUtf8(AmountInWords(Amount("2"), "PLN")), "zwei zł null gr");
  SelectTexts(0);
  EXPECT_EQ(ToUtf8(AmountInWords(Amount("2"), "PLN")), "dwa zł zero gr");
}

TEST(GermanWords, Table) {
  const struct { int64_t n; const char* text; } cases[] = {
      {0, "null"},
      {1, "eins"},
      {7, "sieben"},
      {17, "siebzehn"},
      {18, "acht zehn"},
      {20, "zwanzig"},
      {21, "ein und zwanzig"},
      {30, "dreissig"},
      {99, "neun und neunzig"},
      {100, "ein hundert "},
      {101, "ein hundert ein"},
      {118, "ein hundert acht zehn"},
      {1000, "ein tausend "},
      {2500, "zwei tausend fünf hundert "},
      {1000000, "eine million "},
      {2000001, "zwei millionen ein"},
      {1234567,
       "eine million zwei hundert vier und dreissig tausend fünf hundert sieben und sechzig"},
      {-5, "minus fünf"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToUtf8(GermanNumberWords(c.n)), c.text) << c.n;
}

TEST(GermanWords, ComposeAndTheEnds) {
  EXPECT_EQ(GermanCompose(0), "");
  EXPECT_EQ(GermanCompose(-3), "");
  EXPECT_EQ(GermanCompose(1), "ein");
  EXPECT_EQ(GermanNumberWords(-1), "minus eins");
  EXPECT_EQ(GermanNumberWords(19), "neun zehn");
  // A zero remainder keeps its blank inside a count of millions as well.
  EXPECT_EQ(GermanCompose(1000000000), "ein tausend  millionen ");
  EXPECT_EQ(GermanCompose(2000000000000), "zwei billionen ");
  EXPECT_EQ(GermanNumberWords(std::numeric_limits<int32_t>::min()),
            "minus zwei tausend ein hundert sieben und vierzig millionen vier hundert drei und "
            "achtzig tausend sechs hundert acht und vierzig");
  // The 64-bit ends have texts of their own.
  const std::string max =
      "neun trillionen zwei hundert drei und zwanzig tausend drei hundert zwei und siebzig "
      "billionen sechs und dreissig tausend acht hundert vier und fünfzig millionen sieben "
      "hundert fünf und siebzig tausend acht hundert sieben";
  EXPECT_EQ(ToUtf8(GermanNumberWords(std::numeric_limits<int64_t>::max())), max);
  EXPECT_EQ(ToUtf8(GermanNumberWords(std::numeric_limits<int64_t>::min())),
            "minus " + max.substr(0, max.size() - 6) + "acht");
}

}  // namespace
}  // namespace bilvox
