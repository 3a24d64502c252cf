// Windows-1250 text, the single-byte encoding every text of the program is kept in.
// Conversion to and from UTF-8 happens only at the edges (widgets, canvas, JSON, terminal).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace bilvox {

// Unicode code points of the bytes 0x80..0xFF. The five bytes Windows-1250 leaves undefined
// map to the C1 control with the same number, so every byte string survives a round trip.
inline constexpr std::array<char16_t, 128> kCp1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

constexpr char32_t Cp1250ToUnicode(unsigned char b) {
  return b < 0x80 ? char32_t(b) : char32_t(kCp1250High[b - 0x80]);
}

// The Windows-1250 byte of a code point, or -1 when the encoding has no such character.
constexpr int UnicodeToCp1250(char32_t c) {
  if (c < 0x80) return int(c);
  for (int i = 0; i < 128; ++i)
    if (kCp1250High[i] == c) return 0x80 + i;
  return -1;
}

// Windows-1250 bytes to UTF-8. Never fails.
std::string ToUtf8(std::string_view cp1250);

// UTF-8 to Windows-1250. Empty optional when the text is not valid UTF-8 or holds a
// character Windows-1250 cannot store; `bad` then receives that character (or U+FFFD).
std::optional<std::string> FromUtf8(std::string_view utf8, char32_t* bad = nullptr);

// UTF-8 to Windows-1250 with "?" for whatever cannot be stored.
std::string FromUtf8Lossy(std::string_view utf8);

// UTF-8 to code points; empty optional when the text is not valid UTF-8.
std::optional<std::u32string> DecodeUtf8(std::string_view utf8);
// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t c);
// The text with every malformed UTF-8 sequence replaced by U+FFFD (a file name as the
// system gives it may hold any bytes).
std::string ValidUtf8(std::string_view text);
// Whether the text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// Upper-casing and lower-casing of the ASCII letters only; every other byte stays.
std::string AsciiUpper(std::string_view s);
std::string AsciiLower(std::string_view s);
// Without the leading and trailing blanks and control characters (bytes up to 0x20).
std::string Trim(std::string_view s);
// Upper-casing and lower-casing of every Windows-1250 letter that has a pair (ASCII and the
// Central European letters: ą and Ą, ł and Ł, ...); every other byte stays.
std::string LetterUpper(std::string_view s);
std::string LetterLower(std::string_view s);

namespace detail {

template <std::size_t N>
struct Cp1250Literal {
  std::array<char, N> bytes{};
  std::size_t size = 0;
};

constexpr char32_t DecodeUtf8At(const char* s, std::size_t n, std::size_t& i) {
  auto u = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char b = u(i);
  if (b < 0x80) { ++i; return b; }
  int len = (b >= 0xF0) ? 4 : (b >= 0xE0) ? 3 : (b >= 0xC0) ? 2 : 0;
  if (len == 0 || i + len > n) throw "invalid UTF-8 in a Windows-1250 literal";
  char32_t c = b & (0x7F >> len);
  for (int k = 1; k < len; ++k) c = (c << 6) | (u(i + k) & 0x3F);
  i += len;
  return c;
}

template <char... Utf8>
consteval auto ConvertLiteral() {
  constexpr std::size_t n = sizeof...(Utf8);
  constexpr char utf8[n + 1] = {Utf8..., '\0'};
  Cp1250Literal<n + 1> out{};
  std::size_t i = 0;
  while (i < n) {
    char32_t c = DecodeUtf8At(utf8, n, i);
    int b = UnicodeToCp1250(c);
    if (b < 0) throw "character not representable in Windows-1250";
    out.bytes[out.size++] = static_cast<char>(b);
  }
  return out;
}

template <char... Utf8>
inline constexpr auto kConverted = ConvertLiteral<Utf8...>();

}  // namespace detail

// "Zażółć"_cp: a UTF-8 source literal turned into Windows-1250 bytes at compile time. The
// literal's characters come as a template parameter pack (an extension of gcc and clang):
// clang 14 crashes on the standard form, a literal of class type, in some expressions.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wgnu-string-literal-operator-template"
#endif
template <typename Char, Char... Utf8>
constexpr std::string_view operator""_cp() {
  static_assert(std::is_same_v<Char, char>, "only narrow literals");
  return std::string_view(detail::kConverted<Utf8...>.bytes.data(), detail::kConverted<Utf8...>.size);
}
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

}  // namespace bilvox
