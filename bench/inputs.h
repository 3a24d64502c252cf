// What the benchmarks work on: a register of contractors, an invoice with realistic texts
// and a long document, built the same way for the benchmark programs and for the files of bench/cli.sh.
#pragma once

#include <random>
#include <string>

#include "common/binio.h"
#include "common/cp1250.h"
#include "document/faktura.h"

namespace bilvox::bench {

// A version 4 file of contractors, in no particular order (16.6 MB for 100 000).
inline std::string ContractorsFileBytes(int count) {
  std::mt19937 rng(42);
  ByteWriter w;
  w.U16(4);
  w.I32(count);
  for (int i = 0; i < count; ++i) {
    std::string n = std::to_string(rng() % 1000000);
    w.String((i % 3 ? "Firma Handlowa " : "przedsiębiorstwo usługowe ") + n + " Sp. z o.o.");
    w.String("ul. Długa " + std::to_string(i % 200) + "\r\n00-950 Warszawa");
    w.String("");
    w.String("526-" + n.substr(0, 3) + "-02-74");
    w.String("+48 22 555 01 " + std::to_string(i % 100));
    w.String("biuro" + n + "@example.pl");
    w.String("");
    w.String(i % 10 ? "" : "płaci w terminie");
    w.I64((i % 20) * 10000);
    w.String(i % 4 ? "" : "Jan Kowalski");
  }
  return w.Take();
}

// An invoice of 20 lines (every fifth name on two lines) with seller, buyer, VAT summary,
// payment and remarks (no signature room, so that it fits on the page).
inline void FillInvoice(TFaktura& doc) {
  doc.SetNumber("FV 12/03/2027");
  doc.SetPlaceOfIssue("Warszawa");
  doc.SetSellerName("Przedsiębiorstwo Handlowo-Usługowe \"Żuraw\" Sp. z o.o."_cp);
  doc.SetSellerAddress("ul. Długa 12/3\r\n00-950 Warszawa"_cp);
  doc.SetSellerNIP("123-456-32-18");
  doc.SetBuyerName("Apteka Pod Orłem s.c."_cp);
  doc.SetBuyerAddress("ul. Krótka 5\r\n30-001 Kraków"_cp);
  doc.SetBuyerNIP("PL 1234563218");
  doc.SetPaymentForm("przelew");
  doc.SetRemarks("Towar odebrano osobiście."_cp);
  for (int i = 0; i < 20; ++i)
    doc.AddLine(i % 5 == 0
                    ? "Usługa transportowa na trasie Warszawa – Kraków z rozładunkiem"_cp
                    : "Papier ksero A4, ryza 500 arkuszy",
                "", i % 7 == 3 ? 8 : 7, false, Currency::Of(12 + i, 3450), 1.5 + i, "17.12.14",
                "", "szt.");
}

// A document of many short lines (about 82 bytes of file each).
inline void FillLongDocument(TFaktura& doc, int lines) {
  for (int i = 0; i < lines; ++i) {
    TTowar& line = doc.AppendLine();
    line.Name = "Pozycja " + std::to_string(i);
    line.Unit = "szt.";
    line.Quantity = 1 + i % 7;
    line.PricePLN = Currency::Of(10 + i % 90, 0);
    line.VatRate = Currency::Of(0, 2300);
  }
}

}  // namespace bilvox::bench
