// Builders of register files in any of their versions, for the register tests.
#pragma once

#include <cstdint>
#include <string>

#include "common/binio.h"

namespace bilvox::testing {

struct ContractorFields {
  std::string oldA{}, oldB{}, name{}, address{}, reserved{}, nip{}, phone{}, email{}, www{},
      remarks{};
  int64_t discountRaw = 0;  // percent × 10000; whole percent for versions 2 and 3
  std::string receiving{};
};

inline void PutContractor(ByteWriter& w, int version, const ContractorFields& c) {
  if (version <= 2) {
    w.String(c.oldA);
    w.String(c.oldB);
  }
  for (const std::string* s : {&c.name, &c.address, &c.reserved, &c.nip, &c.phone, &c.email,
                               &c.www, &c.remarks})
    w.String(*s);
  if (version == 2 || version == 3) w.I32(static_cast<int32_t>(c.discountRaw / 10000));
  if (version >= 4) w.I64(c.discountRaw);
  if (version >= 3) w.String(c.receiving);
}

struct GoodsFields {
  std::string name{}, pkwiu{}, unit{}, nameDe{}, nameEn{}, unitDe{}, unitEn{};
  int64_t pricePln = 0;
  bool plnGross = false;
  int64_t priceForeign = 0;
  bool foreignGross = false;
  int64_t rate = 2300;
};

inline void PutGoods(ByteWriter& w, int version, const GoodsFields& g) {
  w.String(g.name);
  w.String(g.pkwiu);
  w.String(g.unit);
  if (version >= 2)
    for (const std::string* s : {&g.nameDe, &g.nameEn, &g.unitDe, &g.unitEn}) w.String(*s);
  w.I64(g.pricePln);
  if (version >= 3) {
    w.Bool(g.plnGross);
    w.I64(g.priceForeign);
    w.Bool(g.foreignGross);
  }
  w.I64(g.rate);
}

inline ByteWriter Header(int version, int32_t count) {
  ByteWriter w;
  w.U16(static_cast<uint16_t>(version));
  w.I32(count);
  return w;
}

}  // namespace bilvox::testing
