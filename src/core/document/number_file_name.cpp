#include "document/number_file_name.h"

#include "common/cp1250.h"

namespace bilvox {

std::string SafeFileNameOfNumber(std::string_view number) {
  std::string name(number);
  for (char& c : name) {
    if (c == '"' || c == ':' || c == '<' || c == '>') c = '_';
    if (c == '/' || c == '\\' || c == '|') c = '-';
  }
  return name;
}

std::string AutoSavePath(std::string_view folder, std::string_view number) {
  std::string path = ToUtf8(folder);
  // A folder chosen with its closing separator does not get a second one.
  if (!path.empty() && path.back() == '/') path.pop_back();
  return path + "/" + ToUtf8(SafeFileNameOfNumber(number)) + ".ftv";
}

}  // namespace bilvox
