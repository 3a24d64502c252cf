// Invoice documents (ftv files) of every version: read, asked for everything the printout
// and the windows show, saved and read back, then exported for KSeF.
#include <cstdio>

#include "common/error.h"
#include "common/files.h"
#include "document/faktura.h"
#include "ksef/ksef.h"
#include "support/fuzz_support.h"

using namespace bilvox;
using bilvox::fuzz::Require;

namespace {

// What the printout and the windows ask a document for.
void Inspect(const TFaktura& doc) {
  for (int i = -1; i <= kVatRateCount; ++i) {
    for (bool corrected : {false, true}) {
      (void)doc.NetSum(i, corrected);
      (void)doc.VatSum(i, corrected);
      (void)doc.GrossSum(i, corrected);
    }
    (void)doc.PriorNetSum(i);
    (void)doc.PriorVatSum(i);
    (void)doc.PriorGrossSum(i);
  }
  (void)doc.AmountDue();
  (void)doc.Validate();
  (void)NipValid(doc.SellerNIP());
  (void)NipValid(doc.BuyerNIP());
  auto lines = [](const TTowar& line) {
    for (int language = -1; language <= 5; ++language) {
      (void)line.NameFor(language);
      (void)line.UnitFor(language);
    }
    (void)line.GetVatIndex();
    (void)line.NetUnitPrice();
    (void)line.GrossUnitPrice();
    (void)line.NetValue();
    (void)line.VatValue();
    (void)line.GrossValue();
  };
  for (int i = 0; i < doc.LineCount(); ++i) lines(doc.Line(i));
  for (int i = 0; i < doc.PriorLineCount(); ++i) lines(doc.PriorLine(i));
}

// Exported for KSeF: a valid FA(3) file or a refusal with a message, nothing in between.
// First as loaded, then with parties, number and dates that KSeF takes (few inputs have
// them), so that the lines, sums and texts are reached too.
void Export(TFaktura& doc) {
  KsefOptions options;
  options.creationTime = "2027-03-05T12:00:00+01:00";
  options.correctedIssueDate = Ymd{2027, 3, 1};
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) {
      FakturaFields& f = doc.Fields();
      f.SellerNIP = "1234563218";
      for (std::string* text : {&f.SellerName, &f.SellerAddress, &f.BuyerName, &f.BuyerAddress,
                                &f.Number, &f.CorrectedNumber})
        if (Trim(*text).empty()) *text = "X";
      f.IssueDate = f.SaleDate = f.PaymentDueDate = DayNumber(2027, 3, 5);
    }
    std::string xml;
    try {
      xml = BuildKsefXml(doc, options);
    } catch (const Error& e) {
      Require(!e.Message().empty(), "an export was refused without a reason");
      continue;
    }
    // The builder checks what it returns; checked again here where that is quick.
    if (xml.size() < 64 * 1024) Require(KsefValidationError(xml).empty(), "an export is invalid");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("faktura.ftv", fuzz::Input(data, size));
  TFaktura doc;  // without a settings store: the built-in defaults
  try {
    doc.Load(path);
  } catch (const Error&) {
    Require(doc.LineCount() == 0 && doc.PriorLineCount() == 0 && doc.FileName().empty(),
            "a document that failed to load kept what it read");
    return 0;
  }
  Inspect(doc);

  // Saved, the document reads back and saves to the very same bytes.
  const std::string saved = fuzz::ScratchPath("saved.ftv");
  const std::string again = fuzz::ScratchPath("again.ftv");
  std::remove(saved.c_str());  // so that saving does not ask before replacing them
  std::remove(again.c_str());
  Require(doc.Save(saved), "a document was not saved");
  const std::string bytes = ReadWholeFile(saved);
  TFaktura back;
  try {
    back.Load(saved);
  } catch (const Error&) {
    Require(false, "a saved document cannot be read back");
  }
  Require(back.Save(again), "a document was not saved");
  Require(ReadWholeFile(again) == bytes,
          "a document changed through saving and reading back");
  Export(doc);
  return 0;
}
