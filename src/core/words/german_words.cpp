#include "words/german_words.h"

#include <string_view>

#include "common/cp1250.h"

namespace bilvox {

namespace {

constexpr std::string_view kWords[18] = {
    "",         "ein",          "zwei",     "drei",        "vier",          "fünf"_cp,
    "sechs",    "sieben",       "acht",     "neun",        "zehn",          "elf",
    "zwölf"_cp, "dreizehn",     "vierzehn", "fünfzehn"_cp, "sechzehn",      "siebzehn",
};

constexpr std::string_view kTens[10] = {
    "", "", "zwanzig", "dreissig", "vierzig", "fünfzig"_cp, "sechzig", "siebzig", "achtzig",
    "neunzig",
};

constexpr uint64_t kMillion = 1'000'000;
constexpr uint64_t kBillion = 1'000'000'000'000;            // 10^12
constexpr uint64_t kTrillion = 1'000'000'000'000'000'000;   // 10^18

std::string Compose(uint64_t n);

// "eine million", "zwei millionen ..." and the same for the larger scales.
std::string Scaled(uint64_t n, uint64_t scale, std::string_view word) {
  const uint64_t m = n / scale;
  std::string s = m == 1 ? std::string("eine") : Compose(m);
  s += ' ';
  s += word;
  if (m > 1) s += "en";
  s += ' ';
  s += Compose(n % scale);
  return s;
}

std::string Compose(uint64_t n) {
  if (n == 0) return {};
  if (n <= 17) return std::string(kWords[n]);
  if (n <= 19) return std::string(kWords[n % 10]) + " zehn";
  if (n <= 99) {
    if (n % 10 == 0) return std::string(kTens[n / 10]);
    return std::string(kWords[n % 10]) + " und " + std::string(kTens[n / 10]);
  }
  if (n <= 999) return Compose(n / 100) + " hundert " + Compose(n % 100);
  if (n < kMillion) return Compose(n / 1000) + " tausend " + Compose(n % 1000);
  if (n < kBillion) return Scaled(n, kMillion, "million");
  if (n < kTrillion) return Scaled(n, kBillion, "billion");
  return Scaled(n, kTrillion, "trillion");
}

}  // namespace

std::string GermanNumberWords(int64_t n) {
  // The magnitude is taken unsigned so that the most negative value has one as well.
  const uint64_t mag = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  std::string words = mag == 0 ? std::string("null") : mag == 1 ? std::string("eins") : Compose(mag);
  return n < 0 ? "minus " + words : words;
}

std::string GermanCompose(int64_t n) { return n <= 0 ? std::string() : Compose(static_cast<uint64_t>(n)); }

}  // namespace bilvox
