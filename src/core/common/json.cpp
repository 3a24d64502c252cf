#include "common/json.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/cp1250.h"
#include "common/error.h"

namespace bilvox {

const Json* Json::Find(std::string_view key) const {
  if (!IsObject()) return nullptr;
  for (const auto& [k, v] : AsObject())
    if (k == key) return &v;
  return nullptr;
}

Json& Json::Set(std::string_view key, Json value) {
  auto& obj = AsObject();
  for (auto& [k, v] : obj)
    if (k == key) { v = std::move(value); return v; }
  obj.emplace_back(std::string(key), std::move(value));
  return obj.back().second;
}

std::string JsonNumberText(double v) {
  if (!std::isfinite(v)) return "null";
  if (v == 0) return "0";
  char buf[64];
  // Whole numbers as integers ("100000", not "1e+05") as far as a double holds them exactly.
  constexpr double kExact = 9007199254740992.0;  // 2^53
  if (v == std::trunc(v) && std::fabs(v) <= kExact) {
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<int64_t>(v));
    return std::string(buf, res.ptr);
  }
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

namespace {

// What a byte needs inside a JSON string: nothing (copied with its run), an escape (the
// quote, the backslash, control characters), or, in Windows-1250 text, its UTF-8 form.
enum ByteNeed : uint8_t { kPlain, kEscape, kHigh };

constexpr std::array<ByteNeed, 256> kUtf8Need = [] {
  std::array<ByteNeed, 256> need{};
  for (int c = 0; c < 0x20; ++c) need[c] = kEscape;
  need['"'] = need['\\'] = kEscape;
  return need;
}();

constexpr std::array<ByteNeed, 256> kCp1250Need = [] {
  std::array<ByteNeed, 256> need = kUtf8Need;
  for (int c = 0x80; c < 0x100; ++c) need[c] = kHigh;
  return need;
}();

// The UTF-8 form of the Windows-1250 bytes 0x80..0xFF: length, then up to three bytes.
constexpr std::array<std::array<char, 4>, 128> kCp1250Utf8 = [] {
  std::array<std::array<char, 4>, 128> table{};
  for (int i = 0; i < 128; ++i) {
    const char32_t u = kCp1250High[i];
    if (u < 0x800) {
      table[i] = {2, static_cast<char>(0xC0 | (u >> 6)), static_cast<char>(0x80 | (u & 0x3F)), 0};
    } else {
      table[i] = {3, static_cast<char>(0xE0 | (u >> 12)),
                  static_cast<char>(0x80 | ((u >> 6) & 0x3F)), static_cast<char>(0x80 | (u & 0x3F))};
    }
  }
  return table;
}();

void AppendEscape(std::string& out, unsigned char c) {
  switch (c) {
    case '"': out += "\\\""; break;
    case '\\': out += "\\\\"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    case '\t': out += "\\t"; break;
    case '\b': out += "\\b"; break;
    case '\f': out += "\\f"; break;
    default: {
      static constexpr char kHex[] = "0123456789abcdef";
      const char u[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
      out.append(u, sizeof u);
    }
  }
}

// Whether any of eight bytes may need more than copying: a control character, the quote,
// the backslash, or a byte above 0x7F (checked one by one then).
inline bool MayNeed(uint64_t w) {
  constexpr uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
  const auto hasZero = [&](uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  return ((w & kHighs) | ((w - kOnes * 0x20) & ~w & kHighs) | hasZero(w ^ (kOnes * '"')) |
          hasZero(w ^ (kOnes * '\\'))) != 0;
}

// Appends the escaped form of the text (without quotes), the runs of bytes that need
// nothing copied whole (eight bytes at a time while no byte can need anything). With the
// Windows-1250 table the bytes above 0x7F become UTF-8.
void AppendEscaped(std::string& out, std::string_view s, const std::array<ByteNeed, 256>& need) {
  const char* p = s.data();
  const size_t n = s.size();
  size_t run = 0;
  size_t i = 0;
  while (i < n) {
    if (i + 8 <= n) {
      uint64_t w;
      std::memcpy(&w, p + i, 8);
      if (!MayNeed(w)) {
        i += 8;
        continue;
      }
    }
    const size_t end = std::min(n, i + 8);
    for (; i < end; ++i) {
      const unsigned char c = static_cast<unsigned char>(p[i]);
      const ByteNeed what = need[c];
      if (what == kPlain) continue;
      out.append(p + run, i - run);
      run = i + 1;
      if (what == kEscape) {
        AppendEscape(out, c);
      } else {
        const auto& utf8 = kCp1250Utf8[c - 0x80];
        out.append(&utf8[1], static_cast<size_t>(utf8[0]));
      }
    }
  }
  out.append(p + run, n - run);
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

void AppendQuoted(std::string& out, std::string_view utf8) {
  out += '"';
  // A file name may hold bytes that are no UTF-8; they become U+FFFD, so the output stays
  // valid JSON.
  if (IsAscii(utf8) || IsValidUtf8(utf8)) AppendEscaped(out, utf8, kUtf8Need);
  else AppendEscaped(out, ValidUtf8(utf8), kUtf8Need);
  out += '"';
}

// Windows-1250 text as a JSON string; its bytes above 0x7F never need an escape in UTF-8.
void AppendQuotedCp1250(std::string& out, std::string_view cp1250) {
  out += '"';
  AppendEscaped(out, cp1250, kCp1250Need);
  out += '"';
}

}  // namespace

std::string JsonQuote(std::string_view text) {
  std::string out;
  AppendQuoted(out, text);
  return out;
}

void Json::DumpTo(std::string& out, int indent, int level) const {
  auto newline = [&](int lvl) {
    if (indent <= 0) return;
    out += '\n';
    out.append(static_cast<size_t>(indent * lvl), ' ');
  };
  if (IsNull()) out += "null";
  else if (IsBool()) out += AsBool() ? "true" : "false";
  else if (IsNumber()) out += JsonNumberText(AsNumber());
  else if (IsString()) AppendQuoted(out, AsString());
  else if (IsArray()) {
    const auto& a = AsArray();
    out += '[';
    for (size_t i = 0; i < a.size(); ++i) {
      if (i) out += ',';
      newline(level + 1);
      a[i].DumpTo(out, indent, level + 1);
    }
    if (!a.empty()) newline(level);
    out += ']';
  } else {
    const auto& o = AsObject();
    out += '{';
    for (size_t i = 0; i < o.size(); ++i) {
      if (i) out += ',';
      newline(level + 1);
      AppendQuoted(out, o[i].first);
      out += indent > 0 ? ": " : ":";
      o[i].second.DumpTo(out, indent, level + 1);
    }
    if (!o.empty()) newline(level);
    out += '}';
  }
}

std::string Json::Dump(int indent) const {
  std::string out;
  DumpTo(out, indent, 0);
  return out;
}

// ---- JsonWriter ----

namespace {
constexpr size_t kWriterBuffer = 64 * 1024;
}

JsonWriter::JsonWriter(std::FILE* out, int indent) : out_(&buffer_), file_(out), indent_(indent) {
  buffer_.reserve(kWriterBuffer + 4096);
}

JsonWriter::JsonWriter(std::string& out, int indent) : out_(&out), indent_(indent) {}

void JsonWriter::Newline(size_t level) {
  if (indent_ <= 0) return;
  *out_ += '\n';
  out_->append(static_cast<size_t>(indent_) * level, ' ');
}

// The separator and line break in front of a value; after a key the value follows it at once.
void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (empty_.empty()) return;
  if (!empty_.back()) *out_ += ',';
  empty_.back() = false;
  Newline(empty_.size());
}

JsonWriter& JsonWriter::Begin(char bracket) {
  BeforeValue();
  *out_ += bracket;
  empty_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::End(char bracket) {
  const bool wasEmpty = empty_.back();
  empty_.pop_back();
  if (!wasEmpty) Newline(empty_.size());
  *out_ += bracket;
  Spill();
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view utf8) {
  BeforeValue();
  AppendQuoted(*out_, utf8);
  *out_ += indent_ > 0 ? ": " : ":";
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  *out_ += "null";
  return *this;
}

JsonWriter& JsonWriter::Bool(bool v) {
  BeforeValue();
  *out_ += v ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Number(double v) {
  BeforeValue();
  *out_ += JsonNumberText(v);
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  AppendQuoted(*out_, utf8);
  Spill();
  return *this;
}

JsonWriter& JsonWriter::TextCp1250(std::string_view cp1250) {
  BeforeValue();
  AppendQuotedCp1250(*out_, cp1250);
  Spill();
  return *this;
}

JsonWriter& JsonWriter::Value(const Json& value) {
  BeforeValue();
  value.DumpTo(*out_, indent_, static_cast<int>(empty_.size()));
  Spill();
  return *this;
}

void JsonWriter::Spill() {
  if (file_ && buffer_.size() >= kWriterBuffer) Flush();
}

void JsonWriter::Flush() {
  if (!file_ || buffer_.empty()) return;
  if (!failed_ && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
    failed_ = true;
  buffer_.clear();
}

void JsonWriter::Finish() {
  *out_ += '\n';
  Flush();
}

namespace {

class Parser {
 public:
  explicit Parser(std::string_view t) : t_(t) {}

  std::optional<Json> Run(std::string* error) {
    try {
      Json v = Value(0);
      Ws();
      if (p_ != t_.size()) Fail("unexpected text after the value");
      return v;
    } catch (const std::string& msg) {
      if (error) *error = msg + " at offset " + std::to_string(p_);
      return std::nullopt;
    }
  }

 private:
  [[noreturn]] void Fail(const char* msg) { throw std::string(msg); }
  void Ws() {
    while (p_ < t_.size() && (t_[p_] == ' ' || t_[p_] == '\t' || t_[p_] == '\n' || t_[p_] == '\r')) ++p_;
  }
  bool Eat(char c) {
    Ws();
    if (p_ < t_.size() && t_[p_] == c) { ++p_; return true; }
    return false;
  }
  void Expect(char c) {
    if (!Eat(c)) Fail("unexpected character");
  }
  bool Word(std::string_view w) {
    if (t_.substr(p_, w.size()) == w) { p_ += w.size(); return true; }
    return false;
  }

  Json Value(int depth) {
    if (depth > 200) Fail("nesting too deep");
    Ws();
    if (p_ >= t_.size()) Fail("unexpected end");
    char c = t_[p_];
    if (c == '{') {
      ++p_;
      Json obj = Json::MakeObject();
      if (Eat('}')) return obj;
      do {
        Ws();
        if (p_ >= t_.size() || t_[p_] != '"') Fail("expected a key");
        std::string key = String();
        Expect(':');
        obj.Set(key, Value(depth + 1));
      } while (Eat(','));
      Expect('}');
      return obj;
    }
    if (c == '[') {
      ++p_;
      Json arr = Json::MakeArray();
      if (Eat(']')) return arr;
      do arr.Push(Value(depth + 1));
      while (Eat(','));
      Expect(']');
      return arr;
    }
    if (c == '"') return Json(String());
    if (Word("true")) return Json(true);
    if (Word("false")) return Json(false);
    if (Word("null")) return Json();
    return Json(Number());
  }

  double Number() {
    size_t start = p_;
    if (p_ < t_.size() && t_[p_] == '-') ++p_;
    auto digits = [&] {
      size_t s = p_;
      while (p_ < t_.size() && t_[p_] >= '0' && t_[p_] <= '9') ++p_;
      return p_ - s;
    };
    if (digits() == 0) Fail("invalid value");
    if (p_ < t_.size() && t_[p_] == '.') { ++p_; if (digits() == 0) Fail("invalid number"); }
    if (p_ < t_.size() && (t_[p_] == 'e' || t_[p_] == 'E')) {
      ++p_;
      if (p_ < t_.size() && (t_[p_] == '+' || t_[p_] == '-')) ++p_;
      if (digits() == 0) Fail("invalid number");
    }
    double v = 0;
    auto res = std::from_chars(t_.data() + start, t_.data() + p_, v);
    if (res.ec != std::errc()) Fail("number out of range");
    return v;
  }

  uint32_t Hex4() {
    if (p_ + 4 > t_.size()) Fail("invalid escape");
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      char h = t_[p_++];
      v <<= 4;
      if (h >= '0' && h <= '9') v |= static_cast<uint32_t>(h - '0');
      else if (h >= 'a' && h <= 'f') v |= static_cast<uint32_t>(h - 'a' + 10);
      else if (h >= 'A' && h <= 'F') v |= static_cast<uint32_t>(h - 'A' + 10);
      else Fail("invalid escape");
    }
    return v;
  }

  std::string String() {
    ++p_;  // opening quote
    std::string out;
    for (;;) {
      if (p_ >= t_.size()) Fail("unterminated string");
      char c = t_[p_++];
      if (c == '"') {
        // JSON text is UTF-8; other bytes would not survive being written out again.
        if (!IsValidUtf8(out)) Fail("a string that is not UTF-8");
        return out;
      }
      if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
      if (c != '\\') { out += c; continue; }
      if (p_ >= t_.size()) Fail("unterminated string");
      char e = t_[p_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          uint32_t c1 = Hex4();
          if (c1 >= 0xD800 && c1 <= 0xDBFF && t_.substr(p_, 2) == "\\u") {
            p_ += 2;
            uint32_t c2 = Hex4();
            if (c2 < 0xDC00 || c2 > 0xDFFF) Fail("invalid surrogate pair");
            c1 = 0x10000 + ((c1 - 0xD800) << 10) + (c2 - 0xDC00);
          } else if (c1 >= 0xD800 && c1 <= 0xDFFF) {
            Fail("invalid surrogate");
          }
          AppendUtf8(out, c1);
          break;
        }
        default: Fail("invalid escape");
      }
    }
  }

  std::string_view t_;
  size_t p_ = 0;
};

}  // namespace

std::optional<Json> Json::Parse(std::string_view text, std::string* error) {
  return Parser(text).Run(error);
}

std::string TextCp1250From(const Json& v, const std::string& where) {
  if (!v.IsString()) throw Error(where + ": expected a string");
  char32_t bad = 0;
  std::optional<std::string> text = FromUtf8(v.AsString(), &bad);
  if (!text) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(bad));
    throw Error(where + ": the character " + code + " cannot be stored in Windows-1250");
  }
  return std::move(*text);
}

}  // namespace bilvox
