// The program's identity: the title of its message boxes and the maker line of the printout.
#pragma once

#include <string_view>

namespace bilvox {

inline constexpr std::string_view kAppTitle = "Bilvox";
inline constexpr std::string_view kAppVersion = "0.1.0";
// Version as major * 100 + minor, the form the settings store keeps.
inline constexpr int kAppVersionNumber = 1;
inline constexpr std::string_view kProjectAddress = "https://bilvox.pl";

}  // namespace bilvox
