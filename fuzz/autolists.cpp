// The autocomplete lists file (autolists.dt). A file that reads is saved again and read
// back into fresh lists: the lists must come back as they were.
#include "common/cp1250.h"
#include "common/error.h"
#include "registers/autolists.h"
#include "support/fuzz_support.h"

using bilvox::fuzz::Require;
using bilvox::operator""_cp;

namespace {

// The three lists of the main window, with their items before any file is read.
struct Lists {
  bilvox::TextList pkwiu, units{"szt"}, payment{std::string("gotówka"_cp), "przelew"};
  bilvox::TListyNapisow owner;
  Lists() {
    owner.Attach(&pkwiu);
    owner.Attach(&units);
    owner.Attach(&payment);
  }
  bool operator==(const Lists& o) const {
    return pkwiu == o.pkwiu && units == o.units && payment == o.payment;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = bilvox::fuzz::WriteScratch("autolists.dt", bilvox::fuzz::Input(data, size));
  Lists first;
  try {
    first.owner.Load(path);
  } catch (const bilvox::Error&) {
    return 0;
  }
  Require(first.owner.FileListCount() >= 0, "negative number of lists");
  // Remembering an item moves it to the top and saves every list.
  first.owner.Remember(&first.units, first.units.empty() ? "szt" : first.units.back());
  Lists second;
  try {
    second.owner.Load(path);
  } catch (const bilvox::Error&) {
    Require(false, "a saved lists file cannot be read back");
  }
  Require(second == first, "lists changed through saving and reading back");
  return 0;
}
