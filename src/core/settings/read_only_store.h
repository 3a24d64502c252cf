// A view of a settings store that reads through and keeps nothing written: for runs that
// must take the stored settings as the program would but leave the store as it was (the
// command-line tool showing a document).
#pragma once

#include <memory>
#include <string_view>

#include "settings/registry.h"

namespace bilvox {

class ReadOnlySettingsStore : public SettingsStore {
 public:
  // The store must outlive the view and every key opened through it.
  explicit ReadOnlySettingsStore(SettingsStore& store) : store_(store) {}

  // The key as the store holds it; writes to it are dropped, Close does nothing.
  std::unique_ptr<RegistryKey> OpenKey(std::string_view path) override;

 private:
  SettingsStore& store_;
};

}  // namespace bilvox
