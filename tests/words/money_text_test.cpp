#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>

#include "common/cp1250.h"
#include "common/dates.h"
#include "document/money.h"
#include "support/currency_value.h"
#include "words/money_text.h"

namespace bilvox {
namespace {

using test_support::Amount;

std::string Cur(const char* code, const char* amount, bool two = true) {
  SetCurrencyDisplay(code);
  return ToUtf8(MoneyCurrencyText(Amount(amount), two));
}

TEST(CurrencyDisplay, SymbolAndPlacementByCode) {
  EXPECT_EQ(Cur("PLN", "1234.5"), "1 234,50zł");
  EXPECT_EQ(Cur("PLN", "-1"), "-1,00zł");
  EXPECT_EQ(Cur("EUR", "1"), "1,00€");
  EXPECT_EQ(Cur("EUR", "-1"), "-1,00€");
  SetCurrencyDisplay("EUR");
  EXPECT_EQ(CurrentCurrencySymbol(), "\x80");
  EXPECT_EQ(Cur("USD", "1"), "$1,00");
  EXPECT_EQ(Cur("USD", "-12.3"), "$-12,30");
  EXPECT_EQ(Cur("GBP", "1"), "1,00GBP");
  EXPECT_EQ(Cur("GBP", "-1"), "-1,00GBP");
  EXPECT_EQ(Cur("CHF", "1234567.891"), "1 234 567,89CHF");
  // Codes are taken as they stand: only the exact upper-case codes have their own symbols.
  EXPECT_EQ(Cur("usd", "1"), "1,00usd");
  EXPECT_EQ(Cur("", "1"), "1,00");
}

TEST(CurrencyDisplay, ThousandsGroupsAtEveryLength) {
  EXPECT_EQ(Cur("PLN", "0"), "0,00zł");
  EXPECT_EQ(Cur("PLN", "999.99"), "999,99zł");
  EXPECT_EQ(Cur("PLN", "1000"), "1 000,00zł");
  EXPECT_EQ(Cur("PLN", "-100000"), "-100 000,00zł");
  EXPECT_EQ(Cur("PLN", "922337203685477.5807", false), "922 337 203 685 477,5807zł");
  SetCurrencyDisplay("PLN");
  EXPECT_EQ(ToUtf8(MoneyCurrencyText(Currency{std::numeric_limits<int64_t>::min()}, false)),
            "-922 337 203 685 477,5808zł");
}

TEST(MoneyText, AdaptiveDecimals) {
  EXPECT_EQ(MoneyText(Amount("12.34"), false), "12,34");
  EXPECT_EQ(MoneyText(Amount("12.345"), false), "12,345");
  EXPECT_EQ(MoneyText(Amount("1.5"), false), "1,50");
  EXPECT_EQ(MoneyText(Amount("1.2345"), false), "1,2345");
  EXPECT_EQ(MoneyText(Amount("1.2005"), false), "1,2005");
  EXPECT_EQ(MoneyText(Amount("0.001"), false), "0,001");
  EXPECT_EQ(MoneyText(Amount("-0.0001"), false), "-0,0001");
  EXPECT_EQ(MoneyText(Amount("7"), false), "7,00");
  EXPECT_EQ(MoneyText(Amount("1234567.5"), false), "1234567,50");
}

TEST(MoneyText, TwoDecimalsRoundHalvesAwayFromZero) {
  EXPECT_EQ(MoneyText(Amount("1.2345"), true), "1,23");
  EXPECT_EQ(MoneyText(Amount("1.235"), true), "1,24");
  EXPECT_EQ(MoneyText(Amount("-1.235"), true), "-1,24");
  EXPECT_EQ(MoneyText(Amount("0.995"), true), "1,00");
  // A negative value that rounds to nothing shows no minus sign.
  EXPECT_EQ(MoneyText(Amount("-0.004"), true), "0,00");
}

TEST(MoneyText, FixedFourDecimalsAndShortestForms) {
  SetCurrencyDisplay("PLN");
  EXPECT_EQ(ToUtf8(MoneyCurrencyText4(Amount("4.2"))), "4,2000zł");
  EXPECT_EQ(ToUtf8(MoneyCurrencyText4(Amount("1234.5678"))), "1 234,5678zł");
  EXPECT_EQ(ShortDecimalText(Amount("23")), "23");
  EXPECT_EQ(ShortDecimalText(Amount("8.5")), "8,5");
  EXPECT_EQ(ShortDecimalText(Amount("-0.125")), "-0,125");
  EXPECT_EQ(ShortDecimalText(Amount("0")), "0");
  // Quantities: up to 15 significant digits, exponents beyond the plain range.
  EXPECT_EQ(GeneralNumberText(1.5), "1,5");
  EXPECT_EQ(GeneralNumberText(3), "3");
  EXPECT_EQ(GeneralNumberText(-2.25), "-2,25");
  EXPECT_EQ(GeneralNumberText(0.1 + 0.2), "0,3");
  EXPECT_EQ(GeneralNumberText(1.0 / 3), "0,333333333333333");
  EXPECT_EQ(GeneralNumberText(0.0001), "0,0001");
  EXPECT_EQ(GeneralNumberText(0.00001), "1E-5");
  EXPECT_EQ(GeneralNumberText(123456789012345.0), "123456789012345");
  EXPECT_EQ(GeneralNumberText(1e15), "1E15");
  EXPECT_EQ(GeneralNumberText(-0.0), "0");
}

TEST(MoneyText, IndependentOfTheProcessLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  std::string saved = previous ? previous : "C";
  std::setlocale(LC_ALL, "C.UTF-8");
  EXPECT_EQ(MoneyText(Amount("12.5"), true), "12,50");
  EXPECT_EQ(Cur("PLN", "1234.5"), "1 234,50zł");
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "pl_PL.UTF-8")) {
    EXPECT_EQ(GeneralNumberText(1.5), "1,5");
  }
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(Measures, MillimetresAndDots) {
  EXPECT_EQ(MmToDevice(600, 25.4), 600);
  EXPECT_EQ(MmToDevice(300, 10), 118);
  EXPECT_EQ(MmToDevice(96, 0), 0);
  EXPECT_EQ(MmToDevice(96, 210), 794);   // 793.7
  EXPECT_EQ(MmToDevice(300, 0.04), 0);    // 0.47
  EXPECT_EQ(MmToDevice(600, -10), -236);
  // Exact halves from the decimal millimetres, which a double holds only nearly.
  EXPECT_EQ(MmToDevice(127, 1.3), 6);    // 6.5
  EXPECT_EQ(MmToDevice(127, 0.7), 4);    // 3.5
  EXPECT_EQ(MmToDevice(127, -1.3), -6);
  EXPECT_EQ(DeviceToMm(5, 127), 2);      // 1 + 0.5
  EXPECT_EQ(DeviceToMm(600, 600), 26);   // 25.4 + 0.5
  EXPECT_EQ(DeviceToMm(0, 300), 0);      // 0 + 0.5 goes to even
  EXPECT_EQ(DeviceToMm(118, 300), 10);   // 9.99 + 0.5
  EXPECT_EQ(DeviceToMm(10, 0), 0);
  EXPECT_EQ(DeviceToMm(10, -300), 0);
}

TEST(CleanText, ControlCharactersAndBlankRuns) {
  EXPECT_EQ(CleanText("Firma\t  Kowalski"), "Firma Kowalski");
  EXPECT_EQ(CleanText("  ul. Długa 5\r\n00-950 Warszawa \x01"_cp), "ul. Długa 5 00-950 Warszawa"_cp);
  EXPECT_EQ(CleanText(" \t\r\n "), "");
  EXPECT_EQ(CleanText(""), "");
  EXPECT_EQ(CleanText("a\x7F" "b"), "a\x7F" "b");  // above 32: kept
}

TEST(DateTexts, PrintedDatesAndSaleMonths) {
  const TDate d = DayNumber(2027, 3, 5);
  EXPECT_EQ(DateText(d), "2027-03-05");
  EXPECT_EQ(DateText(DayNumber(987, 11, 9)), "0987-11-09");
  EXPECT_EQ(ToUtf8(SaleMonthText(d, 0)), "marzec 2027");
  EXPECT_EQ(ToUtf8(SaleMonthText(DayNumber(2026, 10, 31), 0)), "październik 2026");
  EXPECT_EQ(SaleMonthText(d, 1), "03.2027");
  EXPECT_EQ(SaleMonthText(d, 2), "03.2027");
  EXPECT_EQ(SaleMonthText(d, 4), "03.2027");
  const char* names[] = {"styczeń", "luty", "marzec", "kwiecień", "maj", "czerwiec",
                         "lipiec", "sierpień", "wrzesień", "październik", "listopad",
                         "grudzień"};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(ToUtf8(PolishMonthName(m)), names[m - 1]);
  EXPECT_EQ(PolishMonthName(0), "");
  EXPECT_EQ(PolishMonthName(13), "");
}

}  // namespace
}  // namespace bilvox
