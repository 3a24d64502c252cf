// The grids of the contractors and goods windows (see register_model.h).
#pragma once

#include <string>

#include "register_model.h"
#include "registers/contractors.h"
#include "registers/goods.h"

namespace bilvox {

// Columns "L.p.", "NIP", "Nazwa", "Adres". "L.p." numbers the records in the sorted order of
// the whole register, so the numbers have gaps while a filter hides records. Names and
// addresses are shown on one line. Sort mode 0 sorts by name (Polish alphabetical order),
// 1 by NIP (as typed, letter case of ASCII letters ignored).
class ContractorsModel : public RegisterModel<TKontrahentRec> {
 public:
  ContractorsModel(TKontrahenci& reg, QObject* parent);
  QStringList WidthSamples(int column) const override;

 protected:
  size_t Fingerprint(const TKontrahentRec& r) const override;
  void Prepare(const TKontrahentRec& r, Entry& e) const override;
  int Compare(const Entry& a, const Entry& b, int mode) const override;
  QVariant Cell(const Entry& e, size_t rank, int column) const override;
  bool RightAligned(int column) const override { return column == 0; }
};

// Columns "Nazwa", "PKWIU", "JM", "Cena Brutto", "Stawka VAT". The price is the gross price
// in the currency of the document (the foreign price for any currency but PLN) with that
// currency's symbol. Sort mode 0 sorts by name, 1 by the gross price in PLN.
class GoodsModel : public RegisterModel<TTowarRec> {
 public:
  GoodsModel(TTowary& reg, QObject* parent);
  QStringList WidthSamples(int column) const override;

  // The currency code of the document whose prices are shown (Windows-1250); the price and
  // rate columns are shown again (the rate labels follow the printout language).
  void ShowPricesIn(const std::string& currencyCode);

 protected:
  size_t Fingerprint(const TTowarRec& r) const override;
  void Prepare(const TTowarRec& r, Entry& e) const override;
  int Compare(const Entry& a, const Entry& b, int mode) const override;
  QVariant Cell(const Entry& e, size_t rank, int column) const override;
  bool RightAligned(int column) const override { return column >= 3; }

 private:
  std::string currencyCode_ = "PLN";
};

}  // namespace bilvox
