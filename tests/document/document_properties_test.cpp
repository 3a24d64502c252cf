// Properties that hold for every document, checked on a few hundred random ones (fixed
// seed): a saved document reads back with equal fields, and the sums by VAT rate keep the
// relations between net, VAT and gross amounts, between the rates and their total, and
// between a correction and the invoice it corrects.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "document/faktura.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

constexpr int kCases = 300;
constexpr int kTaxed[] = {0, 1, 2, 3, 7, 8, 9};  // the rates whose VAT makes up the total

class RandomDocuments {
 public:
  explicit RandomDocuments(unsigned seed) : rng_(seed) {}

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Int(1, 100) <= percent; }

  // Any Windows-1250 bytes, line breaks and the bytes the code page leaves undefined among them.
  std::string Text(int maxLength = 12) {
    std::string s;
    for (int n = Int(0, maxLength); n > 0; --n) s += static_cast<char>(Int(0, 255));
    if (Chance(10)) s += "\r\n";
    return s;
  }

  Currency Money(int64_t maxUnits) {
    // Mostly whole grosze, sometimes four decimals (the price then keeps them).
    const int64_t grosze = std::uniform_int_distribution<int64_t>(0, maxUnits * 100)(rng_);
    return Currency::FromRaw(grosze * 100 + (Chance(20) ? Int(0, 99) : 0));
  }

  // A table rate (not the all-rates key), or now and then a rate the table does not have.
  Currency Rate() {
    if (Chance(15)) return Currency::FromRaw(Chance(50) ? 1500 : Int(1, 9999));
    static constexpr int kLineRates[] = {0, 1, 2, 3, 4, 5, 7, 8, 9};
    return VatRateTable[static_cast<size_t>(kLineRates[Int(0, 8)])];
  }

  void FillLine(TTowar& l) {
    l.Name = Text();
    l.Pkwiu = Text(6);
    l.Unit = Text(4);
    l.NameLang12 = Chance(50) ? Text() : "";
    l.NameLang34 = Chance(50) ? Text() : "";
    l.UnitLang12 = Chance(50) ? Text(4) : "";
    l.UnitLang34 = Chance(50) ? Text(4) : "";
    static constexpr double kQuantities[] = {0, 1, 2, 3, 0.5, 1.25, 7.333, 12, 100, 0.001};
    l.Quantity = Chance(70) ? kQuantities[Int(0, 9)] : Int(0, 100000) / 1000.0;
    l.PricePLN = Money(20000);
    l.PriceForeign = Chance(60) ? Money(5000) : Currency{};
    l.PricePLNIsGross = Chance(40);
    l.PriceForeignIsGross = Chance(40);
    l.VatRate = Rate();
    l.Reserved = static_cast<uint8_t>(Chance(10) ? Int(0, 255) : 0);
    l.CorrectionChanged = Chance(30);
  }

  // Every kind (a correction with the lines it corrects), language, currency and pricing.
  void Fill(TFaktura& doc) {
    FakturaFields& f = doc.Fields();
    f.Kind = static_cast<DocumentKind>(Int(0, 3));
    f.VatInvoiceType = static_cast<uint8_t>(Int(0, 4));
    f.MarginProcedure = static_cast<uint8_t>(Int(0, 3));
    f.DocLanguage = Int(0, 4);
    static const char* kCurrencies[] = {"PLN", "EUR", "USD", "CHF"};
    f.CurrencyCode = kCurrencies[Int(0, 3)];
    f.ExchangeRate = f.CurrencyCode == "PLN" ? Currency::Of(1) : Currency::FromRaw(Int(1000, 60000));
    for (std::string* t : {&f.Number, &f.PlaceOfIssue, &f.SellerName, &f.SellerAddress,
                           &f.SellerNIP, &f.BuyerName, &f.BuyerAddress, &f.BuyerNIP,
                           &f.PaymentForm, &f.IssuerName, &f.ReceiverName, &f.Remarks,
                           &f.ReservedText1, &f.ReservedText2})
      *t = Text();
    f.IssueDate = Int(36000, 50000);
    f.SaleDate = f.IssueDate - Int(0, 30);
    f.PaymentDueDate = f.IssueDate + Int(0, 60);
    f.Paid = Chance(30) ? Money(1000) : Currency{};
    f.Printed = Chance(50);
    f.GrossPricing = Chance(50);
    f.BuyerDiscount = Chance(30) ? Currency::FromRaw(Int(1, 500000)) : Currency{};
    for (int n = Int(0, 6); n > 0; --n) FillLine(doc.AppendLine());
    if (f.Kind == DocumentKind::Correction) {
      f.CorrectedNumber = Text();
      for (int n = Int(0, 6); n > 0; --n) FillLine(doc.AppendPriorLine());
    }
  }

 private:
  std::mt19937 rng_;
};

