// The text form of registry exports (".reg" files), in which the settings store keeps its
// keys and values: a header line, then sections "[HKEY_CURRENT_USER\Software\...]" each
// followed by its values ("name"="text", "name"=dword:0000000a, "name"=hex:01,02, ...).
//
// In memory a value is what the registry itself holds: a type number and raw bytes, with
// strings as UTF-16LE and their terminator. Every value therefore survives reading and
// writing unchanged, including types the program never uses itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bilvox {

// Registry value types, numbered as the registry numbers them.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;

struct RegValue {
  uint32_t type = kRegNone;
  std::string data;
  friend bool operator==(const RegValue&, const RegValue&) = default;
};

// A Windows-1250 text as a REG_SZ value, and back (stops at the first NUL; characters
// Windows-1250 cannot hold become "?"). The value's type is not checked by the latter.
RegValue MakeRegString(std::string_view cp1250);
std::string RegStringText(const RegValue& v);
RegValue MakeRegDword(uint32_t v);
RegValue MakeRegBinary(std::string_view bytes);

// Key paths and value names compare without regard to the case of ASCII letters.
bool SameRegName(std::string_view a, std::string_view b);

// One key: its full path (hive included, UTF-8, as first written) and its values in
// order. The default value has the empty name.
struct RegKeyEntry {
  std::string path;
  std::vector<std::pair<std::string, RegValue>> values;

  const RegValue* Find(std::string_view name) const;
  // Replaces the value of that name in place, or appends it.
  void Set(std::string_view name, RegValue v);
};

// The keys of one file, in file order.
class RegTree {
 public:
  RegTree() = default;
  // The keys as given, in order; their paths differ (a reader that built them).
  explicit RegTree(std::vector<RegKeyEntry> keys) : keys_(std::move(keys)) {}

  const RegKeyEntry* Find(std::string_view path) const;
  RegKeyEntry& FindOrAdd(std::string_view path);
  const std::vector<RegKeyEntry>& Keys() const { return keys_; }

 private:
  std::vector<RegKeyEntry> keys_;
};

struct RegParseError {
  int line = 0;        // 1-based
  std::string reason;  // Windows-1250, Polish
};

// Reads a file in our own form (UTF-8 with the version 5 header, byte-order mark
// optional), a REGEDIT4 export (Windows-1250) or a version 5 export in UTF-16 with a
// byte-order mark. Deletions ("[-key]", "name"=-) are applied in order. An empty file is
// an empty tree. On failure returns nothing and describes the first fault in `error`.
std::optional<RegTree> ParseRegText(std::string_view bytes, RegParseError* error);

// The tree as UTF-8 text with the version 5 header and line feeds.
std::string FormatRegText(const RegTree& tree);

}  // namespace bilvox
