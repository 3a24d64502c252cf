// The property every register file must have: whatever a file holds, reading it either
// fails with an error (and leaves the register empty) or gives records that are written
// again and read back unchanged.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "support/fuzz_support.h"

namespace bilvox::fuzz {

// `fieldsOf` gives the comparable fields a record keeps through writing (a tuple).
template <class Register, class FieldsOf>
void RegisterRoundTrip(std::string_view data, FieldsOf fieldsOf) {
  Register reg;
  try {
    reg.LoadContent(data);
  } catch (const Error&) {
    Require(reg.Count() == 0, "a register that failed to read kept records");
    return;
  }
  // The other sort order, the iteration of the list windows with a filter, and back.
  reg.SetSortMode(1);
  reg.SetFilterText(" a ");
  for (reg.First(); reg.Cursor() >= 0; reg.Next()) {
  }
  reg.SetSortMode(0);

  using Fields = decltype(fieldsOf(*reg.Get(0)));
  auto records = [&](const Register& r) {
    std::vector<Fields> all;
    for (int i = 0; i < r.Count(); ++i) all.push_back(fieldsOf(*r.Get(i)));
    std::sort(all.begin(), all.end());  // records of equal keys come in no defined order
    return all;
  };
  const std::string written = reg.Content();
  Register again;
  try {
    again.LoadContent(written);
  } catch (const Error&) {
    Require(false, "a register file as written cannot be read back");
  }
  Require(again.FileVersion() == Register::kVersion, "a register is not written in its newest version");
  Require(records(again) == records(reg), "records changed through writing and reading back");
  Require(again.Content().size() == written.size(), "writing the same records gave another size");
}

}  // namespace bilvox::fuzz
