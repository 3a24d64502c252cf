#include "registers/goods.h"

#include <array>

#include "common/cp1250.h"

namespace bilvox {

Currency GrossPrice(const TTowarRec& record, bool pln) {
  Currency price = pln ? record.pricePln : record.priceForeign;
  bool gross = pln ? record.pricePlnGross : record.priceForeignGross;
  if (gross) return price;
  return RoundGrosz(GrossFromNet(price, record.vatRate));
}

std::string_view TTowary::VersionMessage() { return "Niepoprawna wersja pliku towarów"_cp; }

TTowary::TTowary() : TRecordListOf(kVersion, VersionMessage()) {}

TTowary::~TTowary() { Close(); }

void TTowary::Sort() {
  if (sortMode_ == kByName) {
    SortByText(&TTowarRec::name);
  } else if (sortMode_ == kByPrice) {
    SortByKey([](const TTowarRec& r) { return GrossPrice(r, true); });
  }
}

TTowarRec* TTowary::UpsertFromEntry(std::string_view name, std::string_view pkwiu,
                                    std::string_view unit, int docLanguage,
                                    std::string_view translatedName,
                                    std::string_view translatedUnit,
                                    std::string_view currencyCode, bool priceIsGross,
                                    Currency price, Currency vatRate) {
  TTowarRec* rec = FindOrAdd(name);
  if (!rec) return nullptr;
  rec->name = name;
  rec->pkwiu = pkwiu;
  rec->unit = unit;
  if (docLanguage == 2) {
    rec->nameDe = translatedName;
    rec->unitDe = translatedUnit;
  } else if (docLanguage == 4) {
    rec->nameEn = translatedName;
    rec->unitEn = translatedUnit;
  }
  if (currencyCode == "PLN") {
    rec->pricePln = price;
    rec->pricePlnGross = priceIsGross;
  } else {
    rec->priceForeign = price;
    rec->priceForeignGross = priceIsGross;
  }
  rec->vatRate = vatRate;
  // The new values decide the record's place (a new record was sorted with an empty name).
  return SortAndSave(rec);
}

namespace {

// The fields the filter searches, in the order it looks at them.
std::array<std::string_view, 7> SearchedFields(const TTowarRec& r) {
  return {r.name, r.pkwiu, r.unit, r.nameDe, r.nameEn, r.unitDe, r.unitEn};
}

}  // namespace

std::string TTowary::SearchTextOf(const TTowarRec& r) { return SearchText(SearchedFields(r)); }

bool TTowary::Matches() const {
  const TTowarRec* r = Current();
  if (filterText_.empty() || !r) return true;
  return FilterFound(SearchedFields(*r));
}

void TTowary::ReadRecord(ByteReader& in, uint16_t version, TTowarRec& r) {
  r.name = in.String();
  r.pkwiu = in.String();
  r.unit = in.String();
  if (version >= 2) {
    r.nameDe = in.String();
    r.nameEn = in.String();
    r.unitDe = in.String();
    r.unitEn = in.String();
  }
  r.pricePln = Currency::FromRaw(in.I64());
  if (version >= 3) {
    r.pricePlnGross = in.Bool();
    r.priceForeign = Currency::FromRaw(in.I64());
    r.priceForeignGross = in.Bool();
  }
  r.vatRate = Currency::FromRaw(in.I64());
}

void TTowary::ReadRecords(ByteReader& in, uint16_t version, int32_t count) {
  Reserve(count, in.Remaining(), kSmallestRecord);
  for (int32_t i = 0; i < count; ++i)
    ReadRecord(in, version, *records_.emplace_back(std::make_unique<TTowarRec>()));
}

void TTowary::WriteRecords(ByteWriter& out) {
  for (const auto& p : records_) {
    const TTowarRec& r = *p;
    for (const std::string* s : {&r.name, &r.pkwiu, &r.unit, &r.nameDe, &r.nameEn, &r.unitDe,
                                 &r.unitEn})
      out.String(*s);
    out.I64(r.pricePln.raw);
    out.Bool(r.pricePlnGross);
    out.I64(r.priceForeign.raw);
    out.Bool(r.priceForeignGross);
    out.I64(r.vatRate.raw);
  }
}

}  // namespace bilvox
