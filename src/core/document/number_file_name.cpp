#include "document/number_file_name.h"

namespace bilvox {

std::string SafeFileNameOfNumber(std::string_view number) {
  std::string name(number);
  for (char& c : name) {
    if (c == '"' || c == ':' || c == '<' || c == '>') c = '_';
    if (c == '/' || c == '\\' || c == '|') c = '-';
  }
  return name;
}

}  // namespace bilvox
