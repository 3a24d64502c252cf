// Random registers (fixed seed), filled as the program fills them and saved to their files,
// read back with equal records, whatever bytes their texts hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "registers/contractors.h"
#include "registers/goods.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

constexpr int kRegisters = 40;

class Random {
 public:
  explicit Random(unsigned seed) : rng_(seed) {}
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Int(1, 100) <= percent; }
  std::string Text() {
    std::string s;
    for (int n = Int(0, 10); n > 0; --n) s += static_cast<char>(Int(0, 255));
    return s;
  }
  Currency Money() {
    return Currency::FromRaw(std::uniform_int_distribution<int64_t>(-1'000'000'000, 10'000'000'000)(rng_));
  }

 private:
  std::mt19937 rng_;
};

auto Fields(const TKontrahentRec& r) {
  return std::tuple(r.name, r.address, r.reserved, r.nip, r.phone, r.email, r.www, r.remarks,
                    r.discount, r.receivingPerson);
}
auto Fields(const TTowarRec& r) {
  return std::tuple(r.name, r.pkwiu, r.unit, r.nameDe, r.nameEn, r.unitDe, r.unitEn, r.pricePln,
                    r.pricePlnGross, r.priceForeign, r.priceForeignGross, r.vatRate);
}

// The records as a sorted list: equal keys come out of a sort in no defined order.
template <class Register>
auto Records(const Register& reg) {
  std::vector<decltype(Fields(*reg.Get(0)))> all;
  for (int i = 0; i < reg.Count(); ++i) all.push_back(Fields(*reg.Get(i)));
  std::sort(all.begin(), all.end());
  return all;
}

// Fills a register through its upsert (as printing and the item entry do), edits records
// directly (as the list windows do), deletes some, sorts both ways; then reads the file
// the last save left into a second register.
template <class Register, class Upsert, class Edit>
void ExpectSavedRecordsReadBack(unsigned seed, const std::string& fileName, Upsert upsert,
                                Edit edit) {
  testing::RecordingMessages messages;
  testing::TempDir dir;
  Random random(seed);
  for (int n = 0; n < kRegisters; ++n) {
    SCOPED_TRACE("register " + std::to_string(n));
    const std::string path = dir.File(std::to_string(n) + fileName);
    std::vector<decltype(Fields(*Register().Get(0)))> expected;
    {
      Register reg;
      reg.Open(path);
      ASSERT_TRUE(reg.IsOpen());
      for (int k = random.Int(0, 12); k > 0; --k) {
        auto* r = upsert(reg, random);
        ASSERT_NE(r, nullptr);
        if (random.Chance(50)) edit(*r, random);
      }
      if (reg.Count() > 0 && random.Chance(30)) reg.Delete(random.Int(0, reg.Count() - 1));
      reg.SetSortMode(static_cast<uint8_t>(random.Int(0, 1)));
      reg.Save();
      expected = Records(reg);
    }  // closing saves once more
    Register back;
    back.Open(path);
    ASSERT_TRUE(back.IsOpen());
    EXPECT_EQ(back.FileVersion(), Register::kVersion);
    EXPECT_EQ(Records(back), expected);
  }
  EXPECT_TRUE(messages.messages.empty());
}

TEST(RegisterProperties, SavedContractorsReadBackEqual) {
  ExpectSavedRecordsReadBack<TKontrahenci>(
      20270305, "kontrahenci.db",
      [](TKontrahenci& reg, Random& r) {
        // Names repeat now and then, so that the upsert updates a record.
        std::string name = r.Chance(25) ? "Kowalski" : r.Text();
        return reg.UpsertFromBuyer(name, r.Text(), r.Text(), r.Text(),
                                   Currency::FromRaw(r.Int(0, 1'000'000)));
      },
      [](TKontrahentRec& c, Random& r) {
        for (std::string* t : {&c.reserved, &c.phone, &c.email, &c.www, &c.remarks}) *t = r.Text();
      });
}

TEST(RegisterProperties, SavedGoodsReadBackEqual) {
  ExpectSavedRecordsReadBack<TTowary>(
      5032027, "towary.db",
      [](TTowary& reg, Random& r) {
        static const char* kCurrencies[] = {"PLN", "EUR"};
        std::string name = r.Chance(25) ? "Śruba" : r.Text();
        Currency rate = r.Chance(80) ? VatRateTable[static_cast<size_t>(r.Int(0, 9))]
                                     : Currency::FromRaw(r.Int(-30000, 30000));
        return reg.UpsertFromEntry(name, r.Text(), r.Text(), r.Int(0, 4), r.Text(), r.Text(),
                                   kCurrencies[r.Int(0, 1)], r.Chance(50), r.Money(), rate);
      },
      [](TTowarRec& g, Random& r) {
        g.pricePln = r.Money();
        g.priceForeign = r.Money();
        g.pricePlnGross = r.Chance(50);
      });
}

}  // namespace
}  // namespace bilvox
