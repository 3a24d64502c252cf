#include <gtest/gtest.h>

#include "common/cp1250.h"
#include "common/dates.h"
#include "common/error.h"
#include "document/faktura.h"
#include "support/money_text.h"
#include "support/recording_messages.h"

namespace bilvox {
namespace {

using testing::C;

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() {
    doc.OnChange = [this](TFaktura&) { ++changes; };
    doc.OnFileNameChange = [this](TFaktura&) { ++fileNameChanges; };
  }

  int Add(const char* price, double quantity = 1, int vatIndex = 7, bool isGross = false) {
    return doc.AddLine("Towar", "", vatIndex, isGross, C(price), quantity, "", "", "szt.");
  }
  void FillParties() {
    doc.SetSellerName("Sprzedawca");
    doc.SetSellerAddress("Adres");
    doc.SetSellerNIP("1234563218");
    doc.SetBuyerName("Nabywca");
    doc.SetBuyerAddress("Adres");
    doc.SetBuyerNIP("PL 123-456-32-18");
  }

  testing::RecordingMessages messages;
  TFaktura doc;
  int changes = 0;
  int fileNameChanges = 0;
};

TEST_F(DocumentTest, AfterResetValues) {
  EXPECT_EQ(doc.Kind(), DocumentKind::Invoice);
  EXPECT_EQ(doc.CurrencyCode(), "PLN");
  EXPECT_EQ(doc.ExchangeRate(), C("1"));
  EXPECT_TRUE(doc.UseForeignPrices());
  EXPECT_EQ(doc.IssueDate(), Today());
  EXPECT_EQ(doc.PaymentDueDate(), Today());
  EXPECT_EQ(doc.InfoText1(), "Twój e-mail\r\nAdres www"_cp);
  EXPECT_EQ(doc.StandingRemarks(), "Dziękujemy i zapraszamy ponownie."_cp);
  EXPECT_TRUE(doc.LogoAbsent());
  EXPECT_TRUE(doc.Logo().Empty());
  EXPECT_EQ(doc.LineCount(), 0);
}

TEST_F(DocumentTest, SettersReportOnlyRealChanges) {
  doc.SetNumber("F1/03/27");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(doc.Modified());
  EXPECT_TRUE(doc.TakeChanged());
  EXPECT_FALSE(doc.TakeChanged());

  doc.SetModified(false);
  EXPECT_EQ(changes, 2);  // a change of Modified is reported, without the redraw pulse
  EXPECT_FALSE(doc.Changed());
  doc.SetModified(false);
  doc.SetNumber("F1/03/27");
  doc.SetPaid(C("0"));
  doc.SetIssueDate(Today());
  doc.SetLanguage(0);
  doc.SetCurrency(" pln ");
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(doc.Modified());
  doc.SetNumber("f1/03/27");  // exact comparison
  EXPECT_EQ(changes, 3);

  doc.SetPrinted(true);  // printing marks the document as modified
  EXPECT_TRUE(doc.Printed());
  EXPECT_TRUE(doc.Changed());
  EXPECT_EQ(changes, 4);

  doc.SetFileName("a.ftv");
  doc.SetFileName("a.ftv");  // assigned again: reported again
  EXPECT_EQ(fileNameChanges, 2);
  EXPECT_EQ(changes, 4);
}

TEST_F(DocumentTest, IssuerIsStoredTrimmed) {
  doc.SetIssuerName("  Jan Kowalski ");
  EXPECT_EQ(doc.IssuerName(), "Jan Kowalski");
  EXPECT_EQ(changes, 1);
  doc.SetIssuerName("Jan Kowalski");
  EXPECT_EQ(changes, 1);
}

TEST_F(DocumentTest, CurrencyAndRate) {
  doc.SetCurrency("  eur ");
  EXPECT_EQ(doc.CurrencyCode(), "EUR");
  doc.SetExchangeRate(C("4.2156"));
  EXPECT_EQ(doc.ExchangeRate(), C("4.2156"));
  doc.SetCurrency("");
  EXPECT_EQ(doc.CurrencyCode(), "PLN");
  EXPECT_EQ(doc.ExchangeRate(), C("1"));
  doc.SetExchangeRate(C("4.2"));
  EXPECT_EQ(doc.ExchangeRate(), C("1"));
}

TEST_F(DocumentTest, LineOperations) {
  try {
    doc.AddLine("", "", 7, false, C("1"), 1, "", "", "szt.");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Nazwa towaru nie może być pusta."_cp);
  }
  EXPECT_EQ(doc.LineCount(), 0);
  Add("1.00");

  doc.SetLanguage(2);
  const int i = doc.AddLine("Stół"_cp, "Tisch", 8, true, C("10"), 2, "31.01", "Stk.", "szt.");
  const TTowar& line = doc.Line(i);
  EXPECT_EQ(line.NameLang12, "Tisch");
  EXPECT_EQ(line.UnitLang12, "Stk.");
  EXPECT_EQ(line.NameLang34, "");
  EXPECT_TRUE(line.PricePLNIsGross);
  EXPECT_EQ(line.VatRate, C("0.08"));
  EXPECT_FALSE(line.CorrectionChanged);

  EXPECT_THROW(doc.Line(2), Error);
  EXPECT_THROW(doc.PriorLine(0), Error);
  EXPECT_EQ(doc.IndexOfLine(&line), 1);

  TTowar stranger;
  EXPECT_EQ(doc.ChangeLine(&stranger, "X", 7, false, C("1"), 1, "", "", "szt.", ""), -1);
  EXPECT_EQ(doc.ChangeLine(&doc.Line(0), "Inny", 9, false, C("2"), 3, "", "", "kg", "Andere"), 0);
  EXPECT_EQ(doc.Line(0).Name, "Inny");
  EXPECT_EQ(doc.Line(0).NameLang12, "Andere");
  EXPECT_EQ(doc.Line(0).VatRate, C("0.05"));

  doc.DeleteLine(nullptr);
  doc.DeleteLine(&stranger);
  EXPECT_EQ(doc.LineCount(), 2);
  TTowar* first = &doc.Line(0);
  doc.DeleteLine(first);
  EXPECT_EQ(doc.LineCount(), 1);
  EXPECT_EQ(doc.IndexOfLine(first), -1);
  EXPECT_EQ(doc.NewLine(), 1);
  EXPECT_EQ(doc.Line(1).Name, "[Brak]");
}

TEST_F(DocumentTest, VatIsComputedOncePerRate) {
  Add("0.05");
  Add("0.05");
  EXPECT_EQ(doc.NetSum(7), C("0.10"));
  EXPECT_EQ(doc.VatSum(7), C("0.02"));  // 0.023, not 2 × 0.01
  EXPECT_EQ(doc.Line(0).VatValue(), C("0.01"));
  Add("0.05", 1, 8);  // 8 % of 0.05 is 0.004
  EXPECT_EQ(doc.VatSum(8), C("0"));
  EXPECT_EQ(doc.VatSum(kVatIndexAll), C("0.02"));
  EXPECT_EQ(doc.GrossSum(kVatIndexAll), C("0.17"));
}

TEST_F(DocumentTest, GrossPricingSums) {
  doc.SetGrossPricing(true);
  Add("100.00", 1, 8, true);
  EXPECT_EQ(doc.VatSum(8), C("7.41"));
  EXPECT_EQ(doc.NetSum(8), C("92.59"));
  EXPECT_EQ(doc.GrossSum(kVatIndexAll), C("100"));
  EXPECT_EQ(doc.NetSum(kVatIndexAll), C("92.59"));
}

TEST_F(DocumentTest, ZeroExemptAndForeignRatesCarryNoVat) {
  Add("10.00", 1, 3);
  Add("20.00", 1, kVatIndexExempt);
  Add("30.00", 1, kVatIndexNotSubject);
  const int odd = Add("40.00", 1, 7);
  doc.Line(odd).VatRate = C("0.15");  // not a rate of the table
  for (int i : {3, 4, 5}) EXPECT_EQ(doc.VatSum(i), C("0")) << i;
  EXPECT_EQ(doc.NetSum(4), C("20"));
  EXPECT_EQ(doc.NetSum(9), C("0"));  // the odd rate counts only in the total
  EXPECT_EQ(doc.NetSum(kVatIndexAll), C("100"));
  EXPECT_EQ(doc.VatSum(kVatIndexAll), C("0"));
  EXPECT_EQ(doc.GrossSum(kVatIndexAll), C("100"));
  EXPECT_EQ(doc.Line(odd).VatValue(), C("6"));  // the line itself still shows its VAT
  EXPECT_EQ(doc.NetSum(-1), C("0"));
  EXPECT_EQ(doc.VatSum(10), C("0"));
}

TEST_F(DocumentTest, ValidationOrder) {
  EXPECT_EQ(doc.Validate(), kValidNoLines);  // even with the seller missing
  Add("1.00", 0);
  EXPECT_EQ(doc.Validate(), kValidZeroAmount);
  doc.Line(0).Quantity = 1;
  EXPECT_EQ(doc.Validate(), kValidSellerMissing);
  FillParties();
  doc.SetBuyerAddress("");
  EXPECT_EQ(doc.Validate(), kValidBuyerMissing);
  doc.SetBuyerAddress("Adres");
  doc.SetBuyerNIP("");
  EXPECT_EQ(doc.Validate(), kValidBuyerNipMissing);
  doc.SetBuyerNIP("1234563219");
  doc.SetSellerNIP("123");
  EXPECT_EQ(doc.Validate(), kValidSellerNipInvalid);
  doc.SetSellerNIP("DE123456789");
  EXPECT_EQ(doc.Validate(), kValidBuyerNipInvalid);
  doc.SetBuyerNIP("123-456-32-18");
  EXPECT_EQ(doc.Validate(), kValidOk);
  EXPECT_EQ(ValidationMessage(kValidBuyerNipMissing), "Nie podano NIP nabywcy");
  EXPECT_EQ(ValidationMessage(kValidZeroAmount), "Dokument opiewa na zerową kwotę."_cp);
  EXPECT_EQ(ValidationMessage(kValidOk), "");
}

TEST(Nip, Checks) {
  EXPECT_TRUE(NipValid("PL 123-456-32-18"));
  EXPECT_TRUE(NipValid(" pl1234563218 "));
  EXPECT_TRUE(NipValid("123/456/32/18"));
  EXPECT_TRUE(NipValid("DE123"));  // foreign: not checked further
  EXPECT_FALSE(NipValid("1234563219"));
  EXPECT_FALSE(NipValid("123456321"));
  EXPECT_FALSE(NipValid("12A4563218"));
  EXPECT_FALSE(NipValid("12345632180"));
  EXPECT_FALSE(NipValid(""));
  EXPECT_FALSE(NipValid("PL"));
  EXPECT_FALSE(NipValid("P1234563218"));
  EXPECT_FALSE(NipValid("12345\t63218"));
  EXPECT_FALSE(NipValid("ŁÓ1234563218"_cp));
  // A remainder of 10 never passes, whatever the tenth digit.
  for (char last = '0'; last <= '9'; ++last)
    EXPECT_FALSE(NipValid(std::string("900000000") + last)) << last;
}

}  // namespace
}  // namespace bilvox
