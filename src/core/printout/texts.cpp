// Placeholder until the text sets are filled in: selection only records the language.
#include "printout/texts.h"

namespace bilvox {

namespace {
int g_active = 0;
std::array<std::string, kTextKeyCount> g_texts;
}  // namespace

void SelectTexts(int language) {
  if (language < 0 || language > 4 || language == 3) return;
  g_active = language;
}

const std::string& Text(TextKey key) { return g_texts[static_cast<int>(key)]; }

int ActiveLanguage() { return g_active; }

}  // namespace bilvox
