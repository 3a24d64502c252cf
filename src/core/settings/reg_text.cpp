#include "settings/reg_text.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "common/binio.h"
#include "common/cp1250.h"

namespace bilvox {

namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

char AsciiFold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithFolded(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && SameRegName(s.substr(0, prefix.size()), prefix);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to 8 hexadecimal digits; nothing else.
std::optional<uint32_t> ParseHex32(std::string_view s) {
  if (s.empty() || s.size() > 8) return std::nullopt;
  uint32_t v = 0;
  for (char c : s) {
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    v = (v << 4) | static_cast<uint32_t>(d);
  }
  return v;
}

void AppendUtf16Le(std::string& out, char32_t c) {
  auto unit = [&](uint32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  };
  if (c >= 0x10000) {
    c -= 0x10000;
    unit(0xD800 + (c >> 10));
    unit(0xDC00 + (c & 0x3FF));
  } else {
    unit(c);
  }
}

// Code points of UTF-16 bytes. Strict: fails on an unpaired surrogate or an odd byte at
// the end, and `failedAt` receives the index of the 16-bit unit at fault.
// Lenient: U+FFFD for an unpaired surrogate, an odd last byte dropped.
std::optional<std::u32string> DecodeUtf16(std::string_view bytes, bool bigEndian, bool strict,
                                          size_t* failedAt = nullptr) {
  std::u32string out;
  size_t n = bytes.size() / 2;
  auto unit = [&](size_t i) -> uint32_t {
    auto b0 = static_cast<unsigned char>(bytes[2 * i]);
    auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
    return bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
  };
  auto fail = [&](size_t at) -> std::optional<std::u32string> {
    if (failedAt) *failedAt = at;
    return std::nullopt;
  };
  for (size_t i = 0; i < n; ++i) {
    uint32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
      out += static_cast<char32_t>(0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      if (strict) return fail(i);
      out += U'\xFFFD';
    } else {
      out += static_cast<char32_t>(u);
    }
  }
  if (strict && bytes.size() % 2 != 0) return fail(n);
  return out;
}

std::string CodePointsToUtf8(std::u32string_view cps) {
  std::string out;
  for (char32_t c : cps) AppendUtf8(out, c);
  return out;
}

std::string Utf8ToUtf16Le(std::string_view utf8) {
  std::string out;
  // The parser has checked every line, so the text decodes.
  for (char32_t c : DecodeUtf8(utf8).value_or(std::u32string())) AppendUtf16Le(out, c);
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string_view::npos) {
      if (start < text.size()) lines.push_back(text.substr(start));
      break;
    }
    std::string_view line = text.substr(start, nl - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = nl + 1;
  }
  return lines;
}

std::string NormalizeKeyPath(std::string_view path) {
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

// Names with their ASCII letters made small, as names compare.
std::string Folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiFold(c);
  return out;
}

// The keys and values of a file as it is read. Every lookup takes constant (or logarithmic)
// time, so no file, however many keys and values it holds, takes more than about linear
// time to read; a removed key or value is only marked and left out at the end.
class TreeBuilder {
 public:
  // The key of that path, added at the end when the tree does not hold it.
  size_t Key(const std::string& path) {
    std::string folded = Folded(path);
    if (auto it = byPath_.find(folded); it != byPath_.end()) return it->second;
    keys_.push_back(Entry{path});
    byPath_.emplace(std::move(folded), keys_.size() - 1);
    return keys_.size() - 1;
  }
  // Removes the key and every key below it.
  void DeleteTree(const std::string& path) {
    const std::string folded = Folded(path);
    if (auto it = byPath_.find(folded); it != byPath_.end()) Remove(it);
    // The keys below it make one run of the paths in their folded order.
    const std::string below = folded + "\\";
    for (auto it = byPath_.lower_bound(below); it != byPath_.end() && it->first.starts_with(below);)
      it = Remove(it);
  }
  // Replaces the value of that name in place, or appends it.
  void Set(size_t key, std::string name, RegValue v) {
    Entry& k = keys_[key];
    std::string folded = Folded(name);
    if (auto it = k.byName.find(folded); it != k.byName.end()) {
      k.values[it->second].value = std::move(v);
      return;
    }
    k.byName.emplace(std::move(folded), k.values.size());
    k.values.push_back(Value{std::move(name), std::move(v)});
  }
  void RemoveValue(size_t key, std::string_view name) {
    Entry& k = keys_[key];
    if (auto it = k.byName.find(Folded(name)); it != k.byName.end()) {
      k.values[it->second].removed = true;
      k.byName.erase(it);
    }
  }
  RegTree Take() {
    std::vector<RegKeyEntry> keys;
    for (Entry& k : keys_) {
      if (k.removed) continue;
      RegKeyEntry& out = keys.emplace_back(RegKeyEntry{std::move(k.path), {}});
      for (Value& v : k.values)
        if (!v.removed) out.values.emplace_back(std::move(v.name), std::move(v.value));
    }
    return RegTree(std::move(keys));
  }

