// The captions of the printed page: 63 keyed texts in four text sets (Polish,
// Polish-German, German, English), one set active at a time for the whole process.
#pragma once

#include <array>
#include <string>

namespace bilvox {

enum class TextKey {
  MarkOriginal, MarkCopy, Translation, LabelCurrency, LabelRate, Seller, Buyer, TaxId,
  ColNo, ColName, ColPkwiu, ColUnit, ColQty, ColUnitNet, ColNetValue, ColUnitGross,
  ColGrossValue, ColVat, ColVatRate, ColVatAmount, ColUnitPrice, ColValue, RateExempt,
  RateNotSubject, SumByRate, SumNet, SumGross, SumTotal, LabelPlaceOfIssue, LabelIssueDate,
  LabelSaleDate, LabelDeliveryDate, TitleProForma, TitleVatInvoice, TitleVatInvoiceMp,
  TitleVatMargin, TitleInvoice, TitleBill, TitleCorrection, TitleCorrectionNote, RefersTo,
  Before, After, LabelAmountDue, LabelRemaining, LabelInWords, LabelPaymentForm, LabelPaid,
  LabelDueDate, IssuerInvoice, ReceiverInvoice, IssuerBill, ReceiverBill, IssuerSignature,
  ReceiverSignature, LabelRemarks, Footer, NoteCashMethod, NoteReverseCharge,
  NoteMarginTravel, NoteMarginUsed, NoteMarginArt, NoteMarginCollect,
};
inline constexpr int kTextKeyCount = static_cast<int>(TextKey::NoteMarginCollect) + 1;
static_assert(kTextKeyCount == 63);

// Selects the text set of a document language (0 Polish, 1 Polish-German, 2 German,
// 4 English; 3 selects nothing; above 4 nothing at all happens) and rebuilds the derived
// heading lists.
void SelectTexts(int documentLanguage);

// The active text of a key (Windows-1250).
const std::string& Text(TextKey key);

// The active language code: 0, 1, 2 or 4 (initially 0).
int ActiveLanguage();

// Headings rebuilt from the active texts on every selection:
// the columns of the VAT layout (ColNo, ColName, ColPkwiu, ColUnit, ColQty, ColUnitNet,
// ColNetValue, ColVat, ColVatRate, ColVatAmount),
const std::array<std::string, 10>& VatColumnHeadings();
// the columns of the layout without VAT (ColNo, ColName, ColUnit, ColQty, ColUnitPrice,
// ColValue),
const std::array<std::string, 6>& NoVatColumnHeadings();
// and the VAT summary (SumByRate, SumNet, ColVatAmount, SumGross). Before the first selection
// the column lists are empty texts and the summary reads "Według stawki VAT",
// "Obrót netto", "Kwota VAT", "Obrót brutto".
const std::array<std::string, 4>& VatSummaryHeadings();

}  // namespace bilvox
