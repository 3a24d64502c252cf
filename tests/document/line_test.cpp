#include <gtest/gtest.h>

#include "common/cp1250.h"
#include "common/dates.h"
#include "document/faktura.h"
#include "support/money_text.h"
#include "support/recording_messages.h"

namespace bilvox {
namespace {

using testing::C;

class LineTest : public ::testing::Test {
 protected:
  testing::RecordingMessages messages;
  TFaktura doc;

  TTowar& Add(const char* price, double quantity, int vatIndex = 7, bool isGross = false) {
    return doc.Line(doc.AddLine("Towar", "", vatIndex, isGross, C(price), quantity, "", "", "szt."));
  }
};

TEST(Line, DefaultRateFollowsTheClockYear) {
  SetClock([] { return Ymd{2011, 1, 1}; });
  TTowar now;
  SetClock([] { return Ymd{2010, 12, 31}; });
  TTowar before;
  SetClock(nullptr);
  EXPECT_EQ(now.VatRate, C("0.23"));
  EXPECT_EQ(now.GetVatIndex(), 7);
  EXPECT_EQ(before.VatRate, C("0.22"));
  EXPECT_EQ(before.GetVatIndex(), 0);
  EXPECT_EQ(now.Name, "[Brak]");
  EXPECT_EQ(now.Unit, "szt.");
}

TEST(Line, VatIndexOfRatesOutsideTheTable) {
  TTowar line;
  line.VatRate = C("0.15");  // as a file may carry it
  EXPECT_EQ(line.GetVatIndex(), 9);
  line.SetVatIndex(10);  // ignored
  line.SetVatIndex(-1);
  EXPECT_EQ(line.VatRate, C("0.15"));
  line.SetVatIndex(4);
  EXPECT_EQ(line.VatRate, C("-1"));
  EXPECT_EQ(line.GetVatIndex(), 4);
}

TEST(Line, TranslationsFallBackToPolish) {
  TTowar line;
  line.Name = "Krzesło"_cp;
  line.NameLang34 = "Chair";
  line.UnitLang12 = "Stk.";
  EXPECT_EQ(line.NameFor(1), line.Name);
  EXPECT_EQ(line.NameFor(2), line.Name);
  EXPECT_EQ(line.NameFor(4), "Chair");
  EXPECT_EQ(line.UnitFor(2), "Stk.");
  EXPECT_EQ(line.UnitFor(3), "szt.");
  EXPECT_EQ(line.NameFor(5), "");

  TTowar copy;
  copy.CopyFrom(&line);
  EXPECT_EQ(copy.NameLang12, line.Name);  // empty translation becomes the Polish text
  EXPECT_EQ(copy.NameLang34, "Chair");
  EXPECT_EQ(copy.UnitLang34, "szt.");
  copy.CopyFrom(nullptr);
  EXPECT_EQ(copy.Name, line.Name);
}

TEST_F(LineTest, NetPricing) {
  TTowar& line = Add("100.00", 3);
  EXPECT_EQ(line.NetValue(), C("300"));
  EXPECT_EQ(line.VatValue(), C("69"));
  EXPECT_EQ(line.GrossValue(), C("369"));
  EXPECT_EQ(line.GrossUnitPrice(), C("123"));
}

TEST_F(LineTest, GrossPricing) {
  doc.SetGrossPricing(true);
  TTowar& line = Add("123.00", 1, 7, true);
  EXPECT_EQ(line.GrossValue(), C("123"));
  EXPECT_EQ(line.VatValue(), C("23"));
  EXPECT_EQ(line.NetValue(), C("100"));
  EXPECT_EQ(line.NetUnitPrice(), C("100"));

  // Exempt: no VAT, and the clamped rate 0 makes both unit prices equal.
  TTowar& exempt = Add("50.00", 2, kVatIndexExempt, true);
  EXPECT_EQ(exempt.VatValue(), C("0"));
  EXPECT_EQ(exempt.NetValue(), exempt.GrossValue());
  EXPECT_EQ(exempt.NetUnitPrice(), C("50"));
  EXPECT_EQ(exempt.GrossUnitPrice(), C("50"));
}

TEST_F(LineTest, GrossPriceWithNetPricingIsConvertedFirst) {
  TTowar& line = Add("12.30", 2, 7, true);
  EXPECT_EQ(line.NetUnitPrice(), C("10"));
  EXPECT_EQ(line.NetValue(), C("20"));
  EXPECT_EQ(line.VatValue(), C("4.60"));
  EXPECT_EQ(line.GrossValue(), C("24.60"));
}

TEST_F(LineTest, DiscountBeforeRoundingToGrosze) {
  doc.SetBuyerDiscount(C("10"));
  EXPECT_EQ(Add("9.99", 1).NetUnitPrice(), C("8.99"));      // 8.991, two-decimal column
  EXPECT_EQ(Add("9.995", 1).NetUnitPrice(), C("8.9955"));   // four decimals stay
  // The discount comes before the gross-to-net conversion: 24.60 - 10 % = 22.14 → 18.00.
  EXPECT_EQ(Add("24.60", 1, 7, true).NetUnitPrice(), C("18"));
  // Ties in the stored raw value go to even: 0.0001 / 2 → 0, 0.0003 / 2 → 0.0002.
  doc.SetBuyerDiscount(C("50"));
  EXPECT_EQ(Add("0.0001", 1).NetUnitPrice(), C("0"));
  EXPECT_EQ(Add("0.0003", 1).NetUnitPrice(), C("0.0002"));
}

TEST_F(LineTest, QuantityRoundingAndSigns) {
  EXPECT_EQ(Add("0.01", 0.5).NetValue(), C("0.01"));     // 0.005 rounds away from zero
  EXPECT_EQ(Add("0.01", -0.5).NetValue(), C("-0.01"));
  EXPECT_EQ(Add("0.01", 0.49).NetValue(), C("0"));
  EXPECT_EQ(Add("-10.00", 1).VatValue(), C("-2.30"));
}

TEST_F(LineTest, ForeignColumnRoundsByThePlnColumn) {
  doc.SetCurrency("EUR");
  TTowar& line = Add("1.2345", 1, 3);  // goes to the foreign column, PLN column stays 0
  EXPECT_EQ(line.PriceForeign, C("1.2345"));
  EXPECT_EQ(line.PricePLN, C("0"));
  EXPECT_EQ(line.NetUnitPrice(), C("1.23"));
  line.PricePLN = C("5.0001");
  EXPECT_EQ(line.NetUnitPrice(), C("1.2345"));
  doc.SetCurrency("PLN");  // back to the PLN column, nothing converted
  EXPECT_EQ(line.ActivePrice(), C("5.0001"));
}

TEST_F(LineTest, BillsCarryNoVat) {
  doc.NewDocument(DocumentKind::Bill, "");
  TTowar& line = Add("50.00", 1, 7);
  EXPECT_EQ(line.VatValue(), C("0"));
  EXPECT_EQ(line.GrossValue(), C("50"));
  EXPECT_EQ(doc.AmountDue(), C("50"));
}

TEST_F(LineTest, RateAboveOneIsClampedOnlyInUnitPrices) {
  TTowar& line = Add("10.00", 1);
  line.VatRate = C("1.5");
  EXPECT_EQ(line.GrossUnitPrice(), C("20"));  // clamped to 100 %
  EXPECT_EQ(line.VatValue(), C("15"));        // the net column uses the rate as it is
}

}  // namespace
}  // namespace bilvox
