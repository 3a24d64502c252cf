#include <gtest/gtest.h>

#include "common/cp1250.h"
#include "common/dates.h"
#include "common/error.h"
#include "document/faktura.h"
#include "printout/texts.h"
#include "support/memory_store.h"
#include "support/money_text.h"
#include "support/recording_messages.h"

namespace bilvox {
namespace {

using testing::C;
using testing::MemoryStore;

class DefaultsTest : public ::testing::Test {
 protected:
  testing::RecordingMessages messages;
  MemoryStore store;
};

TEST_F(DefaultsTest, EmptyKeyGivesTheBuiltInValues) {
  TFaktura doc(&store);
  EXPECT_EQ(doc.CurrencyCode(), "PLN");
  EXPECT_EQ(doc.ExchangeRate(), C("1"));
  EXPECT_EQ(doc.PaymentDueDate(), Today());
  EXPECT_EQ(doc.InfoText2(),
            "Adres firmy\r\nTelefony\r\nlub inny dowolny tekst,\r\nktóry możesz tu umieścić."_cp);
  EXPECT_EQ(doc.StandingRemarks(), "Dziękujemy i zapraszamy ponownie."_cp);
  EXPECT_FALSE(doc.AutoNumbering());
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DefaultsTest, NextDocumentStartsFromThePreviousOne) {
  TFaktura doc(&store);
  doc.SetCurrency("EUR");
  doc.SetExchangeRate(C("4.2156"));
  doc.SetSellerName("Firma \"Dąb\"\r\nSp. z o.o."_cp);
  doc.SetPaymentDueDate(doc.IssueDate() + 14);
  doc.SetPaymentForm("przelew");
  doc.SetStandingRemarks("");
  doc.SetGrossPricing(true);
  doc.SetVatInvoiceType(kVatTypeMargin);
  doc.SetMarginProcedure(2);
  doc.SetLanguage(2);
  doc.SetBuyerName("Nabywca");
  doc.AddLine("Towar", "", 7, false, C("1"), 1, "", "", "szt.");
  doc.NewDocument(DocumentKind::Invoice, "");

  EXPECT_EQ(doc.CurrencyCode(), "EUR");
  EXPECT_EQ(doc.ExchangeRate(), C("4.2156"));
  EXPECT_EQ(store.Get(kKeyDocument, "KursWaluty").bytes, std::string("\xAC\xA4\0\0\0\0\0\0", 8));
  EXPECT_EQ(doc.SellerName(), "Firma \"Dąb\"\r\nSp. z o.o."_cp);
  EXPECT_EQ(doc.PaymentDueDate(), Today() + 14);
  EXPECT_EQ(store.Get(kKeyDocument, "OkresPlatnosci").integer, 14);
  EXPECT_EQ(doc.StandingRemarks(), "");  // stored empty is not absent
  EXPECT_TRUE(doc.GrossPricing());
  EXPECT_EQ(doc.VatInvoiceType(), kVatTypeMargin);
  EXPECT_EQ(doc.MarginProcedure(), 2);
  EXPECT_EQ(store.Get(kKeyDocument, "DocLanguage").integer, 2);
  EXPECT_EQ(doc.DocLanguage(), 0);  // a new document always starts in Polish
  EXPECT_EQ(ActiveLanguage(), 0);
  EXPECT_EQ(doc.BuyerName(), "");
  EXPECT_EQ(doc.LineCount(), 0);
  // The payment form is read but never written by the document.
  EXPECT_FALSE(store.Has(kKeyDocument, "FormaPlatnosci"));
  EXPECT_EQ(doc.PaymentForm(), "");
  store.SetString(kKeyDocument, "FormaPlatnosci", "gotówka"_cp);
  doc.Reset();
  EXPECT_EQ(doc.PaymentForm(), "gotówka"_cp);
}

TEST_F(DefaultsTest, PaymentTermInWholeDays) {
  store.SetInteger(kKeyDocument, "OkresPlatnosci", -3);
  TFaktura doc(&store);
  EXPECT_EQ(doc.PaymentDueDate(), Today() - 3);
  doc.SetIssueDate(Today() + 0.75);  // a time of day does not count
  doc.SetPaymentDueDate(Today() - 5.25);
  doc.SaveDefaults();
  EXPECT_EQ(store.Get(kKeyDocument, "OkresPlatnosci").integer, -6);
}

TEST_F(DefaultsTest, WrongTypeStopsTheReading) {
  store.SetString(kKeyDocument, "WalutaObca", "USD");
  store.SetString(kKeyDocument, "KursWaluty", "4.2156");
  store.SetString(kKeyDocument, "Numer", "F9");
  store.SetInteger(kKeyDocument, "DocLanguage", 2);
  {
    // At start-up the error is shown and the document still exists.
    TFaktura doc(&store);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Invalid data type for 'KursWaluty'");
    EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(doc.CurrencyCode(), "USD");  // read before the damaged value
    EXPECT_EQ(doc.ExchangeRate(), C("1"));
    EXPECT_EQ(doc.Number(), "");  // after it: not read
    EXPECT_EQ(doc.DocLanguage(), 0);
    store.failWrites = true;  // and the destructor's write failure is shown, not thrown
  }
  EXPECT_EQ(messages.messages.size(), 2u);
  store.failWrites = false;

  // Later resets pass the error to the caller.
  TFaktura doc(&store);
  store.SetBinary(kKeyDocument, "TypFakturyVat", std::string(2, '\1'));  // two bytes
  try {
    doc.Reset();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'TypFakturyVat'");
  }
  EXPECT_EQ(doc.CurrencyCode(), "USD");
}

TEST_F(DefaultsTest, NoStoreOrNoKeyReadsAndWritesNothing) {
  store.failingKeys.insert(std::string(kKeyDocument));
  store.SetString(kKeyDocument, "Numer", "F9");
  {
    TFaktura doc(&store);
    EXPECT_EQ(doc.Number(), "");
    doc.SetSellerName("X");
  }
  EXPECT_FALSE(store.Has(kKeyDocument, "SellerName"));
  TFaktura none(nullptr);
  none.NewDocument(DocumentKind::Bill, "R1");
  EXPECT_EQ(none.StandingRemarks(), "Dziękujemy i zapraszamy ponownie."_cp);
  EXPECT_EQ(none.Number(), "");  // numbering is off
}

TEST_F(DefaultsTest, NumberFromNumberingOnlyWhileSwitchedOn) {
  TFaktura doc(&store);
  doc.SetNumber("F1/03/27");
  doc.NewDocument(DocumentKind::Invoice, "F2/03/27");
  EXPECT_EQ(doc.Number(), "F1/03/27");  // carried over
  doc.SetAutoNumbering(true);
  EXPECT_FALSE(doc.Modified());
  doc.NewDocument(DocumentKind::Bill, "R1/03/27");
  EXPECT_EQ(doc.Number(), "R1/03/27");
  EXPECT_EQ(doc.Kind(), DocumentKind::Bill);
  EXPECT_TRUE(doc.AutoNumbering());
  EXPECT_TRUE(doc.TakeChanged());
}

}  // namespace
}  // namespace bilvox
