// Numbers typed into the windows' fields, the file name of a document number, and the full
// stop of the error box.
#include <gtest/gtest.h>

#include "common/cp1250.h"
#include "common/error_report.h"
#include "document/number_file_name.h"
#include "support/money_text.h"
#include "words/number_input.h"

namespace bilvox {
namespace {

using testing::C;

TEST(NumberInputTest, DecimalsWithCommaOrFullStopToFourPlaces) {
  EXPECT_EQ(ParseDecimalInput("12,5"), C("12.5"));
  EXPECT_EQ(ParseDecimalInput(" -0.125 "), C("-0.125"));
  EXPECT_EQ(ParseDecimalInput("+7"), C("7"));
  EXPECT_EQ(ParseDecimalInput(",5"), C("0.5"));
  EXPECT_EQ(ParseDecimalInput("10,00005"), C("10"));       // a tie goes to the even
  EXPECT_EQ(ParseDecimalInput("10,00015"), C("10.0002"));
  EXPECT_EQ(ParseDecimalInput("10,000050001"), C("10.0001"));
  for (const char* bad : {"", " ", "-", ",", "1,2,3", "12a", "1 000", "1e3"})
    EXPECT_EQ(ParseDecimalInput(bad), std::nullopt) << bad;
  EXPECT_EQ(ParseDecimalInput("922337203685477"), C("922337203685477"));
  EXPECT_EQ(ParseDecimalInput("922337203685478"), std::nullopt);  // beyond the amount type

  EXPECT_EQ(DiscountFromText("150").value, C("100"));
  EXPECT_TRUE(DiscountFromText("150").clamped);
  EXPECT_EQ(DiscountFromText("-5").value, C("0"));
  EXPECT_TRUE(DiscountFromText("-5").clamped);
  EXPECT_EQ(DiscountFromText("abc").value, C("0"));
  EXPECT_FALSE(DiscountFromText("abc").clamped);
  EXPECT_FALSE(DiscountFromText("100").clamped);
}

TEST(NumberInputTest, FileNameOfANumberAndTheErrorBoxText) {
  EXPECT_EQ(SafeFileNameOfNumber("F/12/03/27"), "F-12-03-27");
  EXPECT_EQ(SafeFileNameOfNumber("a\"b:c<d>e\\f|g h"), "a_b_c_d_e-f-g h");
  EXPECT_EQ(AutoSavePath("/dok/Łódź"_cp, "F/1/Ż"_cp), "/dok/Łódź/F-1-Ż.ftv");
  EXPECT_EQ(AutoSavePath("/dok/", "F/1"), "/dok/F-1.ftv");
  EXPECT_EQ(AutoSavePath("", "F/1"), "/F-1.ftv");
  EXPECT_EQ(WithClosingStop("Brak danych"), "Brak danych.");
  EXPECT_EQ(WithClosingStop("Gotowe."), "Gotowe.");
  EXPECT_EQ(WithClosingStop("Uwaga!"), "Uwaga!");
  EXPECT_EQ(WithClosingStop("linia\r\n"), "linia\r\n");
  EXPECT_EQ(WithClosingStop(""), "");
}

}  // namespace
}  // namespace bilvox
