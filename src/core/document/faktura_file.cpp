// The document file (extension ftv): a little-endian binary layout that grew by appending
// fields at the end of the document and of each line record. Every version from 0 to 8 is
// read; version 8 is always written.
#include <cerrno>
#include <cstdint>
#include <string>

#include "common/binio.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "common/messages.h"
#include "document/faktura.h"

namespace bilvox {

namespace {

std::string_view WrongFormatMessage() { return "Nieprawidłowy format pliku faktury"_cp; }

// The fewest bytes one line record of a version takes: three empty strings, the quantity,
// both money values, then what each version appended.
size_t MinimalLineRecord(uint16_t version) {
  size_t n = 3 * 4 + 8 + 8 + 8;
  if (version >= 2) n += 2;
  if (version >= 5) n += 4 * 4;
  if (version >= 7) n += 8 + 2;
  return n;
}

// A line count. A negative count, or one that the bytes left could not hold, marks a
// damaged file; checking it first keeps a hostile count from making lines the file lacks.
size_t ReadLineCount(ByteReader& r, uint16_t version) {
  const int32_t n = r.I32();
  if (n < 0) throw Error(std::string(WrongFormatMessage()));
  if (static_cast<size_t>(n) > r.Remaining() / MinimalLineRecord(version))
    throw Error(std::string(TruncatedFileMessage()));
  return static_cast<size_t>(n);
}

Currency ReadMoney(ByteReader& r) { return Currency::FromRaw(r.I64()); }

// Fields the version lacks keep the defaults of a new line.
void ReadLine(ByteReader& r, uint16_t version, TTowar& line) {
  line.Name = r.String();
  line.Pkwiu = r.String();
  line.Unit = r.String();
  line.Quantity = r.F64();
  line.PricePLN = ReadMoney(r);
  line.VatRate = ReadMoney(r);
  if (version >= 2) {
    line.Reserved = r.U8();
    line.CorrectionChanged = r.Bool();
  }
  if (version >= 5) {
    line.NameLang12 = r.String();
    line.NameLang34 = r.String();
    line.UnitLang12 = r.String();
    line.UnitLang34 = r.String();
  }
  if (version >= 7) {
    line.PriceForeign = ReadMoney(r);
    line.PricePLNIsGross = r.Bool();
    line.PriceForeignIsGross = r.Bool();
  }
}

void WriteLine(ByteWriter& w, const TTowar& line) {
  w.String(line.Name);
  w.String(line.Pkwiu);
  w.String(line.Unit);
  w.F64(line.Quantity);
  w.I64(line.PricePLN.raw);
  w.I64(line.VatRate.raw);
  w.U8(line.Reserved);
  w.Bool(line.CorrectionChanged);
  w.String(line.NameLang12);
  w.String(line.NameLang34);
  w.String(line.UnitLang12);
  w.String(line.UnitLang34);
  w.I64(line.PriceForeign.raw);
  w.Bool(line.PricePLNIsGross);
  w.Bool(line.PriceForeignIsGross);
}

// The document after the version word. Document fields the version lacks keep what the
// reset gave them (the stored defaults among them).
void ReadDocument(ByteReader& r, uint16_t version, TFaktura& doc) {
  FakturaFields& f = doc.Fields();
  f.Number = r.String();
  f.PlaceOfIssue = r.String();
  f.SellerName = r.String();
  f.SellerAddress = r.String();
  f.SellerNIP = r.String();
  f.BuyerName = r.String();
  f.BuyerAddress = r.String();
  f.BuyerNIP = r.String();
  if (version == 1) {
    // Two texts of the first version that nothing uses any more.
    (void)r.String();
    (void)r.String();
  }
  f.PaymentForm = r.String();
  f.IssuerName = r.String();
  f.ReceiverName = r.String();
  f.Remarks = r.String();
  f.IssueDate = r.F64();
  f.SaleDate = r.F64();
  f.PaymentDueDate = r.F64();
  f.Paid = ReadMoney(r);
  for (size_t i = ReadLineCount(r, version); i > 0; --i) ReadLine(r, version, doc.AppendLine());
  if (version >= 2) {
    f.Kind = static_cast<DocumentKind>(r.U8());
    f.Printed = r.Bool();
    if (f.Kind == DocumentKind::Correction) {
      f.CorrectedNumber = r.String();
      for (size_t i = ReadLineCount(r, version); i > 0; --i)
        ReadLine(r, version, doc.AppendPriorLine());
    }
  }
  if (version >= 3) f.DocLanguage = r.I32();
  if (version >= 4) f.BuyerDiscount = ReadMoney(r);
  if (version >= 5) {
    f.CurrencyCode = r.String();
    f.ExchangeRate = ReadMoney(r);
    f.ReservedText1 = r.String();
    f.ReservedText2 = r.String();
  }
  if (version >= 6) f.VatInvoiceType = r.U8();
  if (version >= 7) f.GrossPricing = r.Bool();
  if (version >= 8) f.MarginProcedure = r.U8();
}

std::string DocumentBytes(const TFaktura& doc) {
  const FakturaFields& f = doc.Fields();
  ByteWriter w;
  w.U16(kFakturaFileVersion);
  for (const std::string* text : {&f.Number, &f.PlaceOfIssue, &f.SellerName, &f.SellerAddress,
                                  &f.SellerNIP, &f.BuyerName, &f.BuyerAddress, &f.BuyerNIP,
                                  &f.PaymentForm, &f.IssuerName, &f.ReceiverName, &f.Remarks})
    w.String(*text);
  w.F64(f.IssueDate);
  w.F64(f.SaleDate);
  w.F64(f.PaymentDueDate);
  w.I64(f.Paid.raw);
  w.I32(doc.LineCount());
  for (int i = 0; i < doc.LineCount(); ++i) WriteLine(w, doc.Line(i));
  w.U8(static_cast<uint8_t>(f.Kind));
  w.Bool(f.Printed);
  // Only a correcting invoice carries the number it corrects and the lines before it.
  if (f.Kind == DocumentKind::Correction) {
    w.String(f.CorrectedNumber);
    w.I32(doc.PriorLineCount());
    for (int i = 0; i < doc.PriorLineCount(); ++i) WriteLine(w, doc.PriorLine(i));
  }
  w.I32(f.DocLanguage);
  w.I64(f.BuyerDiscount.raw);
  w.String(f.CurrencyCode);
  w.I64(f.ExchangeRate.raw);
  w.String(f.ReservedText1);
  w.String(f.ReservedText2);
  w.U8(f.VatInvoiceType);
  w.Bool(f.GrossPricing);
  w.U8(f.MarginProcedure);
  return w.Take();
}

std::string WithCause(std::string_view lead, std::string_view cause) {
  std::string text(lead);
  text += cause;
  return text;
}

}  // namespace

uint16_t TFaktura::Load(const std::string& path) {
  // Whatever was read is dropped after a failure: the document is left empty and without a
  // file name. Damaged stored defaults cannot stop that: lines and name are gone first.
  auto resetAfterFailure = [this] {
    try {
      Reset();
    } catch (const Error&) {
    }
  };
  uint16_t version = 0;
  try {
    const std::string data = ReadWholeFile(path, kMaxDocumentFileSize);
    Reset();
    SetFileName(path);
    ByteReader r(data);
    version = r.U16();
    if (version > kFakturaFileVersion) throw Error(std::string(WrongFormatMessage()));
    ReadDocument(r, version, *this);
  } catch (const Error& e) {
    resetAfterFailure();
    throw Error(
        WithCause("Wystąpił błąd podczas odczytywania pliku. Treść błędu:\r\n"_cp, e.Message()));
  } catch (...) {
    resetAfterFailure();
    throw;
  }
  f_.LoadedFromFile = true;
  f_.Changed = true;
  f_.Modified = false;
  NotifyChange();
  return version;
}

bool TFaktura::Save(const std::string& path) {
  auto savingError = [](const Error& e) {
    return Error(
        WithCause("Wystąpił błąd podczas zapisywania pliku. Treść błędu:\r\n"_cp, e.Message()));
  };
  const std::string bytes = DocumentBytes(*this);
  if (!path.empty() && path != fileName_) {
    // Another file of that name is replaced only when the user agrees; a name that is free
    // is taken in one step, so a file made meanwhile by someone else is never replaced
    // unasked.
    for (;;) {
      if (FileExists(path)) {
        if (!AskReplaceFile(path)) return false;
        break;
      }
      SetFileName(path);
      bool created = false;
      try {
        created = CreateNewFile(path, bytes);
      } catch (const Error& e) {
        throw savingError(e);
      }
      if (created) {
        f_.Modified = false;
        NotifyChange();
        return true;
      }
      // Taken meanwhile; by something that is no file (a folder) it cannot be replaced.
      if (!FileExists(path)) throw savingError(Error(SystemErrorText(EEXIST)));
    }
  }
  if (!path.empty()) SetFileName(path);
  try {
    // The new content is complete before it takes the old file's place, so a failure
    // leaves the previous file as it was.
    ReplaceFile(fileName_, bytes);
  } catch (const Error& e) {
    throw savingError(e);
  }
  f_.Modified = false;
  NotifyChange();
  return true;
}

std::string TFaktura::FileContent() const { return DocumentBytes(*this); }

}  // namespace bilvox
