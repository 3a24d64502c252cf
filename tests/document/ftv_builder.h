// Hand-built document files of any version, written element by element from the file's
// layout, for the file and command-line tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/binio.h"
#include "common/cp1250.h"

namespace bilvox::testing {

struct FtvLine {
  std::string name = "Towar", pkwiu = "", unit = "szt.";
  double quantity = 1;
  int64_t pricePln = 0;   // raw (× 10000)
  int64_t vatRate = 2300;  // raw fraction
  uint8_t reserved = 0;
  bool correctionChanged = false;
  std::string nameLang12 = "", nameLang34 = "", unitLang12 = "", unitLang34 = "";
  int64_t priceForeign = 0;
  bool pricePlnIsGross = false, priceForeignIsGross = false;
};

struct FtvDocument {
  std::string number = "F1", place = "", sellerName = "", sellerAddress = "", sellerNip = "",
              buyerName = "", buyerAddress = "", buyerNip = "";
  std::string dropped1 = "", dropped2 = "";  // the two texts only version 1 has
  std::string paymentForm = "", issuer = "", receiver = "", remarks = "";
  double issueDate = 0, saleDate = 0, dueDate = 0;
  int64_t paid = 0;
  std::vector<FtvLine> lines{};
  uint8_t kind = 0;
  bool printed = false;
  std::string correctedNumber = "";
  std::vector<FtvLine> priorLines{};
  int32_t language = 0;
  int64_t discount = 0;
  std::string currency = "PLN";
  int64_t rate = 10000;
  std::string reserved1 = "", reserved2 = "";
  uint8_t vatType = 0;
  bool grossPricing = false;
  uint8_t marginProcedure = 0;
};

inline void PutFtvLine(ByteWriter& w, int version, const FtvLine& l) {
  w.String(l.name);
  w.String(l.pkwiu);
  w.String(l.unit);
  w.F64(l.quantity);
  w.I64(l.pricePln);
  w.I64(l.vatRate);
  if (version >= 2) {
    w.U8(l.reserved);
    w.Bool(l.correctionChanged);
  }
  if (version >= 5)
    for (const std::string* s : {&l.nameLang12, &l.nameLang34, &l.unitLang12, &l.unitLang34})
      w.String(*s);
  if (version >= 7) {
    w.I64(l.priceForeign);
    w.Bool(l.pricePlnIsGross);
    w.Bool(l.priceForeignIsGross);
  }
}

inline std::string FtvBytes(const FtvDocument& d, int version) {
  ByteWriter w;
  w.U16(static_cast<uint16_t>(version));
  for (const std::string* s : {&d.number, &d.place, &d.sellerName, &d.sellerAddress, &d.sellerNip,
                               &d.buyerName, &d.buyerAddress, &d.buyerNip})
    w.String(*s);
  if (version == 1) {
    w.String(d.dropped1);
    w.String(d.dropped2);
  }
  for (const std::string* s : {&d.paymentForm, &d.issuer, &d.receiver, &d.remarks}) w.String(*s);
  w.F64(d.issueDate);
  w.F64(d.saleDate);
  w.F64(d.dueDate);
  w.I64(d.paid);
  w.I32(static_cast<int32_t>(d.lines.size()));
  for (const FtvLine& l : d.lines) PutFtvLine(w, version, l);
  if (version >= 2) {
    w.U8(d.kind);
    w.Bool(d.printed);
    if (d.kind == 2) {
      w.String(d.correctedNumber);
      w.I32(static_cast<int32_t>(d.priorLines.size()));
      for (const FtvLine& l : d.priorLines) PutFtvLine(w, version, l);
    }
  }
  if (version >= 3) w.I32(d.language);
  if (version >= 4) w.I64(d.discount);
  if (version >= 5) {
    w.String(d.currency);
    w.I64(d.rate);
    w.String(d.reserved1);
    w.String(d.reserved2);
  }
  if (version >= 6) w.U8(d.vatType);
  if (version >= 7) w.Bool(d.grossPricing);
  if (version >= 8) w.U8(d.marginProcedure);
  return w.Take();
}

// A correcting invoice in a foreign currency with every field away from its default.
inline FtvDocument FullCorrection() {
  FtvDocument d;
  d.number = "K/2/2027";
  d.place = std::string("Łódź"_cp);
  d.sellerName = "Sprzedawca\r\nsp. z o.o.";
  d.sellerAddress = "ul. Prosta 1";
  d.sellerNip = "1234563218";
  d.buyerName = std::string("Nabywca Żółw"_cp);
  d.buyerAddress = "Berlin";
  d.buyerNip = "DE123";
  d.paymentForm = "przelew";
  d.issuer = "Jan";
  d.receiver = "Hans";
  d.remarks = "Uwagi\r\n";
  d.issueDate = 46450;
  d.saleDate = 46449;
  d.dueDate = 46464;
  d.paid = 123456;
  FtvLine a;
  a.name = "Stuhl";
  a.pkwiu = "31.01";
  a.unit = "szt.";
  a.quantity = 2.5;
  a.pricePln = 1999900;
  a.vatRate = 800;
  a.reserved = 7;
  a.correctionChanged = true;
  a.nameLang12 = "Stuhl DE";
  a.nameLang34 = "Chair";
  a.unitLang12 = "Stk.";
  a.unitLang34 = "pcs";
  a.priceForeign = 45000;
  a.pricePlnIsGross = true;
  a.priceForeignIsGross = true;
  FtvLine b;
  b.name = std::string("Usługa"_cp);
  b.vatRate = -10000;
  b.quantity = 0;
  d.lines = {a, b};
  d.kind = 2;
  d.printed = true;
  d.correctedNumber = "F/9/2027";
  FtvLine c = a;
  c.quantity = 3;
  c.correctionChanged = false;
  c.reserved = 200;
  d.priorLines = {c, b};
  d.language = 1;
  d.discount = 50000;
  d.currency = "EUR";
  d.rate = 42156;
  d.reserved1 = "zapas 1";
  d.reserved2 = "zapas\r\n2\x81\x01";  // an undefined byte and a control character
  d.vatType = 2;
  d.grossPricing = true;
  d.marginProcedure = 3;
  return d;
}

}  // namespace bilvox::testing
