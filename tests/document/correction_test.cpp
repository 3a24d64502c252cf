#include <gtest/gtest.h>

#include "common/cp1250.h"
#include "common/error.h"
#include "document/faktura.h"
#include "support/memory_store.h"
#include "support/money_text.h"
#include "support/recording_messages.h"

namespace bilvox {
namespace {

using testing::C;

class CorrectionTest : public ::testing::Test {
 protected:
  // An invoice F7 with two lines, 100.00 and 50.00 net at 23 %, printed and partly paid.
  void MakeInvoice() {
    doc.SetNumber("F7");
    doc.AddLine("Pierwszy", "", 7, false, C("100"), 1, "", "", "szt.");
    doc.AddLine("Drugi", "", 7, false, C("50"), 1, "", "", "szt.");
    doc.SetPaid(C("20"));
    doc.SetPrinted(true);
    doc.SetFileName("f7.ftv");
  }
  void Correct() { doc.NewDocument(DocumentKind::Correction, "K1"); }
  std::string Refusal() {
    try {
      Correct();
    } catch (const Error& e) {
      return e.Message();
    }
    return "no refusal";
  }

  testing::RecordingMessages messages;
  testing::MemoryStore store;
  TFaktura doc{&store};
};

TEST_F(CorrectionTest, DerivedFromTheInvoice) {
  MakeInvoice();
  doc.SetAutoNumbering(true);
  Correct();
  EXPECT_EQ(doc.Kind(), DocumentKind::Correction);
  EXPECT_EQ(doc.CorrectedNumber(), "F7");
  EXPECT_EQ(doc.Number(), "K1");
  EXPECT_EQ(doc.Paid(), C("0"));
  EXPECT_EQ(doc.FileName(), "");
  EXPECT_FALSE(doc.Printed());
  EXPECT_FALSE(doc.Modified());
  ASSERT_EQ(doc.PriorLineCount(), 2);
  ASSERT_EQ(doc.LineCount(), 2);
  EXPECT_EQ(doc.PriorLine(1).Name, "Drugi");
  EXPECT_EQ(doc.PriorLine(1).NameLang12, "Drugi");  // translations filled from Polish
  EXPECT_EQ(doc.Line(1).NameLang12, "");
  EXPECT_EQ(doc.AmountDue(), C("0"));
  EXPECT_EQ(doc.PriorGrossSum(kVatIndexAll), C("184.50"));
}

TEST_F(CorrectionTest, DeletingAPriorLineKeepsItWithQuantityZero) {
  MakeInvoice();
  Correct();
  doc.DeleteLine(&doc.Line(1));
  EXPECT_EQ(doc.PriorLineCount(), 2);
  ASSERT_EQ(doc.LineCount(), 2);
  EXPECT_EQ(doc.Line(1).Quantity, 0);
  EXPECT_TRUE(doc.Line(1).CorrectionChanged);
  EXPECT_EQ(doc.NetSum(kVatIndexAll, true), C("-50"));
  EXPECT_EQ(doc.VatSum(kVatIndexAll, true), C("-11.50"));
  EXPECT_EQ(doc.AmountDue(), C("-61.50"));
  EXPECT_EQ(doc.GrossSum(kVatIndexAll, false), C("123"));  // after correction alone
  EXPECT_EQ(doc.PriorNetSum(7), C("150"));

  // A line added during the correction is marked and really removed.
  const int added = doc.AddLine("Trzeci", "", 9, false, C("10"), 1, "", "", "szt.");
  EXPECT_TRUE(doc.Line(added).CorrectionChanged);
  EXPECT_EQ(doc.AmountDue(), C("-61.50") + C("10.50"));
  doc.DeleteLine(&doc.Line(added));
  EXPECT_EQ(doc.LineCount(), 2);
}

TEST_F(CorrectionTest, ChangeMarksOnlyDifferentAmounts) {
  MakeInvoice();
  Correct();
  TTowar* first = &doc.Line(0);
  doc.ChangeLine(first, "Nowa nazwa", 7, false, C("100"), 1, "", "", "szt.", "");
  EXPECT_FALSE(first->CorrectionChanged);
  EXPECT_EQ(doc.AmountDue(), C("0"));
  EXPECT_EQ(doc.Validate(), kValidZeroAmount);
  doc.ChangeLine(first, "Nowa nazwa", 7, false, C("100"), 2, "", "", "szt.", "");
  EXPECT_TRUE(first->CorrectionChanged);
  EXPECT_EQ(doc.AmountDue(), C("123"));
  doc.ChangeLine(first, "Nowa nazwa", 8, false, C("100"), 1, "", "", "szt.", "");
  EXPECT_TRUE(first->CorrectionChanged);
  EXPECT_EQ(doc.NetSum(7), C("-100"));
  EXPECT_EQ(doc.NetSum(8), C("100"));
  EXPECT_EQ(doc.VatSum(kVatIndexAll), C("-15"));
  doc.ChangeLine(first, "Pierwszy", 7, false, C("100"), 1, "", "", "szt.", "");
  EXPECT_FALSE(first->CorrectionChanged);
}

TEST_F(CorrectionTest, Refusals) {
  doc.NewDocument(DocumentKind::Bill, "");
  doc.AddLine("Usługa"_cp, "", 3, false, C("10"), 1, "", "", "szt.");
  doc.SetNumber("R1");
  EXPECT_EQ(Refusal(), "Aby wystawić korektę, należy najpierw otworzyć istniejącą fakturę VAT."_cp);
  EXPECT_EQ(doc.Kind(), DocumentKind::Bill);
  EXPECT_EQ(doc.LineCount(), 1);
  // The defaults were stored before the refusal.
  EXPECT_EQ(store.Get(kKeyDocument, "Numer").bytes, "R1");

  doc.NewDocument(DocumentKind::Invoice, "");
  EXPECT_EQ(Refusal(),
            "Aby wystawić korektę, na fakturze VAT musi się znajdować przynajmniej jedna pozycja."_cp);
  EXPECT_EQ(doc.Kind(), DocumentKind::Invoice);

  MakeInvoice();
  Correct();
  EXPECT_EQ(Refusal(), "Aby wystawić korektę, należy najpierw otworzyć istniejącą fakturę VAT."_cp);
  EXPECT_EQ(doc.CorrectedNumber(), "F7");
}

TEST_F(CorrectionTest, CorrectionEndsWithTheNextDocument) {
  MakeInvoice();
  Correct();
  doc.NewDocument(DocumentKind::Invoice, "F8");
  EXPECT_EQ(doc.Kind(), DocumentKind::Invoice);
  EXPECT_EQ(doc.PriorLineCount(), 0);
  EXPECT_EQ(doc.LineCount(), 0);
}

}  // namespace
}  // namespace bilvox
