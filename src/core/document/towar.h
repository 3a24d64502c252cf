// One line of a sales document: a good or service with its name, classification symbol,
// unit, quantity, two unit prices (PLN column and foreign-currency column) and VAT rate.
// A line owns no totals; its prices and values are computed on demand from its fields and
// the current settings of the document that holds it.
#pragma once

#include <cstdint>
#include <string>

#include "document/money.h"

namespace bilvox {

class TFaktura;

class TTowar {
 public:
  // A line with the defaults below. The document (may be null for a free-standing line,
  // which then computes as in a PLN invoice without discount from net prices) receives
  // the change reports of SetQuantity and SetVatRate.
  explicit TTowar(TFaktura* document = nullptr);
  TTowar(const TTowar&) = delete;
  TTowar& operator=(const TTowar&) = delete;

  TFaktura* Document() const { return document_; }

  // Record-like fields (Windows-1250 texts). Writing them directly reports no change; the
  // document's line operations and the file reader do that.
  std::string Name;        // Polish name
  std::string Pkwiu;       // classification symbol
  std::string Unit;        // Polish unit
  std::string NameLang12;  // name for languages 1 and 2 (German)
  std::string NameLang34;  // name for languages 3 and 4 (English)
  std::string UnitLang12;
  std::string UnitLang34;
  double Quantity = 0;
  Currency PricePLN;
  Currency PriceForeign;
  bool PricePLNIsGross = false;
  bool PriceForeignIsGross = false;
  Currency VatRate;        // a fraction: 0.23; exempt -1, not subject -2
  uint8_t Reserved = 0;    // never set by the program, kept through files and copies
  bool CorrectionChanged = false;

  // The name (unit) for a document language: 1 and 2 the German field, 3 and 4 the
  // English one, falling back to the Polish text when that field is empty; 0 the Polish
  // text. Any other code yields an empty text.
  std::string NameFor(int language) const;
  std::string UnitFor(int language) const;

  void SetQuantity(double quantity);
  void SetVatRate(Currency rate);
  // Sets the rate of a table index 0..9; any other index leaves the rate as it is.
  void SetVatIndex(int index);
  // The first table index of the rate; 9 when the rate is not in the table.
  int GetVatIndex() const;

  // The price column in force: the foreign column when the document uses foreign prices
  // and its currency is not PLN, else the PLN column.
  Currency ActivePrice() const;
  bool ActiveIsGross() const;

  Currency NetUnitPrice() const;
  Currency GrossUnitPrice() const;
  Currency NetValue() const;
  Currency GrossValue() const;
  Currency VatValue() const;

  // Copies another line as a frozen pre-correction line: empty translations take the
  // Polish texts. Does nothing for null; reports no change.
  void CopyFrom(const TTowar* other);

 private:
  // raw(a) after the discount, before the gross/net conversion.
  Currency DiscountedPrice() const;
  // Rounds a unit price to grosze when the PLN column has at most two decimals.
  Currency FinishUnitPrice(Currency a) const;
  bool VatIsZero() const;
  Currency ValueFromNet() const;      // RoundGrosz(net unit price × quantity)
  Currency ValueFromGross() const;    // RoundGrosz(gross unit price × quantity)
  void ReportChange();

  TFaktura* document_;
};

}  // namespace bilvox
