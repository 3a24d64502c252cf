// A settings store in memory for tests: typed values under key paths, with switches that
// make opening a key or writing a value fail.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "settings/registry.h"

namespace bilvox::testing {

class MemoryStore : public SettingsStore {
 public:
  enum class Type { String, Integer, Binary };
  struct Value {
    Type type = Type::String;
    std::string bytes;    // String: the text; Binary: the raw bytes
    int32_t integer = 0;  // Integer
  };
  using Values = std::map<std::string, Value, std::less<>>;

  std::unique_ptr<RegistryKey> OpenKey(std::string_view path) override;

  // Test set-up and inspection, by key path and value name.
  void SetString(std::string_view path, std::string_view name, std::string_view text);
  void SetInteger(std::string_view path, std::string_view name, int32_t value);
  void SetBinary(std::string_view path, std::string_view name, std::string_view bytes);
  bool Has(std::string_view path, std::string_view name) const;
  // The stored value (a default Value when absent).
  Value Get(std::string_view path, std::string_view name) const;
  void Remove(std::string_view path, std::string_view name);
  Values& Key(std::string_view path) { return keys_[std::string(path)]; }

  // Keys that cannot be opened (OpenKey returns null).
  std::set<std::string, std::less<>> failingKeys;
  // Every write throws "Failed to set data for '<name>'".
  bool failWrites = false;
  int opens = 0;

 private:
  std::map<std::string, Values, std::less<>> keys_;
};

}  // namespace bilvox::testing
