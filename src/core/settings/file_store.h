// The settings store kept in one per-user text file in the format of registry exports
// (see reg_text.h). Keys are read from the file each time one is opened, so changes made
// by scripts or another run are seen; a key that was written to is saved when it is
// closed by reading the file again, applying that key's writes and replacing the whole
// file, so keys written meanwhile by someone else are kept.
//
// A file that cannot be read or parsed is reported once through Messages() (naming the
// file and the line) and is never overwritten: every open fails until it is mended. Only a
// regular file (or a link to one, which stays a link) is read and written: a folder, device
// or FIFO in its place, or a read-only file, is refused.
//
// Every write of a key is one read-modify-write step under LockForUpdate, so that writers
// in several processes at once lose none of each other's keys.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/reg_text.h"
#include "settings/registry.h"

namespace bilvox {

// The hive every key of the store lives in, as the file names it.
inline constexpr std::string_view kHiveCurrentUser = "HKEY_CURRENT_USER";

class FileSettingsStore : public SettingsStore {
 public:
  explicit FileSettingsStore(std::string path) : path_(std::move(path)) {}

  // `path` is relative to HKEY_CURRENT_USER, in Windows-1250.
  std::unique_ptr<RegistryKey> OpenKey(std::string_view path) override;
  // An flock() lock on the folder of the file (see file_store.cpp).
  std::shared_ptr<void> LockForUpdate() override;

  const std::string& Path() const { return path_; }

  // The keys as the file holds them now: an empty tree when there is no file, nothing
  // (after the report) when it cannot be read or parsed.
  std::optional<RegTree> ReadTree();

  // Saves writes to one key (full path, UTF-8). Throws "Failed to set data for '<name>'"
  // with `firstName` (Windows-1250), the file and the cause, when the file cannot be read
  // again or written.
  void WriteKey(const std::string& fullPath,
                const std::vector<std::pair<std::string, RegValue>>& writes,
                std::string_view firstName);

 private:
  struct Snapshot {
    std::string bytes;
    RegTree tree;
  };
  // The file as it is now; nothing (after the report) when it cannot be read or parsed,
  // with the cause in `cause` when one is given.
  std::optional<Snapshot> ReadSnapshot(std::string* cause = nullptr);

  std::string path_;
};

// The user's store file: BILVOX_REGISTRY when set, else
// $XDG_CONFIG_HOME/bilvox/registry.reg, else $HOME/.config/bilvox/registry.reg.
std::string UserRegistryPath();

// The user's store (at UserRegistryPath()).
std::unique_ptr<SettingsStore> OpenUserSettingsStore();

}  // namespace bilvox
