// The register of contractors (buyers), file kontrahenci.db: filled by hand in the
// contractors window and from the buyer of every document printed or saved.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "document/money.h"
#include "registers/record_list.h"

namespace bilvox {

class TFaktura;

// One contractor; texts are Windows-1250.
struct TKontrahentRec {
  std::string oldTextA;   // only from files of versions 0 to 2; searched, never written again
  std::string oldTextB;   // likewise
  std::string name;       // company name, or first name and surname; may hold line breaks
  std::string address;    // seat; may hold line breaks
  std::string reserved;   // carried through reading and writing, shown nowhere
  std::string nip;        // tax identification number as typed
  std::string phone;
  std::string email;
  std::string www;
  std::string remarks;    // may hold line breaks
  Currency discount;      // percent, 0 to 100
  std::string receivingPerson;  // person receiving documents
};

class TKontrahenci final : public TRecordListOf<TKontrahentRec> {
 public:
  static constexpr uint16_t kVersion = 4;
  // Sort modes.
  static constexpr uint8_t kByName = 0;
  static constexpr uint8_t kByNip = 1;

  TKontrahenci();
  ~TKontrahenci() override;

  void Sort() override;

  // Files a document's buyer: the record of that name (a new one when there is none) takes
  // the name, address, NIP, receiving person and discount; its other fields stay. Then the
  // register is sorted and saved, and OnUpsert is called. Returns the record, or nullptr when
  // none could be made.
  TKontrahentRec* UpsertFromBuyer(std::string_view name, std::string_view address,
                                  std::string_view nip, std::string_view receivingPerson,
                                  Currency discount);
  // The same with the buyer of a document (after it was printed or saved).
  TKontrahentRec* UpsertFromDocument(const TFaktura& doc);

  // The fields the filter searches (old texts, name, address, reserved text, NIP, telephone,
  // e-mail, web site, remarks) as SearchText prepares them.
  static std::string SearchTextOf(const TKontrahentRec& r);

  // One record of a file of the given (known) version, into a new record; throws Error when
  // the data ends within it.
  static void ReadRecord(ByteReader& in, uint16_t version, TKontrahentRec& r);
  // The fewest bytes a record takes in a file: eight empty texts.
  static constexpr size_t kSmallestRecord = 8 * 4;
  // The message of a file from a newer version.
  static std::string_view VersionMessage();

  // Called after every upsert, so a window showing the register can refill itself.
  std::function<void()> OnUpsert;

 protected:
  bool Matches() const override;
  void ReadRecords(ByteReader& in, uint16_t version, int32_t count) override;
  void WriteRecords(ByteWriter& out) override;
};

}  // namespace bilvox
