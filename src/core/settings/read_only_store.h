// A view of a settings store that reads through and keeps nothing written: for runs that
// must take the stored settings as the program would but leave the store as it was (the
// command-line tool showing, exporting or drawing documents). Each key is read from the
// store once and shared by every later opening of it, so that every document of a run gets
// the same settings without reading the file again.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "settings/registry.h"

namespace bilvox {

class ReadOnlySettingsStore : public SettingsStore {
 public:
  // The store must outlive the view and every key opened through it.
  explicit ReadOnlySettingsStore(SettingsStore& store) : store_(store) {}

  // The key as the store held it when it was first opened; writes to it are dropped, Close
  // does nothing. Keys opened through the view must not outlive it.
  std::unique_ptr<RegistryKey> OpenKey(std::string_view path) override;

 private:
  SettingsStore& store_;
  // Every key opened so far (nullptr: the store has no such key); never written to, so
  // closing them stores nothing.
  std::map<std::string, std::unique_ptr<RegistryKey>, std::less<>> keys_;
};

}  // namespace bilvox
