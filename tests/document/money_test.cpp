#include <gtest/gtest.h>

#include "common/dates.h"
#include "document/money.h"

namespace bilvox {
namespace {

Currency C(const char* text) {
  Currency c;
  EXPECT_TRUE(ParseFixed(text, c)) << text;
  return c;
}

TEST(Rounding, RoundRawTiesGoToEven) {
  EXPECT_EQ(RoundRaw(0.5L), 0);
  EXPECT_EQ(RoundRaw(1.5L), 2);
  EXPECT_EQ(RoundRaw(2.5L), 2);
  EXPECT_EQ(RoundRaw(-2.5L), -2);
  EXPECT_EQ(RoundRaw(-3.5L), -4);
  EXPECT_EQ(RoundRaw(2.4999L), 2);
}

TEST(Rounding, RoundGroszHalvesAwayFromZero) {
  EXPECT_EQ(RoundGrosz(C("0.005")), C("0.01"));
  EXPECT_EQ(RoundGrosz(C("0.0049")), C("0"));
  EXPECT_EQ(RoundGrosz(C("-0.005")), C("-0.01"));
  EXPECT_EQ(RoundGrosz(C("-0.0049")), C("0"));
  EXPECT_EQ(RoundGrosz(C("1.2345")), C("1.23"));
  EXPECT_EQ(RoundGrosz(C("-1.2355")), C("-1.24"));
  EXPECT_EQ(RoundGrosz(C("7.4074")), C("7.41"));
}

TEST(Rates, TableLookupAndClamp) {
  EXPECT_EQ(FindVatIndex(C("0.23")), 7);
  EXPECT_EQ(FindVatIndex(C("-1")), 4);
  EXPECT_EQ(FindVatIndex(C("0.15")), 9);  // not in the table
  EXPECT_EQ(ClampRate(C("-2")), C("0"));
  EXPECT_EQ(ClampRate(C("1.5")), C("1"));
  EXPECT_EQ(ClampRate(C("0.08")), C("0.08"));
}

TEST(Rates, NewRatesFollowTheClockYear) {
  SetClock([] { return Ymd{2010, 12, 31}; });
  EXPECT_FALSE(NewVatRatesInForce());
  SetClock([] { return Ymd{2011, 1, 1}; });
  EXPECT_TRUE(NewVatRatesInForce());
  SetClock(nullptr);
}

TEST(FixedText, FourDecimalsWithAFullStop) {
  EXPECT_EQ(FixedText4(C("-61.5")), "-61.5000");
  EXPECT_EQ(FixedText4(C("0.23")), "0.2300");
  EXPECT_EQ(FixedText4(Currency{INT64_MIN}), "-922337203685477.5808");
  Currency c;
  EXPECT_FALSE(ParseFixed("1.23456", c));
  EXPECT_FALSE(ParseFixed("1,5", c));
  EXPECT_FALSE(ParseFixed("", c));
  EXPECT_FALSE(ParseFixed(".", c));
  EXPECT_FALSE(ParseFixed("99999999999999999", c));
  EXPECT_TRUE(ParseFixed(".5", c));
  EXPECT_EQ(c.raw, 5000);
}

}  // namespace
}  // namespace bilvox
