#include "support/memory_store.h"

#include "common/error.h"

namespace bilvox::testing {

namespace {

class MemoryKey : public RegistryKey {
 public:
  MemoryKey(MemoryStore::Values& values, const bool& failWrites)
      : values_(values), failWrites_(failWrites) {}

  bool ValueExists(std::string_view name) const override { return values_.count(name) != 0; }

  std::string ReadString(std::string_view name) const override {
    return Typed(name, MemoryStore::Type::String).bytes;
  }
  int32_t ReadInteger(std::string_view name) const override {
    return Typed(name, MemoryStore::Type::Integer).integer;
  }
  bool ReadBool(std::string_view name) const override { return ReadInteger(name) != 0; }
  uint8_t ReadByte(std::string_view name) const override {
    return static_cast<uint8_t>(Binary(name, 1)[0]);
  }
  Currency ReadCurrency(std::string_view name) const override {
    const std::string b = Binary(name, 8);
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[static_cast<size_t>(i)]);
    return Currency::FromRaw(static_cast<int64_t>(v));
  }
  ColorRef ReadColor(std::string_view name) const override {
    return static_cast<ColorRef>(ReadInteger(name));
  }

  void WriteString(std::string_view name, std::string_view value) override {
    Put(name, {MemoryStore::Type::String, std::string(value), 0});
  }
  void WriteInteger(std::string_view name, int32_t value) override {
    Put(name, {MemoryStore::Type::Integer, {}, value});
  }
  void WriteBool(std::string_view name, bool value) override { WriteInteger(name, value ? 1 : 0); }
  void WriteByte(std::string_view name, uint8_t value) override {
    Put(name, {MemoryStore::Type::Binary, std::string(1, static_cast<char>(value)), 0});
  }
  void WriteCurrency(std::string_view name, Currency value) override {
    std::string b(8, '\0');
    uint64_t v = static_cast<uint64_t>(value.raw);
    for (size_t i = 0; i < 8; ++i, v >>= 8) b[i] = static_cast<char>(v & 0xFF);
    Put(name, {MemoryStore::Type::Binary, b, 0});
  }
  void WriteColor(std::string_view name, ColorRef value) override {
    WriteInteger(name, static_cast<int32_t>(value));
  }
  void Close() override {}

 private:
  [[noreturn]] static void WrongType(std::string_view name) {
    throw Error("Invalid data type for '" + std::string(name) + "'");
  }
  const MemoryStore::Value& Typed(std::string_view name, MemoryStore::Type type) const {
    auto it = values_.find(name);
    if (it == values_.end() || it->second.type != type) WrongType(name);
    return it->second;
  }
  std::string Binary(std::string_view name, size_t size) const {
    const MemoryStore::Value& v = Typed(name, MemoryStore::Type::Binary);
    if (v.bytes.size() != size) WrongType(name);
    return v.bytes;
  }
  void Put(std::string_view name, MemoryStore::Value value) {
    if (failWrites_) throw Error("Failed to set data for '" + std::string(name) + "'");
    values_[std::string(name)] = std::move(value);
  }

  MemoryStore::Values& values_;
  const bool& failWrites_;
};

}  // namespace

std::unique_ptr<RegistryKey> MemoryStore::OpenKey(std::string_view path) {
  ++opens;
  if (failingKeys.count(path)) return nullptr;
  return std::make_unique<MemoryKey>(Key(path), failWrites);
}

void MemoryStore::SetString(std::string_view path, std::string_view name, std::string_view text) {
  Key(path)[std::string(name)] = {Type::String, std::string(text), 0};
}

void MemoryStore::SetInteger(std::string_view path, std::string_view name, int32_t value) {
  Key(path)[std::string(name)] = {Type::Integer, {}, value};
}

void MemoryStore::SetBinary(std::string_view path, std::string_view name, std::string_view bytes) {
  Key(path)[std::string(name)] = {Type::Binary, std::string(bytes), 0};
}

bool MemoryStore::Has(std::string_view path, std::string_view name) const {
  auto k = keys_.find(path);
  return k != keys_.end() && k->second.count(name) != 0;
}

MemoryStore::Value MemoryStore::Get(std::string_view path, std::string_view name) const {
  auto k = keys_.find(path);
  if (k == keys_.end()) return {};
  auto v = k->second.find(name);
  return v == k->second.end() ? Value{} : v->second;
}

void MemoryStore::Remove(std::string_view path, std::string_view name) {
  auto k = keys_.find(path);
  if (k == keys_.end()) return;
  auto v = k->second.find(name);
  if (v != k->second.end()) k->second.erase(v);
}

}  // namespace bilvox::testing
