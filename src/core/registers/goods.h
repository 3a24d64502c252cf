// The register of goods and services, file towary.db: learns every item entered on a
// document and gives remembered items back to the item entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "document/money.h"
#include "registers/record_list.h"

namespace bilvox {

// One goods record; texts are Windows-1250.
struct TTowarRec {
  std::string name;
  std::string pkwiu;    // PKWiU symbol
  std::string unit;     // unit of measure
  std::string nameDe;   // name in German
  std::string nameEn;   // name in English
  std::string unitDe;   // unit in German
  std::string unitEn;   // unit in English
  Currency pricePln;
  bool pricePlnGross = false;
  Currency priceForeign;  // in whatever foreign currency the document had
  bool priceForeignGross = false;
  Currency vatRate;     // a value of VatRateTable (-1.0000 exempt, -2.0000 not subject)
};

// The gross price of a record in PLN (pln = true) or in the foreign currency: the stored
// price when it is gross, otherwise net × (1 + rate) to four decimals, then to whole grosze
// (halves away from zero). The exempt and not-subject rates count as 0 %.
Currency GrossPrice(const TTowarRec& record, bool pln);

class TTowary final : public TRecordListOf<TTowarRec> {
 public:
  static constexpr uint16_t kVersion = 3;
  // Sort modes.
  static constexpr uint8_t kByName = 0;
  static constexpr uint8_t kByPrice = 1;  // gross price in PLN

  TTowary();
  ~TTowary() override;

  void Sort() override;

  // The fields the filter searches (name, PKWiU, unit and the four translations) as
  // SearchText prepares them.
  static std::string SearchTextOf(const TTowarRec& r);

  // One record of a file of the given (known) version, into a new record; throws Error when
  // the data ends within it.
  static void ReadRecord(ByteReader& in, uint16_t version, TTowarRec& r);
  // The fewest bytes a record takes in a file: three empty texts, the price and the rate.
  static constexpr size_t kSmallestRecord = 3 * 4 + 2 * 8;
  // The message of a file from a newer version.
  static std::string_view VersionMessage();

  // Learns an item from the item entry: the record of that name (a new one when there is
  // none) takes name, PKWiU and unit; the translated name and unit as German for document
  // language 2, as English for 4 (other languages store no translation); the price and its
  // gross flag as the PLN price when the currency code is "PLN", else as the foreign price
  // (the other price stays); and the VAT rate. Then the register is sorted and saved.
  // Returns the record, or nullptr when none could be made.
  TTowarRec* UpsertFromEntry(std::string_view name, std::string_view pkwiu, std::string_view unit,
                             int docLanguage, std::string_view translatedName,
                             std::string_view translatedUnit, std::string_view currencyCode,
                             bool priceIsGross, Currency price, Currency vatRate);

 protected:
  bool Matches() const override;
  void ReadRecords(ByteReader& in, uint16_t version, int32_t count) override;
  void WriteRecords(ByteWriter& out) override;
};

}  // namespace bilvox