 private:
  struct Value {
    std::string name;
    RegValue value;
    bool removed = false;
  };
  struct Entry {
    std::string path;
    std::vector<Value> values{};
    std::unordered_map<std::string, size_t> byName{};  // folded name to its value
    bool removed = false;
  };
  using PathIndex = std::map<std::string, size_t>;  // folded path to its key, in order

  PathIndex::iterator Remove(PathIndex::iterator it) {
    keys_[it->second].removed = true;
    return byPath_.erase(it);
  }

  std::vector<Entry> keys_;
  PathIndex byPath_;
};

bool IsStringType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

class Parser {
 public:
  explicit Parser(RegParseError* error) : error_(error) {}

  std::optional<RegTree> Run(std::string_view bytes) {
    if (!Decode(bytes)) return std::nullopt;
    size_t first = 0;
    while (first < lines_.size() && TrimRight(TrimLeft(lines_[first])).empty()) ++first;
    if (first == lines_.size()) return RegTree();
    std::string_view header = TrimRight(TrimLeft(lines_[first]));
    if (header != kHeader5 && header != kHeader4) {
      Fail(static_cast<int>(first) + 1,
           "brak nagłówka „Windows Registry Editor Version 5.00” lub „REGEDIT4”"_cp);
      return std::nullopt;
    }
    for (line_ = first + 1; line_ < lines_.size(); ++line_)
      if (!ParseLine(TrimLeft(lines_[line_]))) return std::nullopt;
    return tree_.Take();
  }

