#include "document/faktura.h"

#include <exception>

#include "common/app_info.h"
#include "common/error.h"
#include "common/files.h"
#include "common/messages.h"
#include "printout/texts.h"

namespace bilvox {

TFaktura::TFaktura(SettingsStore* store) : store_(store) {
  // The one document must exist even when the stored defaults cannot be read.
  try {
    Reset();
  } catch (const Error& e) {
    ShowError(kAppTitle, e.Message());
  }
}

TFaktura::~TFaktura() {
  try {
    SaveDefaults();
  } catch (const Error& e) {
    ShowError(kAppTitle, e.Message());
  } catch (const std::exception&) {
    // Nothing can be reported from here any more.
  }
}

// ---- change reporting ----

void TFaktura::NotifyChange() {
  if (OnChange) OnChange(*this);
}

void TFaktura::MarkChanged() {
  f_.Changed = true;
  f_.Modified = true;
  NotifyChange();
}

bool TFaktura::TakeChanged() {
  const bool was = f_.Changed;
  f_.Changed = false;
  return was;
}

void TFaktura::SetModified(bool modified) {
  if (modified == f_.Modified) return;
  f_.Modified = modified;
  NotifyChange();
}

void TFaktura::SetFileName(const std::string& path) {
  fileName_ = path;
  if (OnFileNameChange) OnFileNameChange(*this);
}

void TFaktura::SetPrinted(bool printed) { Assign(f_.Printed, printed); }

// ---- plain setters ----

template <class T>
void TFaktura::Assign(T& field, const T& value) {
  if (field == value) return;
  field = value;
  MarkChanged();
}

void TFaktura::AssignText(std::string& field, std::string_view value) {
  if (field == value) return;
  field.assign(value);
  MarkChanged();
}

void TFaktura::SetVatInvoiceType(uint8_t type) { Assign(f_.VatInvoiceType, type); }
void TFaktura::SetMarginProcedure(uint8_t procedure) { Assign(f_.MarginProcedure, procedure); }
void TFaktura::SetNumber(std::string_view number) { AssignText(f_.Number, number); }
void TFaktura::SetPlaceOfIssue(std::string_view place) { AssignText(f_.PlaceOfIssue, place); }
void TFaktura::SetIssueDate(TDate date) { Assign(f_.IssueDate, date); }
void TFaktura::SetSaleDate(TDate date) { Assign(f_.SaleDate, date); }
void TFaktura::SetContinuousSale(bool on) { Assign(f_.ContinuousSale, on); }
void TFaktura::SetGrossPricing(bool on) { Assign(f_.GrossPricing, on); }
void TFaktura::SetSellerName(std::string_view text) { AssignText(f_.SellerName, text); }
void TFaktura::SetSellerAddress(std::string_view text) { AssignText(f_.SellerAddress, text); }
void TFaktura::SetSellerNIP(std::string_view text) { AssignText(f_.SellerNIP, text); }
void TFaktura::SetBuyerName(std::string_view text) { AssignText(f_.BuyerName, text); }
void TFaktura::SetBuyerAddress(std::string_view text) { AssignText(f_.BuyerAddress, text); }
void TFaktura::SetBuyerNIP(std::string_view text) { AssignText(f_.BuyerNIP, text); }
void TFaktura::SetBuyerDiscount(Currency percent) { Assign(f_.BuyerDiscount, percent); }
void TFaktura::SetInfoText1(std::string_view text) { AssignText(f_.InfoText1, text); }
void TFaktura::SetInfoText2(std::string_view text) { AssignText(f_.InfoText2, text); }
void TFaktura::SetPaymentDueDate(TDate date) { Assign(f_.PaymentDueDate, date); }
void TFaktura::SetPaymentForm(std::string_view text) { AssignText(f_.PaymentForm, text); }
void TFaktura::SetPaid(Currency amount) { Assign(f_.Paid, amount); }
void TFaktura::SetReceiverName(std::string_view name) { AssignText(f_.ReceiverName, name); }
void TFaktura::SetRemarks(std::string_view text) { AssignText(f_.Remarks, text); }
void TFaktura::SetStandingRemarks(std::string_view text) { AssignText(f_.StandingRemarks, text); }

void TFaktura::SetIssuerName(std::string_view name) {
  // Compared as typed, kept without surrounding blanks.
  if (f_.IssuerName == name) return;
  f_.IssuerName = Trim(name);
  MarkChanged();
}

// ---- setters with rules ----

void TFaktura::SetLanguage(int32_t language) {
  if (language == f_.DocLanguage) return;
  f_.DocLanguage = language;
  SelectTexts(language);
  MarkChanged();
}

void TFaktura::SetCurrency(std::string_view code) {
  std::string c = AsciiUpper(Trim(code));
  if (c.empty()) c = "PLN";
  if (c == "PLN") SetExchangeRate(Currency::Of(1));
  AssignText(f_.CurrencyCode, c);
}

void TFaktura::SetExchangeRate(Currency rate) {
  if (f_.CurrencyCode == "PLN") rate = Currency::Of(1);
  Assign(f_.ExchangeRate, rate);
}

void TFaktura::ClearLogo() {
  logo_ = Picture();
}

void TFaktura::SetLogoFileName(const std::string& path) {
  if (path == logoFileName_ || (!path.empty() && !FileExists(path))) return;
  logoAbsent_ = path.empty();
  logoFileName_ = path;
  if (path.empty()) {
    ClearLogo();
  } else {
    try {
      logo_ = LoadPicture(path);
    } catch (const std::exception&) {
      // Any failure to read or decode the picture: no logo, and the user is told.
      ClearLogo();
      logoAbsent_ = true;
      logoFileName_.clear();
      Messages().Show("Błąd"_cp, "Nieprawidłowy format pliku."_cp, MsgIcon::Error, MsgButtons::Ok);
    }
  }
  MarkChanged();
}

// ---- lines ----

namespace {

[[noreturn]] void IndexError(int index) {
  throw Error("List index out of bounds (" + std::to_string(index) + ")");
}

template <class List>
auto& At(List& list, int index) {
  if (index < 0 || static_cast<size_t>(index) >= list.size()) IndexError(index);
  return *list[static_cast<size_t>(index)];
}

const std::string_view kEmptyNameMessage = "Nazwa towaru nie może być pusta."_cp;

}  // namespace

TTowar& TFaktura::Line(int index) { return At(lines_, index); }
const TTowar& TFaktura::Line(int index) const { return At(lines_, index); }
TTowar& TFaktura::PriorLine(int index) { return At(priorLines_, index); }
const TTowar& TFaktura::PriorLine(int index) const { return At(priorLines_, index); }

int TFaktura::IndexIn(const LineList& list, const TTowar* line) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == line) return static_cast<int>(i);
  return -1;
}

