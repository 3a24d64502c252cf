// The goods register file (towary.db), every version the reader accepts.
#include <tuple>

#include "registers/goods.h"
#include "support/register_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using bilvox::TTowarRec;
  bilvox::fuzz::RegisterRoundTrip<bilvox::TTowary>(
      bilvox::fuzz::Input(data, size), [](const TTowarRec& r) {
        return std::tuple(r.name, r.pkwiu, r.unit, r.nameDe, r.nameEn, r.unitDe, r.unitEn,
                          r.pricePln.raw, r.pricePlnGross, r.priceForeign.raw,
                          r.priceForeignGross, r.vatRate.raw);
      });
  return 0;
}
