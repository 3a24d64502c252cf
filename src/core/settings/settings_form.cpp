#include "settings/settings_form.h"

#include "settings/numbering.h"

namespace bilvox {

void ApplyColorSet(const ColorSet& set, TAppSettings& settings) {
  settings.LinesColor = set.lines;
  settings.HdrFillColor = set.hdrFill;
  settings.HdrTextColor = set.hdrText;
  settings.ShowShadows = set.showShadows;
  settings.ShadowColor = set.shadow;
}

int32_t CounterFromText(std::string_view text) { return IntegerFromText(text, 1); }

bool AutoSaveAllowed(std::string_view folder) { return !folder.empty(); }

}  // namespace bilvox