int TFaktura::IndexOfLine(const TTowar* line) const {
  if (!line) return -1;
  const int i = IndexIn(lines_, line);
  return i >= 0 ? i : IndexIn(priorLines_, line);
}

TTowar& TFaktura::AppendLine() {
  lines_.push_back(std::make_unique<TTowar>(this));
  return *lines_.back();
}

TTowar& TFaktura::AppendPriorLine() {
  priorLines_.push_back(std::make_unique<TTowar>(this));
  return *priorLines_.back();
}

int TFaktura::NewLine() {
  AppendLine();
  MarkChanged();
  return LineCount() - 1;
}

void TFaktura::FillLine(TTowar& line, std::string_view name, std::string_view translatedName,
                        int vatIndex, bool isGross, Currency price, double quantity,
                        std::string_view pkwiu, std::string_view translatedUnit,
                        std::string_view unit) {
  line.Name.assign(name);
  line.Unit.assign(unit);
  switch (f_.DocLanguage) {
    case 1:
    case 2:
      line.NameLang12.assign(translatedName);
      line.UnitLang12.assign(translatedUnit);
      break;
    case 3:
    case 4:
      line.NameLang34.assign(translatedName);
      line.UnitLang34.assign(translatedUnit);
      break;
    default:
      break;
  }
  line.Pkwiu.assign(pkwiu);
  line.Quantity = quantity;
  if (f_.CurrencyCode != "PLN") {
    line.PriceForeign = price;
    line.PriceForeignIsGross = isGross;
  } else {
    line.PricePLN = price;
    line.PricePLNIsGross = isGross;
  }
  if (vatIndex >= 0 && vatIndex < kVatRateCount) line.VatRate = VatRateTable[vatIndex];
}

