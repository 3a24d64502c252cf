// Shared between the XML builder and the schema check.
#pragma once

#include <string>
#include <string_view>

namespace bilvox {

// What an FA(3) element that the export writes means, in Polish (Windows-1250), for messages
// about an element the schema refused; empty for other elements.
std::string_view KsefElementMeaning(std::string_view element);

// Messages are put together from "…"_cp literals (string views) and texts.
inline std::string operator+(std::string a, std::string_view b) { return a.append(b); }
inline std::string operator+(std::string_view a, const std::string& b) {
  return std::string(a).append(b);
}

}  // namespace bilvox
