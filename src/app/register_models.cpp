#include "register_models.h"

#include <QLocale>
#include <set>

#include "common/cp1250.h"
#include "printout/texts.h"
#include "qt_text.h"
#include "words/money_text.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

enum Amount { kGrossPln, kGrossForeign, kRate };

int CompareKeys(const std::optional<QCollatorSortKey>& a,
                const std::optional<QCollatorSortKey>& b) {
  return a->compare(*b);
}

template <class T>
int CompareValues(const T& a, const T& b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

const QCollator& ListCollator() {
  static const QCollator collator = [] {
    QCollator c(QLocale(QLocale::Polish, QLocale::Poland));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return collator;
}

// ---- contractors ----

ContractorsModel::ContractorsModel(TKontrahenci& reg, QObject* parent)
    : RegisterModel(reg, {u"L.p."_s, u"NIP"_s, u"Nazwa"_s, u"Adres"_s}, parent) {}

size_t ContractorsModel::Fingerprint(const TKontrahentRec& r) const {
  size_t hash = 0;
  for (const std::string* field : {&r.oldTextA, &r.oldTextB, &r.name, &r.address, &r.reserved,
                                   &r.nip, &r.phone, &r.email, &r.www, &r.remarks})
    HashInto(hash, *field);
  return hash;
}

void ContractorsModel::Prepare(const TKontrahentRec& r, Entry& e) const {
  e.texts = {ToQ(r.nip), ToQ(CleanText(r.name)), ToQ(CleanText(r.address))};
  e.search = TKontrahenci::SearchTextOf(r);
  e.key = ListCollator().sortKey(e.texts[1]);
  e.plainKey = AsciiLower(r.nip);  // sorted by its bytes, ASCII letters as small ones
}

int ContractorsModel::Compare(const Entry& a, const Entry& b, int mode) const {
  if (mode == TKontrahenci::kByNip) return a.plainKey.compare(b.plainKey);
  return CompareKeys(a.key, b.key);
}

QVariant ContractorsModel::Cell(const Entry& e, size_t rank, int column) const {
  if (column == 0) return QString::number(rank + 1);
  if (column >= 1 && column <= 3) return e.texts[static_cast<size_t>(column - 1)];
  return {};
}

QStringList ContractorsModel::WidthSamples(int column) const {
  if (column == 0) return {QString::number(EntryCount())};
  return LongestTexts(static_cast<size_t>(column - 1));
}

// ---- goods ----

GoodsModel::GoodsModel(TTowary& reg, QObject* parent)
    : RegisterModel(reg, {u"Nazwa"_s, u"PKWIU"_s, u"JM"_s, u"Cena Brutto"_s, u"Stawka VAT"_s},
                    parent) {}

size_t GoodsModel::Fingerprint(const TTowarRec& r) const {
  size_t hash = 0;
  for (const std::string* field :
       {&r.name, &r.pkwiu, &r.unit, &r.nameDe, &r.nameEn, &r.unitDe, &r.unitEn})
    HashInto(hash, *field);
  for (Currency amount : {r.pricePln, r.priceForeign, r.vatRate}) HashInto(hash, amount.raw);
  HashInto(hash, r.pricePlnGross);
  HashInto(hash, r.priceForeignGross);
  return hash;
}

void GoodsModel::Prepare(const TTowarRec& r, Entry& e) const {
  e.texts = {ToQ(r.name), ToQ(r.pkwiu), ToQ(r.unit)};
  e.search = TTowary::SearchTextOf(r);
  e.key = ListCollator().sortKey(e.texts[0]);
  e.amounts = {GrossPrice(r, true), GrossPrice(r, false), r.vatRate};
}

int GoodsModel::Compare(const Entry& a, const Entry& b, int mode) const {
  if (mode == TTowary::kByPrice) return CompareValues(a.amounts[kGrossPln], b.amounts[kGrossPln]);
  return CompareKeys(a.key, b.key);
}

void GoodsModel::ShowPricesIn(const std::string& currencyCode) {
  currencyCode_ = currencyCode;
  if (rowCount() > 0) emit dataChanged(index(0, 3), index(rowCount() - 1, 4));
}

namespace {

QString RateCell(Currency rate) {
  if (rate == VatRateTable[kVatIndexExempt]) return ToQ(Text(TextKey::RateExempt));
  if (rate == VatRateTable[kVatIndexNotSubject]) return ToQ(Text(TextKey::RateNotSubject));
  return ToQ(RatePercentText(rate));
}

}  // namespace

QVariant GoodsModel::Cell(const Entry& e, size_t, int column) const {
  if (column >= 0 && column <= 2) return e.texts[static_cast<size_t>(column)];
  if (column == 3) {
    const Currency gross = e.amounts[currencyCode_ == "PLN" ? kGrossPln : kGrossForeign];
    return ToQ(MoneyCurrencyTextIn(currencyCode_, gross, true));
  }
  if (column == 4) return RateCell(e.amounts[kRate]);
  return {};
}

QStringList GoodsModel::WidthSamples(int column) const {
  if (column <= 2) return LongestTexts(static_cast<size_t>(column));
  QStringList samples;
  if (column == 3) {
    // The widest price is the one of most digits: the largest and the smallest.
    const size_t amount = currencyCode_ == "PLN" ? kGrossPln : kGrossForeign;
    const Entry* low = nullptr;
    const Entry* high = nullptr;
    ForEachEntry([&](const Entry& e) {
      if (!low || e.amounts[amount] < low->amounts[amount]) low = &e;
      if (!high || high->amounts[amount] < e.amounts[amount]) high = &e;
    });
    if (low) samples << Cell(*low, 0, 3).toString() << Cell(*high, 0, 3).toString();
    return samples;
  }
  std::set<int64_t> rates;
  ForEachEntry([&](const Entry& e) {
    if (rates.size() < 32) rates.insert(e.amounts[kRate].raw);
  });
  for (int64_t raw : rates) samples << RateCell(Currency::FromRaw(raw));
  return samples;
}

}  // namespace bilvox
