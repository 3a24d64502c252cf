// The document's sums by VAT rate, the amount due, validation and the tax number check.
#include <array>

#include "common/cp1250.h"
#include "document/faktura.h"

namespace bilvox {

namespace {

// The rates that carry VAT in the all-rates total.
constexpr std::array<int, 7> kTaxedIndexes = {0, 1, 2, 3, 7, 8, 9};

bool ValidIndex(int i) { return i >= 0 && i < kVatRateCount; }

// The VAT of one rate, computed once from the rate's sum (net or gross).
Currency RateVat(Currency base, int index, bool fromGross) {
  const int64_t t = VatRateTable[static_cast<size_t>(index)].raw;
  const long double v = fromGross
                            ? static_cast<long double>(base.raw) * t / (t + 10000)
                            : static_cast<long double>(base.raw) * t / 10000.0L;
  return RoundGrosz(Currency{RoundRaw(v)});
}

}  // namespace

TFaktura::RateSums TFaktura::SumsOver(const LineList& list, int vatIndex) const {
  const bool fromGross = f_.GrossPricing;
  // The exact sum of the line values of a rate (gross values when pricing from gross).
  auto base = [&](int i) {
    Currency sum;
    if (!ValidIndex(i)) return sum;
    for (const auto& line : list)
      if (i == kVatIndexAll || line->VatRate == VatRateTable[static_cast<size_t>(i)])
        sum += fromGross ? line->GrossValue() : line->NetValue();
    return RoundGrosz(sum);
  };
  Currency vat;
  if (vatIndex == kVatIndexAll) {
    for (int j : kTaxedIndexes) vat += RateVat(base(j), j, fromGross);
  } else if (ValidIndex(vatIndex) && vatIndex != 3 && vatIndex != kVatIndexExempt &&
             vatIndex != kVatIndexNotSubject) {
    vat = RateVat(base(vatIndex), vatIndex, fromGross);
  }
  RateSums s;
  s.vat = vat;
  if (fromGross) {
    s.gross = base(vatIndex);
    s.net = s.gross - vat;
  } else {
    s.net = base(vatIndex);
    s.gross = s.net + vat;
  }
  return s;
}

TFaktura::RateSums TFaktura::Sums(int vatIndex, bool withCorrection) const {
  RateSums s = SumsOver(lines_, vatIndex);
  if (withCorrection && IsCorrection()) {
    const RateSums before = SumsOver(priorLines_, vatIndex);
    s.net -= before.net;
    s.vat -= before.vat;
    s.gross -= before.gross;
  }
  return s;
}

Currency TFaktura::NetSum(int i, bool withCorrection) const { return Sums(i, withCorrection).net; }
Currency TFaktura::VatSum(int i, bool withCorrection) const { return Sums(i, withCorrection).vat; }
Currency TFaktura::GrossSum(int i, bool withCorrection) const {
  return Sums(i, withCorrection).gross;
}
Currency TFaktura::PriorNetSum(int i) const { return SumsOver(priorLines_, i).net; }
Currency TFaktura::PriorVatSum(int i) const { return SumsOver(priorLines_, i).vat; }
Currency TFaktura::PriorGrossSum(int i) const { return SumsOver(priorLines_, i).gross; }

Currency TFaktura::AmountDue() const {
  const RateSums s = Sums(kVatIndexAll, true);
  return f_.Kind == DocumentKind::Bill ? s.net : s.gross;
}

int TFaktura::Validate() const {
  if (lines_.empty()) return kValidNoLines;
  if (AmountDue() == Currency{}) return kValidZeroAmount;
  if (f_.SellerName.empty() || f_.SellerAddress.empty() || f_.SellerNIP.empty())
    return kValidSellerMissing;
  if (f_.BuyerName.empty() || f_.BuyerAddress.empty()) return kValidBuyerMissing;
  if (f_.BuyerNIP.empty()) return kValidBuyerNipMissing;
  if (!NipValid(f_.SellerNIP)) return kValidSellerNipInvalid;
  if (!NipValid(f_.BuyerNIP)) return kValidBuyerNipInvalid;
  return kValidOk;
}

std::string_view ValidationMessage(int code) {
  switch (code) {
    case kValidNoLines: return "Nie umieszczono jeszcze żadnej pozycji."_cp;
    case kValidZeroAmount: return "Dokument opiewa na zerową kwotę."_cp;
    case kValidSellerMissing: return "Brakuje wszystkich lub niektórych danych sprzedawcy."_cp;
    case kValidBuyerMissing: return "Brakuje wszystkich lub niektórych danych nabywcy."_cp;
    case kValidBuyerNipMissing: return "Nie podano NIP nabywcy"_cp;
    case kValidSellerNipInvalid: return "Numer NIP sprzedawcy jest niepoprawny."_cp;
    case kValidBuyerNipInvalid: return "Numer NIP nabywcy jest niepoprawny."_cp;
    default: return {};
  }
}

bool NipValid(std::string_view text) {
  std::string t = AsciiUpper(Trim(text));
  auto letter = [](char c) { return c >= 'A' && c <= 'Z'; };
  if (t.size() > 1 && letter(t[0]) && letter(t[1])) {
    if (t.compare(0, 2, "PL") != 0) return true;  // a foreign VAT number
    t.erase(0, 2);
  }
  std::string digits;
  for (char c : t) {
    if (c == ' ' || c == '-' || c == '/') continue;
    if (c < '0' || c > '9') return false;
    digits += c;
  }
  if (digits.size() != 10) return false;
  static constexpr int kWeights[9] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += kWeights[i] * (digits[static_cast<size_t>(i)] - '0');
  return sum % 11 == digits[9] - '0';
}

}  // namespace bilvox