 private:
  // Turns the bytes into UTF-8 lines.
  bool Decode(std::string_view bytes) {
    bool le = bytes.starts_with("\xFF\xFE");
    if (le || bytes.starts_with("\xFE\xFF")) {
      size_t at = 0;
      auto cps = DecodeUtf16(bytes.substr(2), !le, true, &at);
      if (!cps) {
        std::u32string before = *DecodeUtf16(bytes.substr(2, 2 * at), !le, false);
        int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), U'\n'));
        return Fail(line, "nieprawidłowy tekst UTF-16"_cp);
      }
      std::string text = CodePointsToUtf8(*cps);
      for (auto l : SplitLines(text)) lines_.emplace_back(l);
      return true;
    }
    bool bom8 = bytes.starts_with("\xEF\xBB\xBF");
    if (bom8) bytes.remove_prefix(3);
    auto raw = SplitLines(bytes);
    std::string_view header;
    for (auto l : raw)
      if (!TrimRight(TrimLeft(l)).empty()) { header = TrimRight(TrimLeft(l)); break; }
    ansi_ = !bom8 && header == kHeader4;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (ansi_) {
        lines_.push_back(ToUtf8(raw[i]));
      } else {
        if (!DecodeUtf8(raw[i])) return Fail(static_cast<int>(i) + 1, "tekst nie jest zapisany w UTF-8"_cp);
        lines_.emplace_back(raw[i]);
      }
    }
    return true;
  }

  bool ParseLine(std::string_view line) {
    if (TrimRight(line).empty() || line.front() == ';') return true;
    if (line.front() == '[') return ParseKey(line);
    if (state_ == State::None) return Fail("wartość poza kluczem"_cp);
    return ParseValue(line);
  }

  bool ParseKey(std::string_view line) {
    size_t close = line.rfind(']');
    if (close == std::string_view::npos) return Fail("brak nawiasu „]” zamykającego nazwę klucza"_cp);
    if (!RestIsEmpty(line.substr(close + 1))) return Fail("nieoczekiwany tekst po nazwie klucza"_cp);
    std::string_view inner = line.substr(1, close - 1);
    bool remove = !inner.empty() && inner.front() == '-';
    if (remove) inner.remove_prefix(1);
    std::string path = NormalizeKeyPath(inner);
    if (path.empty()) return Fail("pusta nazwa klucza"_cp);
    if (remove) {
      tree_.DeleteTree(path);
      state_ = State::Deleted;
    } else {
      current_ = tree_.Key(path);
      state_ = State::Key;
    }
    return true;
  }

  bool ParseValue(std::string_view line) {
    std::string name;
    size_t pos = 0;
    if (line.front() == '@') {
      pos = 1;
    } else if (line.front() == '"') {
      pos = 1;
      if (!ParseQuoted(line, pos, name)) return false;
    } else {
      return Fail("nierozpoznany wiersz"_cp);
    }
    std::string_view rest = TrimLeft(line.substr(pos));
    if (rest.empty() || rest.front() != '=') return Fail("brak znaku „=” po nazwie wartości"_cp);
    rest = TrimLeft(rest.substr(1));

    if (!rest.empty() && rest.front() == '-') {
      if (!RestIsEmpty(rest.substr(1))) return Fail("nieoczekiwany tekst po wartości"_cp);
      return Apply(name, std::nullopt);
    }
    if (!rest.empty() && rest.front() == '"') {
      size_t p = 1;
      std::string text;
      if (!ParseQuoted(rest, p, text)) return false;
      if (!RestIsEmpty(rest.substr(p))) return Fail("nieoczekiwany tekst po wartości"_cp);
      RegValue v{kRegSz, Utf8ToUtf16Le(text)};
      v.data.append(2, '\0');
      return Apply(name, std::move(v));
    }
    if (StartsWithFolded(rest, "dword:")) {
      auto digits = TrimRight(rest.substr(6));
      size_t end = digits.find_first_of(" \t;");
      if (end != std::string_view::npos && !RestIsEmpty(digits.substr(end)))
        return Fail("nieoczekiwany tekst po wartości"_cp);
      auto v = ParseHex32(digits.substr(0, end));
      if (!v) return Fail("nieprawidłowa liczba po „dword:” (od 1 do 8 cyfr szesnastkowych)"_cp);
      return Apply(name, MakeRegDword(*v));
    }
    if (StartsWithFolded(rest, "hex")) {
      std::string_view after = rest.substr(3);
      uint32_t type = kRegBinary;
      if (!after.empty() && after.front() == '(') {
        size_t close = after.find(')');
        auto t = close == std::string_view::npos ? std::nullopt : ParseHex32(after.substr(1, close - 1));
        if (!t) return Fail("nieprawidłowy numer typu w „hex(…)”"_cp);
        type = *t;
        after.remove_prefix(close + 1);
      }
      if (after.empty() || after.front() != ':') return Fail("nieznany rodzaj wartości"_cp);
      std::string bytes;
      if (!ParseHexBytes(after.substr(1), bytes)) return false;
      if (ansi_ && IsStringType(type)) {
        // Exports of the older format hold these types as Windows-1250 bytes.
        std::string wide;
        for (char c : bytes) AppendUtf16Le(wide, Cp1250ToUnicode(static_cast<unsigned char>(c)));
        bytes = std::move(wide);
      }
      return Apply(name, RegValue{type, std::move(bytes)});
    }
    return Fail("nieznany rodzaj wartości"_cp);
  }

  // A quoted text from just after its opening quote; `pos` ends after the closing one.
  // Only \\ and \" are escapes; any other backslash stands for itself.
  bool ParseQuoted(std::string_view line, size_t& pos, std::string& out) {
    while (pos < line.size()) {
      char c = line[pos];
      if (c == '\\' && pos + 1 < line.size() && (line[pos + 1] == '\\' || line[pos + 1] == '"')) {
        out += line[pos + 1];
        pos += 2;
      } else if (c == '"') {
        ++pos;
        return true;
      } else {
        out += c;
        ++pos;
      }
    }
    return Fail("brak cudzysłowu zamykającego tekst"_cp);
  }

  // Comma-separated two-digit bytes; a line ending in a backslash continues on the next.
  bool ParseHexBytes(std::string_view first, std::string& out) {
    std::string text(TrimRight(first));
    while (!text.empty() && text.back() == '\\') {
      text.pop_back();
      if (line_ + 1 >= lines_.size()) return Fail("urwany ciąg bajtów na końcu pliku"_cp);
      ++line_;
      text += TrimRight(TrimLeft(lines_[line_]));
    }
    std::string_view s = text;
    size_t end = s.find(';');  // a comment after the bytes
    if (end != std::string_view::npos) s = TrimRight(s.substr(0, end));
    if (TrimLeft(s).empty()) return true;
    size_t start = 0;
    while (start <= s.size()) {
      size_t comma = s.find(',', start);
      std::string_view tok = TrimRight(TrimLeft(s.substr(start, comma == std::string_view::npos ? s.npos : comma - start)));
      bool last = comma == std::string_view::npos;
      if (tok.empty() && last && start > 0) break;  // a comma at the very end
      auto b = tok.size() <= 2 ? ParseHex32(tok) : std::nullopt;
      if (!b) return Fail("nieprawidłowy bajt w zapisie szesnastkowym"_cp);
      out += static_cast<char>(*b);
      if (last) break;
      start = comma + 1;
    }
    return true;
  }

  bool Apply(const std::string& name, std::optional<RegValue> v) {
    if (state_ == State::Deleted) return true;  // values of a removed key go nowhere
    if (v) tree_.Set(current_, name, std::move(*v));
    else tree_.RemoveValue(current_, name);
    return true;
  }

  static bool RestIsEmpty(std::string_view rest) {
    rest = TrimLeft(rest);
    return TrimRight(rest).empty() || rest.front() == ';';
  }

  bool Fail(std::string_view reason) { return Fail(static_cast<int>(line_) + 1, reason); }
  bool Fail(int line, std::string_view reason) {
    if (error_) *error_ = RegParseError{line, std::string(reason)};
    return false;
  }

  enum class State { None, Key, Deleted };
  RegParseError* error_;
  std::vector<std::string> lines_;  // UTF-8
  size_t line_ = 0;
  bool ansi_ = false;
  State state_ = State::None;
  size_t current_ = 0;
  TreeBuilder tree_;
};

