#include "registers/contractors.h"

#include <array>

#include "common/cp1250.h"
#include "document/faktura.h"

namespace bilvox {

std::string_view TKontrahenci::VersionMessage() {
  return "Niepoprawna wersja pliku kontrahentów"_cp;
}

TKontrahenci::TKontrahenci() : TRecordListOf(kVersion, VersionMessage()) {}

TKontrahenci::~TKontrahenci() { Close(); }

void TKontrahenci::Sort() {
  const bool byNip = sortMode_ == kByNip;
  if (sortMode_ != kByName && !byNip) return;
  SortByText(byNip ? &TKontrahentRec::nip : &TKontrahentRec::name);
}

TKontrahentRec* TKontrahenci::UpsertFromBuyer(std::string_view name, std::string_view address,
                                              std::string_view nip,
                                              std::string_view receivingPerson,
                                              Currency discount) {
  TKontrahentRec* rec = FindOrAdd(name);
  if (!rec) return nullptr;
  rec->name = name;
  rec->address = address;
  rec->nip = nip;
  rec->receivingPerson = receivingPerson;
  rec->discount = discount;
  rec = SortAndSave(rec);
  if (OnUpsert) OnUpsert();
  return rec;
}

namespace {

// The fields the filter searches, in the order it looks at them.
std::array<std::string_view, 10> SearchedFields(const TKontrahentRec& r) {
  return {r.oldTextA, r.oldTextB, r.name, r.address, r.reserved,
          r.nip,      r.phone,    r.email, r.www,    r.remarks};
}

}  // namespace

std::string TKontrahenci::SearchTextOf(const TKontrahentRec& r) {
  return SearchText(SearchedFields(r));
}

bool TKontrahenci::Matches() const {
  const TKontrahentRec* r = Current();
  if (filterText_.empty() || !r) return true;
  return FilterFound(SearchedFields(*r));
}

void TKontrahenci::ReadRecord(ByteReader& in, uint16_t version, TKontrahentRec& r) {
  if (version <= 2) {
    r.oldTextA = in.String();
    r.oldTextB = in.String();
  }
  r.name = in.String();
  r.address = in.String();
  r.reserved = in.String();
  r.nip = in.String();
  r.phone = in.String();
  r.email = in.String();
  r.www = in.String();
  r.remarks = in.String();
  if (version == 2 || version == 3) r.discount = Currency::Of(in.I32());
  if (version >= 4) r.discount = Currency::FromRaw(in.I64());
  if (version >= 3) r.receivingPerson = in.String();
}

void TKontrahenci::ReadRecords(ByteReader& in, uint16_t version, int32_t count) {
  Reserve(count, in.Remaining(), kSmallestRecord);
  for (int32_t i = 0; i < count; ++i)
    ReadRecord(in, version, *records_.emplace_back(std::make_unique<TKontrahentRec>()));
}

void TKontrahenci::WriteRecords(ByteWriter& out) {
  Sort();
  for (const auto& p : records_) {
    const TKontrahentRec& r = *p;
    for (const std::string* s : {&r.name, &r.address, &r.reserved, &r.nip, &r.phone, &r.email,
                                 &r.www, &r.remarks})
      out.String(*s);
    out.I64(r.discount.raw);
    out.String(r.receivingPerson);
  }
}

TKontrahentRec* TKontrahenci::UpsertFromDocument(const TFaktura& doc) {
  return UpsertFromBuyer(doc.BuyerName(), doc.BuyerAddress(), doc.BuyerNIP(), doc.ReceiverName(),
                         doc.BuyerDiscount());
}

}  // namespace bilvox
