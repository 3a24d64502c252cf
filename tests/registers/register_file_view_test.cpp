// The lean read-only view of a register file (what `register show` prints) against the
// register itself: the same records in the same order, and the same refusals.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "common/cp1250.h"
#include "common/error.h"
#include "registers/contractors.h"
#include "registers/goods.h"
#include "registers/register_builders.h"
#include "registers/register_file_view.h"

namespace bilvox {
namespace {

using testing::ContractorFields;
using testing::Header;

auto FieldsOf(const TKontrahentRec& r) {
  return std::tuple(r.oldTextA, r.oldTextB, r.name, r.address, r.reserved, r.nip, r.phone,
                    r.email, r.www, r.remarks, r.discount, r.receivingPerson);
}
auto FieldsOf(const TTowarRec& r) {
  return std::tuple(r.name, r.pkwiu, r.unit, r.nameDe, r.nameEn, r.unitDe, r.unitEn,
                    r.pricePln, r.pricePlnGross, r.priceForeign, r.priceForeignGross, r.vatRate);
}

// Reads the bytes both ways; the view must agree with the register on the outcome: the
// same message, or the same version and the same records in the same order.
template <class Register>
void ExpectViewAgrees(const std::string& bytes, const std::string& label) {
  Register reg;
  std::optional<std::string> regError, viewError;
  try {
    reg.LoadContent(bytes);
  } catch (const Error& e) {
    regError = e.Message();
  }
  try {
    RegisterFileView<Register> view(bytes);
    ASSERT_FALSE(regError) << label << ": the view read what the register refused";
    ASSERT_EQ(view.FileVersion(), reg.FileVersion()) << label;
    ASSERT_EQ(view.Count(), reg.Count()) << label;
    for (int i = 0; i < reg.Count(); ++i)
      ASSERT_EQ(FieldsOf(view.Get(i)), FieldsOf(*reg.Get(i))) << label << ", record " << i;
  } catch (const Error& e) {
    viewError = e.Message();
  }
  EXPECT_EQ(viewError, regError) << label;
}

// Names that are equal to the sort (ASCII letters compare as capitals) and told apart by
// another field: far more than a sort handles by simple insertion, so the order of equal
// names is the one the register's sort leaves, which no stable order reproduces.
const char* const kNames[] = {"Kowalski", "KOWALSKI", "kowalski", "Nowak", "nowak",
                              "Żuraw",    "żuraw",    "",         "Kowalski", "NOWAK"};

TEST(RegisterView, SameContractorsInTheRegistersOrderForEveryVersion) {
  for (int version = 0; version <= TKontrahenci::kVersion; ++version) {
    ByteWriter w = Header(version, 300);
    for (int i = 0; i < 300; ++i)
      PutContractor(w, version,
                    ContractorFields{.oldA = "a" + std::to_string(i),
                                     .name = FromUtf8Lossy(kNames[i * 7 % 10]),
                                     .nip = std::to_string(i),
                                     .discountRaw = i % 3 * 10000,
                                     .receiving = i % 2 ? "Jan" : ""});
    ExpectViewAgrees<TKontrahenci>(w.Data(), "contractors, version " + std::to_string(version));
  }
}

TEST(RegisterView, DamagedNewerAndEmptyFilesAsTheRegisterReadsThem) {
  // Every cut of a file (within the head, a text's length, a text, between records), a
  // negative count, a newer version and a count far beyond what the file holds.
  ByteWriter w = Header(2, 2);
  PutContractor(w, 2, ContractorFields{.oldA = "x", .name = "B", .discountRaw = 50000});
  PutContractor(w, 2, ContractorFields{.name = "a", .remarks = "uwagi"});
  const std::string c = w.Data();
  for (size_t n = 0; n <= c.size(); ++n)
    ExpectViewAgrees<TKontrahenci>(c.substr(0, n), "cut at " + std::to_string(n));
  ExpectViewAgrees<TKontrahenci>(Header(2, -1).Data() + c.substr(6), "count -1");
  ExpectViewAgrees<TKontrahenci>(Header(5, 0).Data(), "newer contractors");
  ExpectViewAgrees<TTowary>(Header(4, 0).Data(), "newer goods");
  ExpectViewAgrees<TKontrahenci>(Header(4, 0x7fffffff).Data() + std::string(40, '\0'),
                                 "count 2^31 - 1");
}

}  // namespace
}  // namespace bilvox
