#include "document/towar.h"

#include "common/cp1250.h"
#include "document/faktura.h"

namespace bilvox {

namespace {

// Pricing settings of the document a line belongs to; a free-standing line computes as in
// a PLN invoice from net prices without discount.
struct LineContext {
  bool foreignColumn = false;
  Currency discount;
  bool grossPricing = false;
  bool bill = false;
};

LineContext ContextOf(const TFaktura* doc) {
  LineContext c;
  if (!doc) return c;
  c.foreignColumn = doc->UseForeignPrices() && doc->CurrencyCode() != "PLN";
  c.discount = doc->BuyerDiscount();
  c.grossPricing = doc->GrossPricing();
  c.bill = doc->Kind() == DocumentKind::Bill;
  return c;
}

const std::string& Translated(int language, const std::string& polish, const std::string& lang12,
                              const std::string& lang34) {
  static const std::string kNothing;
  switch (language) {
    case 0: return polish;
    case 1:
    case 2: return lang12.empty() ? polish : lang12;
    case 3:
    case 4: return lang34.empty() ? polish : lang34;
    default: return kNothing;
  }
}

}  // namespace

TTowar::TTowar(TFaktura* document)
    : Name("[Brak]"_cp),
      Unit("szt."),
      VatRate(NewVatRatesInForce() ? VatRateTable[7] : VatRateTable[0]),
      document_(document) {}

std::string TTowar::NameFor(int language) const {
  return Translated(language, Name, NameLang12, NameLang34);
}

std::string TTowar::UnitFor(int language) const {
  return Translated(language, Unit, UnitLang12, UnitLang34);
}

void TTowar::ReportChange() {
  if (document_) document_->MarkChanged();
}

void TTowar::SetQuantity(double quantity) {
  if (quantity == Quantity) return;
  Quantity = quantity;
  ReportChange();
}

void TTowar::SetVatRate(Currency rate) {
  if (rate == VatRate) return;
  VatRate = rate;
  ReportChange();
}

void TTowar::SetVatIndex(int index) {
  if (index >= 0 && index < kVatRateCount) SetVatRate(VatRateTable[index]);
}

int TTowar::GetVatIndex() const { return FindVatIndex(VatRate); }

Currency TTowar::ActivePrice() const {
  return ContextOf(document_).foreignColumn ? PriceForeign : PricePLN;
}

bool TTowar::ActiveIsGross() const {
  return ContextOf(document_).foreignColumn ? PriceForeignIsGross : PricePLNIsGross;
}

Currency TTowar::DiscountedPrice() const {
  Currency a = ActivePrice();
  const Currency d = ContextOf(document_).discount;
  // The discount is a percentage of the unit price (5 means 5 %).
  if (d.raw > 0)
    a.raw = RoundRaw((10000.0L - static_cast<long double>(d.raw) / 100.0L) * a.raw / 10000.0L);
  return a;
}

Currency TTowar::FinishUnitPrice(Currency a) const {
  // A PLN column with at most two decimals rounds the unit price to grosze; the test
  // looks at the PLN column even when the foreign column is in force.
  if (RoundGrosz(PricePLN) == PricePLN) return RoundGrosz(a);
  return a;
}

Currency TTowar::NetUnitPrice() const {
  Currency a = DiscountedPrice();
  if (ActiveIsGross()) {
    const int64_t c = ClampRate(VatRate).raw;
    a.raw = RoundRaw(static_cast<long double>(a.raw) / (c + 10000) * 10000.0L);
  }
  return FinishUnitPrice(a);
}

Currency TTowar::GrossUnitPrice() const {
  Currency a = DiscountedPrice();
  if (!ActiveIsGross()) a = GrossFromNet(a, VatRate);
  return FinishUnitPrice(a);
}

bool TTowar::VatIsZero() const {
  return VatRate == VatRateTable[kVatIndexExempt] || VatRate == VatRateTable[kVatIndexNotSubject] ||
         ContextOf(document_).bill;
}

Currency TTowar::ValueFromNet() const {
  return RoundGrosz(Currency{RoundRaw(static_cast<long double>(NetUnitPrice().raw) * Quantity)});
}

Currency TTowar::ValueFromGross() const {
  return RoundGrosz(Currency{RoundRaw(static_cast<long double>(GrossUnitPrice().raw) * Quantity)});
}

Currency TTowar::NetValue() const {
  if (ContextOf(document_).grossPricing) return GrossValue() - VatValue();
  return ValueFromNet();
}

Currency TTowar::GrossValue() const {
  if (ContextOf(document_).grossPricing) return ValueFromGross();
  return NetValue() + VatValue();
}

Currency TTowar::VatValue() const {
  if (VatIsZero()) return Currency{};
  if (ContextOf(document_).grossPricing) {
    const int64_t c = ClampRate(VatRate).raw;
    return RoundGrosz(
        Currency{RoundRaw(static_cast<long double>(c) * ValueFromGross().raw / (c + 10000))});
  }
  // From net values the rate is used as it stands.
  return RoundGrosz(
      Currency{RoundRaw(static_cast<long double>(ValueFromNet().raw) * VatRate.raw / 10000.0L)});
}

void TTowar::CopyFrom(const TTowar* other) {
  if (!other) return;
  Name = other->NameFor(0);
  NameLang12 = other->NameFor(2);
  NameLang34 = other->NameFor(4);
  Unit = other->UnitFor(0);
  UnitLang12 = other->UnitFor(2);
  UnitLang34 = other->UnitFor(4);
  Pkwiu = other->Pkwiu;
  Quantity = other->Quantity;
  PricePLN = other->PricePLN;
  PriceForeign = other->PriceForeign;
  PricePLNIsGross = other->PricePLNIsGross;
  PriceForeignIsGross = other->PriceForeignIsGross;
  VatRate = other->VatRate;
  CorrectionChanged = other->CorrectionChanged;
  Reserved = other->Reserved;
}

}  // namespace bilvox