void ExpectSameLine(const TTowar& a, const TTowar& b) {
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.Pkwiu, b.Pkwiu);
  EXPECT_EQ(a.Unit, b.Unit);
  EXPECT_EQ(a.NameLang12, b.NameLang12);
  EXPECT_EQ(a.NameLang34, b.NameLang34);
  EXPECT_EQ(a.UnitLang12, b.UnitLang12);
  EXPECT_EQ(a.UnitLang34, b.UnitLang34);
  EXPECT_EQ(a.Quantity, b.Quantity);
  EXPECT_EQ(a.PricePLN, b.PricePLN);
  EXPECT_EQ(a.PriceForeign, b.PriceForeign);
  EXPECT_EQ(a.PricePLNIsGross, b.PricePLNIsGross);
  EXPECT_EQ(a.PriceForeignIsGross, b.PriceForeignIsGross);
  EXPECT_EQ(a.VatRate, b.VatRate);
  EXPECT_EQ(a.Reserved, b.Reserved);
  EXPECT_EQ(a.CorrectionChanged, b.CorrectionChanged);
}

// Every field the document file holds.
void ExpectSameDocument(const TFaktura& a, const TFaktura& b) {
  const FakturaFields& x = a.Fields();
  const FakturaFields& y = b.Fields();
  EXPECT_EQ(x.Kind, y.Kind);
  EXPECT_EQ(x.VatInvoiceType, y.VatInvoiceType);
  EXPECT_EQ(x.MarginProcedure, y.MarginProcedure);
  EXPECT_EQ(x.DocLanguage, y.DocLanguage);
  EXPECT_EQ(x.CurrencyCode, y.CurrencyCode);
  EXPECT_EQ(x.ExchangeRate, y.ExchangeRate);
  EXPECT_EQ(x.Number, y.Number);
  EXPECT_EQ(x.PlaceOfIssue, y.PlaceOfIssue);
  EXPECT_EQ(x.IssueDate, y.IssueDate);
  EXPECT_EQ(x.SaleDate, y.SaleDate);
  EXPECT_EQ(x.GrossPricing, y.GrossPricing);
  EXPECT_EQ(x.SellerName, y.SellerName);
  EXPECT_EQ(x.SellerAddress, y.SellerAddress);
  EXPECT_EQ(x.SellerNIP, y.SellerNIP);
  EXPECT_EQ(x.BuyerName, y.BuyerName);
  EXPECT_EQ(x.BuyerAddress, y.BuyerAddress);
  EXPECT_EQ(x.BuyerNIP, y.BuyerNIP);
  EXPECT_EQ(x.BuyerDiscount, y.BuyerDiscount);
  EXPECT_EQ(x.PaymentDueDate, y.PaymentDueDate);
  EXPECT_EQ(x.PaymentForm, y.PaymentForm);
  EXPECT_EQ(x.ReservedText1, y.ReservedText1);
  EXPECT_EQ(x.ReservedText2, y.ReservedText2);
  EXPECT_EQ(x.Paid, y.Paid);
  EXPECT_EQ(x.IssuerName, y.IssuerName);
  EXPECT_EQ(x.ReceiverName, y.ReceiverName);
  EXPECT_EQ(x.Remarks, y.Remarks);
  EXPECT_EQ(x.Printed, y.Printed);
  if (a.IsCorrection()) {
    EXPECT_EQ(x.CorrectedNumber, y.CorrectedNumber);
  }
  ASSERT_EQ(a.LineCount(), b.LineCount());
  for (int i = 0; i < a.LineCount(); ++i) ExpectSameLine(a.Line(i), b.Line(i));
  ASSERT_EQ(a.PriorLineCount(), b.PriorLineCount());
  for (int i = 0; i < a.PriorLineCount(); ++i) ExpectSameLine(a.PriorLine(i), b.PriorLine(i));
}

