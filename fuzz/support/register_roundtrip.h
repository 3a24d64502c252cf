// The property every register file must have: whatever a file holds, reading it either
// fails with an error (and leaves the register empty) or gives records that are written
// again and read back unchanged. The lean view of the file `register show` prints from
// agrees with the register: the same message, or the same records in the same order.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "registers/register_file_view.h"
#include "support/fuzz_support.h"

namespace bilvox::fuzz {

// `fieldsOf` gives the comparable fields a record keeps through writing (a tuple).
template <class Register, class FieldsOf>
void RegisterRoundTrip(std::string_view data, FieldsOf fieldsOf) {
  Register reg;
  std::string viewError;
  std::optional<RegisterFileView<Register>> view;
  try {
    view.emplace(std::string(data));
  } catch (const Error& e) {
    viewError = e.Message();
  }
  try {
    reg.LoadContent(data);
  } catch (const Error& e) {
    Require(reg.Count() == 0, "a register that failed to read kept records");
    Require(!view && viewError == e.Message(), "the view did not refuse the file as the register did");
    return;
  }
  Require(view.has_value(), "the view refused a file the register reads");
  Require(view->FileVersion() == reg.FileVersion() && view->Count() == reg.Count(),
          "the view counts other records than the register");
  for (int i = 0; i < reg.Count(); ++i)
    Require(fieldsOf(view->Get(i)) == fieldsOf(*reg.Get(i)),
            "the view gives other records or another order than the register");
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