int TFaktura::AddLine(std::string_view name, std::string_view translatedName, int vatIndex,
                      bool isGross, Currency price, double quantity, std::string_view pkwiu,
                      std::string_view translatedUnit, std::string_view unit) {
  if (name.empty()) throw Error(std::string(kEmptyNameMessage));
  TTowar& line = AppendLine();
  FillLine(line, name, translatedName, vatIndex, isGross, price, quantity, pkwiu, translatedUnit,
           unit);
  line.CorrectionChanged = IsCorrection();
  MarkChanged();
  return LineCount() - 1;
}

int TFaktura::ChangeLine(TTowar* line, std::string_view name, int vatIndex, bool isGross,
                         Currency price, double quantity, std::string_view pkwiu,
                         std::string_view translatedUnit, std::string_view unit,
                         std::string_view translatedName) {
  if (name.empty()) throw Error(std::string(kEmptyNameMessage));
  const int index = IndexIn(lines_, line);
  if (index < 0) return -1;
  FillLine(*line, name, translatedName, vatIndex, isGross, price, quantity, pkwiu, translatedUnit,
           unit);
  // A line of the corrected invoice is marked when its amounts differ from the original;
  // a line added during the correction keeps its mark.
  if (IsCorrection() && index < PriorLineCount()) {
    const TTowar& before = *priorLines_[static_cast<size_t>(index)];
    line->CorrectionChanged = line->Quantity != before.Quantity ||
                              line->PricePLN != before.PricePLN || line->VatRate != before.VatRate;
  }
  MarkChanged();
  return index;
}

void TFaktura::DeleteLine(TTowar* line) {
  const int index = IndexIn(lines_, line);
  if (index < 0) return;
  if (IsCorrection() && index < PriorLineCount()) {
    // The line of the corrected invoice stays; quantity 0 shows its removal.
    line->CorrectionChanged = true;
    line->Quantity = 0;
  } else {
    lines_.erase(lines_.begin() + index);
  }
  MarkChanged();
}

// ---- life cycle ----

void TFaktura::ResetFields() {
  const TDate today = Today();
  f_.Kind = DocumentKind::Invoice;
  f_.VatInvoiceType = kVatTypeVat;
  f_.DocLanguage = kLanguagePolish;
  f_.CurrencyCode = "PLN";
  f_.ExchangeRate = Currency::Of(1);
  f_.UseForeignPrices = true;
  f_.Number.clear();
  f_.PlaceOfIssue.clear();
  f_.IssueDate = today;
  f_.SaleDate = today;
  f_.ContinuousSale = false;
  f_.GrossPricing = false;
  f_.SellerName.clear();
  f_.SellerAddress.clear();
  f_.SellerNIP.clear();
  f_.BuyerName.clear();
  f_.BuyerAddress.clear();
  f_.BuyerNIP.clear();
  f_.BuyerDiscount = Currency{};
  f_.InfoText1 = kDefaultInfoText1;
  f_.InfoText2 = kDefaultInfoText2;
  f_.PaymentDueDate = today;
  f_.PaymentForm.clear();
  f_.Paid = Currency{};
  f_.IssuerName.clear();
  f_.ReceiverName.clear();
  f_.Remarks.clear();
  // Replaced by the stored defaults; kept when they cannot be read.
  f_.StandingRemarks = kDefaultStandingRemarks;
  // Not reset: Changed, MarginProcedure, LoadedFromFile, AutoNumbering, CorrectedNumber,
  // ReservedText1/2, Printed, Modified.
}

void TFaktura::Reset() {
  SetFileName("");
  ResetFields();
  ClearLogo();
  logoFileName_.clear();
  logoAbsent_ = true;
  lines_.clear();
  priorLines_.clear();
  // A new document always starts in Polish, whatever default was stored, also when the
  // reading of the defaults stopped at a damaged value.
  struct PolishAtEnd {
    TFaktura& doc;
    ~PolishAtEnd() {
      doc.f_.DocLanguage = kLanguagePolish;
      SelectTexts(kLanguagePolish);
    }
  } polish{*this};
  LoadDefaults();
}

void TFaktura::NewDocument(DocumentKind kind, const std::string& number) {
  SaveDefaults();
  if (kind == DocumentKind::Correction) {
    DeriveCorrection();
  } else {
    Reset();
    f_.Kind = kind;
  }
  SetFileName("");
  if (f_.AutoNumbering) f_.Number = number;
  f_.LoadedFromFile = false;
  f_.Modified = false;
  f_.Printed = false;
  f_.Changed = true;
  NotifyChange();
}

}  // namespace bilvox
