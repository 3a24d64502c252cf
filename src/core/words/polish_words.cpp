#include "words/polish_words.h"

#include <array>
#include <cstdint>

#include "common/cp1250.h"
#include "printout/texts.h"
#include "words/german_words.h"
#include "words/money_text.h"

namespace bilvox {

namespace {

// Every word carries its leading blank; the first one is dropped at the end.
constexpr std::string_view kUnits[10] = {
    "", " jeden", " dwa", " trzy", " cztery", " pięć"_cp, " sześć"_cp, " siedem", " osiem",
    " dziewięć"_cp,
};
constexpr std::string_view kTeens[10] = {
    " dziesięć"_cp, " jedenaście"_cp, " dwanaście"_cp, " trzynaście"_cp, " czternaście"_cp,
    " piętnaście"_cp, " szesnaście"_cp, " siedemnaście"_cp, " osiemnaście"_cp,
    " dziewiętnaście"_cp,
};
constexpr std::string_view kTens[10] = {
    "", "", " dwadzieścia"_cp, " trzydzieści"_cp, " czterdzieści"_cp, " pięćdziesiąt"_cp,
    " sześćdziesiąt"_cp, " siedemdziesiąt"_cp, " osiemdziesiąt"_cp, " dziewięćdziesiąt"_cp,
};
constexpr std::string_view kHundreds[10] = {
    "", " sto", " dwieście"_cp, " trzysta", " czterysta", " pięćset"_cp, " sześćset"_cp,
    " siedemset", " osiemset", " dziewięćset"_cp,
};

// The three forms of a scale word: after 1, after 2..4 (and 22..24, ...), after the rest.
struct ScaleForms {
  std::string_view one, few, many;
};
// Index k is 1000^k; the units have no word. The whole part of a Currency stays below 10^15;
// the larger scales keep every 64-bit number correct.
constexpr std::array<ScaleForms, 7> kScales = {{
    {"", "", ""},
    {" tysiąc"_cp, " tysiące"_cp, " tysięcy"_cp},
    {" milion", " miliony", " milionów"_cp},
    {" miliard", " miliardy", " miliardów"_cp},
    {" bilion", " biliony", " bilionów"_cp},
    {" biliard", " biliardy", " biliardów"_cp},
    {" trylion", " tryliony", " trylionów"_cp},
}};

// Words of a three-digit group 0..999.
std::string GroupWords(int g) {
  const int h = g / 100, t = g / 10 % 10, u = g % 10;
  std::string s(kHundreds[h]);
  if (t == 1) {
    s += kTeens[u];
  } else {
    s += kTens[t];
    s += kUnits[u];
  }
  return s;
}

// The scale word that follows a group g (0..999).
std::string_view ScaleWord(int g, const ScaleForms& forms) {
  const int h = g / 100, e = g % 100, u = g % 10;
  if (e == 0) return h != 0 ? forms.many : std::string_view();
  if (e == 1) return h != 0 ? forms.many : forms.one;
  if (e <= 4) return forms.few;
  if (e <= 21) return forms.many;
  return u >= 2 && u <= 4 ? forms.few : forms.many;
}

std::string PolishWords(uint64_t n) {
  if (n == 0) return "zero";
  std::array<int, kScales.size()> groups{};
  for (size_t k = 0; k < groups.size(); ++k, n /= 1000) groups[k] = static_cast<int>(n % 1000);
  std::string s;
  for (size_t k = groups.size(); k-- > 0;) {
    s += GroupWords(groups[k]);
    s += ScaleWord(groups[k], kScales[k]);
  }
  return s.substr(1);
}

uint64_t Magnitude(Currency c) {
  return c.raw < 0 ? 0 - static_cast<uint64_t>(c.raw) : static_cast<uint64_t>(c.raw);
}

}  // namespace

std::string PolishNumberWords(Currency n) { return PolishWords(Magnitude(n) / 10000); }

std::string AmountInWords(Currency amount, std::string_view currencyCode, int language) {
  const uint64_t mag = Magnitude(amount);
  uint64_t whole = mag / 10000;
  const int64_t fraction = static_cast<int64_t>(mag % 10000);  // in 1/10000
  const bool german = language == 1 || language == 2;
  auto words = [german](uint64_t n) {
    return german ? GermanNumberWords(static_cast<int64_t>(n)) : PolishWords(n);
  };
  std::string text = amount.raw < 0 ? "minus " : "";
  if (currencyCode == "PLN") {
    // Whole grosze: the hundredths beyond them are dropped.
    const int64_t grosz = RoundRaw(static_cast<long double>(fraction) * 100) / 10000;
    text += words(whole) + std::string(" zł "_cp) + words(static_cast<uint64_t>(grosz)) + " gr";
    return text;
  }
  int64_t hundredths = RoundRaw(static_cast<long double>(fraction) / 100);
  if (hundredths == 100) {
    ++whole;
    hundredths = 0;
  }
  text += words(whole) + " " + CurrencySymbol(currencyCode) + " " + std::to_string(hundredths) + "/100";
  return text;
}

std::string AmountInWords(Currency amount, std::string_view currencyCode) {
  return AmountInWords(amount, currencyCode, ActiveLanguage());
}

}  // namespace bilvox