TEST(DocumentProperties, SavedDocumentsReadBackWithEqualFields) {
  testing::RecordingMessages messages;
  testing::TempDir dir;
  RandomDocuments random(20270305);
  for (int n = 0; n < kCases; ++n) {
    SCOPED_TRACE("document " + std::to_string(n));
    TFaktura doc;
    random.Fill(doc);
    const std::string path = dir.File("doc" + std::to_string(n) + ".ftv");
    ASSERT_TRUE(doc.Save(path));
    TFaktura back;
    ASSERT_EQ(back.Load(path), 8);
    ExpectSameDocument(doc, back);
    EXPECT_EQ(back.AmountDue(), doc.AmountDue());
  }
  EXPECT_TRUE(messages.messages.empty());
}

bool WholeGrosze(Currency c) { return c.raw % 100 == 0; }
bool InTable(Currency rate) {
  for (int j = 0; j < kVatRateCount; ++j)
    if (j != kVatIndexAll && VatRateTable[static_cast<size_t>(j)] == rate) return true;
  return false;
}

// The relations within one list of lines (the document's, or a correction's before it).
void ExpectSumRelations(const TFaktura& doc, bool corrected) {
  const bool gross = doc.GrossPricing();
  Currency vatOfRates, netOfRates, grossOfRates, netOffTable, grossOffTable;
  for (int i = 0; i < kVatRateCount; ++i) {
    SCOPED_TRACE("rate index " + std::to_string(i));
    const Currency net = doc.NetSum(i, corrected), vat = doc.VatSum(i, corrected),
                   gr = doc.GrossSum(i, corrected);
    EXPECT_TRUE(WholeGrosze(net) && WholeGrosze(vat) && WholeGrosze(gr));
    // One of net and gross is summed from the lines, the other derived with the VAT.
    if (gross) {
      EXPECT_EQ(net, gr - vat);
    } else {
      EXPECT_EQ(gr, net + vat);
    }
    if (i == 3 || i == kVatIndexExempt || i == kVatIndexNotSubject) {
      EXPECT_EQ(vat, Currency{});
    }
    if (i == kVatIndexAll) continue;
    netOfRates += net;
    grossOfRates += gr;
    for (int t : kTaxed)
      if (t == i) vatOfRates += vat;
  }
  EXPECT_EQ(doc.VatSum(kVatIndexAll, corrected), vatOfRates);
  if (corrected) return;
  // Lines whose rate is not in the table count only in the total, without VAT.
  int offTable = 0;
  for (int k = 0; k < doc.LineCount(); ++k) {
    const TTowar& line = doc.Line(k);
    if (InTable(line.VatRate)) continue;
    ++offTable;
    netOffTable += line.NetValue();
    grossOffTable += line.GrossValue();
  }
  if (gross) {
    EXPECT_EQ(doc.GrossSum(kVatIndexAll, false), grossOfRates + grossOffTable);
  } else {
    EXPECT_EQ(doc.NetSum(kVatIndexAll, false), netOfRates + netOffTable);
  }
  if (offTable == 0) {
    EXPECT_EQ(doc.NetSum(kVatIndexAll, false), netOfRates);
    EXPECT_EQ(doc.GrossSum(kVatIndexAll, false), grossOfRates);
  }
}

