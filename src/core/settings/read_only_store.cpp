#include "settings/read_only_store.h"

namespace bilvox {

namespace {

class ReadOnlyKey final : public RegistryKey {
 public:
  explicit ReadOnlyKey(const RegistryKey& key) : key_(key) {}

  bool ValueExists(std::string_view name) const override { return key_.ValueExists(name); }
  std::string ReadString(std::string_view name) const override { return key_.ReadString(name); }
  int32_t ReadInteger(std::string_view name) const override { return key_.ReadInteger(name); }
  bool ReadBool(std::string_view name) const override { return key_.ReadBool(name); }
  uint8_t ReadByte(std::string_view name) const override { return key_.ReadByte(name); }
  Currency ReadCurrency(std::string_view name) const override { return key_.ReadCurrency(name); }
  ColorRef ReadColor(std::string_view name) const override { return key_.ReadColor(name); }

  void WriteString(std::string_view, std::string_view) override {}
  void WriteInteger(std::string_view, int32_t) override {}
  void WriteBool(std::string_view, bool) override {}
  void WriteByte(std::string_view, uint8_t) override {}
  void WriteCurrency(std::string_view, Currency) override {}
  void WriteColor(std::string_view, ColorRef) override {}
  void Close() override {}

 private:
  const RegistryKey& key_;
};

}  // namespace

std::unique_ptr<RegistryKey> ReadOnlySettingsStore::OpenKey(std::string_view path) {
  auto it = keys_.find(path);
  if (it == keys_.end()) it = keys_.emplace(std::string(path), store_.OpenKey(path)).first;
  if (!it->second) return nullptr;
  return std::make_unique<ReadOnlyKey>(*it->second);
}

}  // namespace bilvox