std::string Quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

// A REG_SZ that can be written as a quoted text: one terminator at its end, no other
// control characters and valid UTF-16.
std::optional<std::string> PlainStringText(const std::string& data) {
  if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
  if (data[data.size() - 1] != 0 || data[data.size() - 2] != 0) return std::nullopt;
  auto cps = DecodeUtf16(std::string_view(data).substr(0, data.size() - 2), false, true);
  if (!cps) return std::nullopt;
  for (char32_t c : *cps)
    if (c < 0x20 || c == 0x7F) return std::nullopt;
  return CodePointsToUtf8(*cps);
}

void AppendHexValue(std::string& out, std::string line, std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    char tok[4];
    std::snprintf(tok, sizeof tok, "%02x", static_cast<unsigned char>(bytes[i]));
    std::string t = tok;
    if (i + 1 < bytes.size()) t += ',';
    // Lines stay within 80 characters, the backslash included, as the registry editor's.
    if (i > 0 && line.size() + t.size() + 1 > 80) {
      out += line + "\\\n";
      line = "  ";
    }
    line += t;
  }
  out += line + "\n";
}

void AppendValue(std::string& out, const std::string& name, const RegValue& v) {
  std::string head = (name.empty() ? std::string("@") : Quote(name)) + "=";
  if (v.type == kRegSz) {
    if (auto text = PlainStringText(v.data)) {
      out += head + Quote(*text) + "\n";
      return;
    }
  }
  if (v.type == kRegDword && v.data.size() == 4) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08x", ByteReader(v.data).U32());
    out += head + "dword:" + buf + "\n";
    return;
  }
  if (v.type == kRegBinary) {
    AppendHexValue(out, head + "hex:", v.data);
    return;
  }
  char type[16];
  std::snprintf(type, sizeof type, "%x", v.type);
  AppendHexValue(out, head + "hex(" + type + "):", v.data);
}

}  // namespace

RegValue MakeRegString(std::string_view cp1250) {
  RegValue v{kRegSz, {}};
  for (char c : cp1250) AppendUtf16Le(v.data, Cp1250ToUnicode(static_cast<unsigned char>(c)));
  v.data.append(2, '\0');
  return v;
}

std::string RegStringText(const RegValue& v) {
  std::string out;
  std::u32string cps = *DecodeUtf16(v.data, false, false);
  for (char32_t c : cps) {
    if (c == 0) break;
    int b = UnicodeToCp1250(c);
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

RegValue MakeRegDword(uint32_t d) {
  ByteWriter w;
  w.U32(d);
  return RegValue{kRegDword, w.Take()};
}

RegValue MakeRegBinary(std::string_view bytes) { return RegValue{kRegBinary, std::string(bytes)}; }

bool SameRegName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiFold(a[i]) != AsciiFold(b[i])) return false;
  return true;
}

const RegValue* RegKeyEntry::Find(std::string_view name) const {
  for (const auto& [n, v] : values)
    if (SameRegName(n, name)) return &v;
  return nullptr;
}

void RegKeyEntry::Set(std::string_view name, RegValue v) {
  for (auto& [n, old] : values)
    if (SameRegName(n, name)) {
      old = std::move(v);
      return;
    }
  values.emplace_back(std::string(name), std::move(v));
}

const RegKeyEntry* RegTree::Find(std::string_view path) const {
  for (const auto& k : keys_)
    if (SameRegName(k.path, path)) return &k;
  return nullptr;
}

RegKeyEntry& RegTree::FindOrAdd(std::string_view path) {
  for (auto& k : keys_)
    if (SameRegName(k.path, path)) return k;
  keys_.push_back(RegKeyEntry{std::string(path), {}});
  return keys_.back();
}

std::optional<RegTree> ParseRegText(std::string_view bytes, RegParseError* error) {
  return Parser(error).Run(bytes);
}

std::string FormatRegText(const RegTree& tree) {
  std::string out(kHeader5);
  out += "\n\n";
  for (const auto& key : tree.Keys()) {
    out += "[" + key.path + "]\n";
    for (const auto& [name, v] : key.values) AppendValue(out, name, v);
    out += "\n";
  }
  return out;
}

}  // namespace bilvox