TEST(DocumentProperties, SumsKeepTheirRelations) {
  RandomDocuments random(5032027);
  for (int n = 0; n < kCases; ++n) {
    SCOPED_TRACE("document " + std::to_string(n));
    TFaktura doc;
    random.Fill(doc);
    const bool bill = doc.Kind() == DocumentKind::Bill;
    const bool gross = doc.GrossPricing();

    // Each line: the value not computed from the price is the other one with its VAT;
    // exempt and not-subject lines and every line of a bill carry no VAT.
    for (int k = 0; k < doc.LineCount(); ++k) {
      const TTowar& line = doc.Line(k);
      if (gross) {
        EXPECT_EQ(line.NetValue(), line.GrossValue() - line.VatValue());
      } else {
        EXPECT_EQ(line.GrossValue(), line.NetValue() + line.VatValue());
      }
      if (bill || line.VatRate == VatRateTable[kVatIndexExempt] ||
          line.VatRate == VatRateTable[kVatIndexNotSubject]) {
        EXPECT_EQ(line.VatValue(), Currency{});
      }
    }

    // Per rate: the sum that is computed from the lines is their exact sum; the VAT of the
    // rate, computed once from that sum, differs from the lines' own VAT amounts by at most
    // half a grosz for each line and once more for the rate (a bill's lines carry none).
    for (int i : kTaxed) {
      Currency linesBase, linesVat;
      int count = 0;
      for (int k = 0; k < doc.LineCount(); ++k) {
        const TTowar& line = doc.Line(k);
        if (line.VatRate != VatRateTable[static_cast<size_t>(i)]) continue;
        ++count;
        linesBase += gross ? line.GrossValue() : line.NetValue();
        linesVat += line.VatValue();
      }
      EXPECT_EQ(gross ? doc.GrossSum(i, false) : doc.NetSum(i, false), linesBase) << i;
      if (!bill) {
        EXPECT_LE(std::llabs((doc.VatSum(i, false) - linesVat).raw), 51 * (count + 1)) << i;
      }
    }

    ExpectSumRelations(doc, false);
    ExpectSumRelations(doc, true);

    // A correction is the difference after minus before; anything else ignores the flag.
    for (int i = 0; i < kVatRateCount; ++i) {
      if (doc.IsCorrection()) {
        EXPECT_EQ(doc.NetSum(i, true), doc.NetSum(i, false) - doc.PriorNetSum(i));
        EXPECT_EQ(doc.VatSum(i, true), doc.VatSum(i, false) - doc.PriorVatSum(i));
        EXPECT_EQ(doc.GrossSum(i, true), doc.GrossSum(i, false) - doc.PriorGrossSum(i));
      } else {
        EXPECT_EQ(doc.NetSum(i, true), doc.NetSum(i, false));
        EXPECT_EQ(doc.VatSum(i, true), doc.VatSum(i, false));
        EXPECT_EQ(doc.GrossSum(i, true), doc.GrossSum(i, false));
      }
    }
    EXPECT_EQ(doc.AmountDue(), bill ? doc.NetSum(kVatIndexAll, true) : doc.GrossSum(kVatIndexAll, true));

    // The sums before correction are those of an invoice holding the corrected lines, with
    // the same pricing, discount and currency.
    if (doc.IsCorrection()) {
      TFaktura before;
      FakturaFields& f = before.Fields();
      f = doc.Fields();
      f.Kind = DocumentKind::Invoice;
      for (int k = 0; k < doc.PriorLineCount(); ++k) {
        const TTowar& p = doc.PriorLine(k);
        TTowar& l = before.AppendLine();
        l.Quantity = p.Quantity;
        l.PricePLN = p.PricePLN;
        l.PriceForeign = p.PriceForeign;
        l.PricePLNIsGross = p.PricePLNIsGross;
        l.PriceForeignIsGross = p.PriceForeignIsGross;
        l.VatRate = p.VatRate;
      }
      for (int i = 0; i < kVatRateCount; ++i) {
        EXPECT_EQ(doc.PriorNetSum(i), before.NetSum(i));
        EXPECT_EQ(doc.PriorVatSum(i), before.VatSum(i));
        EXPECT_EQ(doc.PriorGrossSum(i), before.GrossSum(i));
      }
      ExpectSumRelations(before, false);
    }
  }
}

}  // namespace
}  // namespace bilvox
