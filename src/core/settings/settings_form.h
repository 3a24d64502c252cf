// What the settings window offers and how it reads what the user typed: the ranges of the
// numeric settings, the five ready-made colour sets of the printout, and the reading of a
// typed numbering counter.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/registry.h"
#include "settings/settings.h"

namespace bilvox {

// A colour reference 0x00BBGGRR from its red, green and blue parts.
constexpr ColorRef RgbColor(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<ColorRef>(red) | static_cast<ColorRef>(green) << 8 |
         static_cast<ColorRef>(blue) << 16;
}

// The values a setting may take in the window (both ends included); those the settings keep
// in range when read are the same ranges.
struct SettingRange {
  int32_t min;
  int32_t max;
};
inline constexpr SettingRange kTabTowDistRange{TAppSettings::kMinTabTowDist,
                                               TAppSettings::kMaxTabTowDist};  // millimetres
inline constexpr SettingRange kLogoWidthRange{TAppSettings::kMinLogoWidth,
                                              TAppSettings::kMaxLogoWidth};  // millimetres
inline constexpr SettingRange kFontSizeDeltaRange{TAppSettings::kMinFontSizeDelta,
                                                  TAppSettings::kMaxFontSizeDelta};
inline constexpr SettingRange kNumWidthRange{1, 9};      // digits of a counter

// A ready-made set of printout colours, as the menu "Zestaw kolorów" offers it.
struct ColorSet {
  std::string_view name;  // the menu item (ASCII, the same in Windows-1250)
  ColorRef lines;
  ColorRef hdrFill;
  ColorRef hdrText;
  bool showShadows;
  ColorRef shadow;
};

inline constexpr std::array<ColorSet, 5> kColorSets = {{
    {"Standardowy", RgbColor(0, 0, 0), RgbColor(239, 239, 239), RgbColor(0, 0, 0), false,
     RgbColor(207, 207, 207)},
    {"Zielony", RgbColor(0, 95, 0), RgbColor(207, 239, 207), RgbColor(0, 0, 0), true,
     RgbColor(143, 175, 143)},
    {"Niebieski", RgbColor(0, 32, 143), RgbColor(207, 223, 255), RgbColor(0, 0, 0), true,
     RgbColor(143, 159, 191)},
    {"Czerwony", RgbColor(127, 32, 0), RgbColor(255, 216, 207), RgbColor(0, 0, 0), true,
     RgbColor(191, 159, 143)},
    {"Czarny", RgbColor(0, 0, 0), RgbColor(0, 0, 0), RgbColor(255, 255, 255), false,
     RgbColor(207, 207, 207)},
}};

// Puts a colour set into the printout settings (lines, header fill and text, shadows).
void ApplyColorSet(const ColorSet& set, TAppSettings& settings);

// A numbering counter as typed in the window: a decimal integer, or 1 when the text is not
// one (an emptied box included).
int32_t CounterFromText(std::string_view text);

// The automatic save after printing needs a folder: without one it is off and cannot be
// switched on.
bool AutoSaveAllowed(std::string_view folder);

}  // namespace bilvox
