// The file name a document number gives when the document is saved under its number: the
// characters a file name cannot hold are replaced, all others stay.
#pragma once

#include <string>
#include <string_view>

namespace bilvox {

// `"` `:` `<` `>` become "_", `/` `\` `|` become "-" ("F/12/03/27" gives "F-12-03-27").
std::string SafeFileNameOfNumber(std::string_view number);

}  // namespace bilvox
