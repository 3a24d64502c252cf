// The file name a document number gives when the document is saved under its number: the
// characters a file name cannot hold are replaced, all others stay.
#pragma once

#include <string>
#include <string_view>

namespace bilvox {

// `"` `:` `<` `>` become "_", `/` `\` `|` become "-" ("F/12/03/27" gives "F-12-03-27").
std::string SafeFileNameOfNumber(std::string_view number);

// Where the automatic save after printing puts a document that has no file yet: the
// documents folder (Windows-1250, as the settings hold it), a separator, the safe name of the
// number and ".ftv", as a native path. An empty folder gives a path beginning with the
// separator.
std::string AutoSavePath(std::string_view folder, std::string_view number);

}  // namespace bilvox
