// The national bank's directory of tables and its tables of rates, as the rate download
// reads what the server sent: the same bytes are read as both.
#include <optional>
#include <string>

#include "common/error.h"
#include "currency/nbp_rates.h"
#include "support/fuzz_support.h"

using namespace bilvox;
using bilvox::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  const Ymd day{2027, 3, 5};
  if (std::optional<std::string> name = ChooseRateTable(input, day)) {
    // The name goes into the table's address.
    Require(name->size() >= 11 && (*name)[0] == 'a', "a chosen table that is not a table A");
    Require(name->find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") ==
                std::string::npos,
            "a table name unfit for an address");
    Require(name->compare(5, 6, "270305") < 0, "a table not published before the day");
  }
  try {
    const Currency rate = ReadAverageRate(input, "EUR");
    Require(ParseRateText(RateText(rate)) == rate, "a rate that does not read back from its text");
  } catch (const Error&) {
  }
  return 0;
}
