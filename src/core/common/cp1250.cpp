#include "common/cp1250.h"

namespace bilvox {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

namespace {

// Decodes one UTF-8 sequence at s[i]; returns U+FFFD (and steps one byte) on a malformed one.
char32_t Decode(std::string_view s, std::size_t& i, bool& ok) {
  auto b0 = static_cast<unsigned char>(s[i]);
  ok = true;
  if (b0 < 0x80) { ++i; return b0; }
  int len = 0;
  char32_t c = 0;
  if ((b0 & 0xE0) == 0xC0) { len = 2; c = b0 & 0x1F; }
  else if ((b0 & 0xF0) == 0xE0) { len = 3; c = b0 & 0x0F; }
  else if ((b0 & 0xF8) == 0xF0) { len = 4; c = b0 & 0x07; }
  if (len == 0 || i + len > s.size()) { ok = false; ++i; return 0xFFFD; }
  for (int k = 1; k < len; ++k) {
    auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) { ok = false; ++i; return 0xFFFD; }
    c = (c << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMin[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ok = false; ++i; return 0xFFFD;
  }
  i += len;
  return c;
}

// The small letter of a Windows-1250 capital, or the byte itself.
unsigned char LowerByte(unsigned char b) {
  if (b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b + 0x20);
  switch (b) {
    case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F: return static_cast<unsigned char>(b + 0x10);
    case 0xA3: return 0xB3;
    case 0xA5: return 0xB9;
    case 0xAA: return 0xBA;
    case 0xAF: return 0xBF;
    case 0xBC: return 0xBE;
    default: break;
  }
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<unsigned char>(b + 0x20);
  return b;
}

unsigned char UpperByte(unsigned char b) {
  if (b >= 'a' && b <= 'z') return static_cast<unsigned char>(b - 0x20);
  switch (b) {
    case 0x9A: case 0x9C: case 0x9D: case 0x9E: case 0x9F: return static_cast<unsigned char>(b - 0x10);
    case 0xB3: return 0xA3;
    case 0xB9: return 0xA5;
    case 0xBA: return 0xAA;
    case 0xBF: return 0xAF;
    case 0xBE: return 0xBC;
    default: break;
  }
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<unsigned char>(b - 0x20);
  return b;
}

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    bool ok;
    char32_t c = Decode(utf8, i, ok);
    if (!ok) return std::nullopt;
    out += c;
  }
  return out;
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t from = i;
    bool ok;
    char32_t c = Decode(text, i, ok);
    if (ok) out.append(text.substr(from, i - from));
    else AppendUtf8(out, c);
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    bool ok;
    Decode(text, i, ok);
    if (!ok) return false;
  }
  return true;
}

std::string LetterUpper(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
  return r;
}

std::string LetterLower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(LowerByte(static_cast<unsigned char>(c)));
  return r;
}

std::string ToUtf8(std::string_view cp1250) {
  std::string out;
  out.reserve(cp1250.size() + cp1250.size() / 4);
  for (char ch : cp1250) AppendUtf8(out, Cp1250ToUnicode(static_cast<unsigned char>(ch)));
  return out;
}

std::optional<std::string> FromUtf8(std::string_view utf8, char32_t* bad) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    bool ok;
    char32_t c = Decode(utf8, i, ok);
    int b = ok ? UnicodeToCp1250(c) : -1;
    if (b < 0) {
      if (bad) *bad = c;
      return std::nullopt;
    }
    out += static_cast<char>(b);
  }
  return out;
}

std::string FromUtf8Lossy(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    bool ok;
    char32_t c = Decode(utf8, i, ok);
    int b = ok ? UnicodeToCp1250(c) : -1;
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

std::string AsciiUpper(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return r;
}

std::string AsciiLower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

std::string Trim(std::string_view s) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

}  // namespace bilvox
