#include "settings/file_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "common/app_info.h"
#include "common/binio.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "common/messages.h"

namespace bilvox {

namespace {

Error NamedError(std::string_view format, std::string_view name) {
  std::string text(format);
  text.replace(text.find("%s"), 2, name);
  return Error(std::move(text));
}

Error InvalidDataType(std::string_view name) { return NamedError("Invalid data type for '%s'", name); }
// The write error, followed by what failed (the saving error naming the file and cause).
Error FailedToSet(std::string_view name, std::string_view what) {
  std::string text = NamedError("Failed to set data for '%s'", name).Message();
  text += "\r\n";
  text += what;
  return Error(std::move(text));
}
Error FailedToGet(std::string_view name) { return NamedError("Failed to get data for '%s'", name); }

// The last fault reported for each store file, so that a damaged file is reported once
// and not at every key opened while it stays as it is.
std::map<std::string, std::string>& ReportedFaults() {
  static std::map<std::string, std::string> faults;
  return faults;
}

void ReportFault(const std::string& path, const std::string& cause) {
  std::string text("Wystąpił błąd podczas odczytywania pliku: \r\n"_cp);
  text += FromUtf8Lossy(path);
  text += "\r\nTreść błędu:\r\n"_cp;
  text += cause;
  text += "\r\nPlik ustawień nie zostanie zmieniony. Dopóki nie zostanie poprawiony, program "
          "używa ustawień domyślnych i nie zapisuje ich zmian."_cp;
  std::string& last = ReportedFaults()[path];
  if (last == text) return;
  last = text;
  ShowError("Błąd"_cp, text);
}

std::string KeyPathText(std::string_view cp1250Path) {
  std::string p = ToUtf8(cp1250Path);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return std::string(kHiveCurrentUser) + "\\" + p;
}

class FileRegistryKey final : public RegistryKey {
 public:
  FileRegistryKey(FileSettingsStore& store, RegKeyEntry snapshot)
      : store_(store), key_(std::move(snapshot)) {}

  ~FileRegistryKey() override {
    if (closed_) return;
    try {
      Close();
    } catch (const Error& e) {
      ShowError(kAppTitle, e.Message());
    }
  }

  bool ValueExists(std::string_view name) const override {
    return key_.Find(ToUtf8(name)) != nullptr;
  }

  std::string ReadString(std::string_view name) const override {
    return RegStringText(Get(name, kRegSz, 0));
  }
  int32_t ReadInteger(std::string_view name) const override {
    return static_cast<int32_t>(Dword(name));
  }
  bool ReadBool(std::string_view name) const override { return Dword(name) != 0; }
  uint8_t ReadByte(std::string_view name) const override {
    return static_cast<uint8_t>(Get(name, kRegBinary, 1).data[0]);
  }
  Currency ReadCurrency(std::string_view name) const override {
    return Currency::FromRaw(ByteReader(Get(name, kRegBinary, 8).data).I64());
  }
  ColorRef ReadColor(std::string_view name) const override { return Dword(name); }

  void WriteString(std::string_view name, std::string_view value) override {
    Put(name, MakeRegString(value));
  }
  void WriteInteger(std::string_view name, int32_t value) override {
    Put(name, MakeRegDword(static_cast<uint32_t>(value)));
  }
  void WriteBool(std::string_view name, bool value) override {
    Put(name, MakeRegDword(value ? 1 : 0));
  }
  void WriteByte(std::string_view name, uint8_t value) override {
    Put(name, MakeRegBinary(std::string(1, static_cast<char>(value))));
  }
  void WriteCurrency(std::string_view name, Currency value) override {
    ByteWriter w;
    w.I64(value.raw);
    Put(name, MakeRegBinary(w.Data()));
  }
  void WriteColor(std::string_view name, ColorRef value) override {
    Put(name, MakeRegDword(value));
  }

  void Close() override {
    if (closed_) return;
    closed_ = true;
    if (!writes_.empty()) store_.WriteKey(key_.path, writes_, firstWritten_);
  }

 private:
  // The value of that name, which must have the type and (unless 0) the size given.
  const RegValue& Get(std::string_view name, uint32_t type, size_t size) const {
    const RegValue* v = key_.Find(ToUtf8(name));
    if (!v) throw FailedToGet(name);
    if (v->type != type || (size != 0 && v->data.size() != size)) throw InvalidDataType(name);
    return *v;
  }

  uint32_t Dword(std::string_view name) const {
    return ByteReader(Get(name, kRegDword, 4).data).U32();
  }

  void Put(std::string_view name, RegValue v) {
    if (writes_.empty()) firstWritten_ = std::string(name);
    std::string utf8 = ToUtf8(name);
    key_.Set(utf8, v);
    for (auto& [n, old] : writes_)
      if (SameRegName(n, utf8)) {
        old = std::move(v);
        return;
      }
    writes_.emplace_back(std::move(utf8), std::move(v));
  }

  FileSettingsStore& store_;
  RegKeyEntry key_;  // the values as read at opening, with this key's writes applied
  std::vector<std::pair<std::string, RegValue>> writes_;
  std::string firstWritten_;
  bool closed_ = false;
};

}  // namespace

std::optional<FileSettingsStore::Snapshot> FileSettingsStore::ReadSnapshot(std::string* cause) {
  struct stat st{};
  if (::stat(path_.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
    ReportedFaults().erase(path_);
    return Snapshot{};
  }
  auto fault = [&](std::string text) -> std::optional<Snapshot> {
    ReportFault(path_, text);
    if (cause) *cause = std::move(text);
    return std::nullopt;
  };
  std::string bytes;
  try {
    bytes = ReadWholeFile(path_, kMaxSettingsFileSize);
  } catch (const Error& e) {
    return fault(e.Message());
  }
  RegParseError err;
  auto tree = ParseRegText(bytes, &err);
  if (!tree) return fault(std::string("Wiersz ") + std::to_string(err.line) + ": " + err.reason + ".");
  ReportedFaults().erase(path_);
  return Snapshot{std::move(bytes), std::move(*tree)};
}

std::optional<RegTree> FileSettingsStore::ReadTree() {
  auto snap = ReadSnapshot();
  if (!snap) return std::nullopt;
  return std::move(snap->tree);
}

std::unique_ptr<RegistryKey> FileSettingsStore::OpenKey(std::string_view path) {
  auto tree = ReadTree();
  if (!tree) return nullptr;
  std::string full = KeyPathText(path);
  const RegKeyEntry* found = tree->Find(full);
  return std::make_unique<FileRegistryKey>(*this, found ? *found : RegKeyEntry{full, {}});
}

namespace {

// The lock of a store is an flock() lock on the folder that holds its file (links
// followed). Not on the file itself, which every write replaces by a new one, and not on a
// lock file, which would be one more file left in the user's folder. Within one process a
// folder is locked once and the holds are counted, so that steps nest and two store objects
// of one file do not wait for each other; the mutex keeps the other threads of the process
// out meanwhile.
struct FolderLock {
  int fd = -1;
  int holds = 0;
};

std::recursive_mutex& LockMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

std::map<std::string, FolderLock>& FolderLocks() {
  static std::map<std::string, FolderLock> locks;
  return locks;
}

// How long a writer waits for another program's step before it gives up.
constexpr auto kLockPatience = std::chrono::seconds(10);

class StoreHold {
 public:
  explicit StoreHold(const std::string& storePath) : lock_(LockMutex()) {
    std::string target = FollowLinks(storePath);
    folder_ = std::filesystem::path(target).parent_path().string();
    if (folder_.empty()) folder_ = ".";
    FolderLock& held = FolderLocks()[folder_];
    if (held.holds == 0) held.fd = Take(storePath);
    ++held.holds;
  }
  ~StoreHold() {
    FolderLock& held = FolderLocks()[folder_];
    if (--held.holds == 0) {
      ::close(held.fd);  // lets the lock go
      FolderLocks().erase(folder_);
    }
  }
  StoreHold(const StoreHold&) = delete;
  StoreHold& operator=(const StoreHold&) = delete;

 private:
  int Take(const std::string& storePath) {
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
      const int err = errno;
      FolderLocks().erase(folder_);
      throw Error(SavingFileError(storePath, SystemErrorText(ec ? ec.value() : err)));
    }
    const auto giveUp = std::chrono::steady_clock::now() + kLockPatience;
    auto pause = std::chrono::milliseconds(1);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      if ((err != EWOULDBLOCK && err != EINTR) || std::chrono::steady_clock::now() > giveUp) {
        ::close(fd);
        FolderLocks().erase(folder_);
        throw Error(SavingFileError(storePath, SystemErrorText(err == EWOULDBLOCK ? EAGAIN : err)));
      }
      std::this_thread::sleep_for(pause);
      pause = std::min(pause * 2, std::chrono::milliseconds(16));
    }
    return fd;
  }

  std::unique_lock<std::recursive_mutex> lock_;
  std::string folder_;
};

}  // namespace

std::shared_ptr<void> FileSettingsStore::LockForUpdate() {
  return std::make_shared<StoreHold>(path_);
}

void FileSettingsStore::WriteKey(const std::string& fullPath,
                                 const std::vector<std::pair<std::string, RegValue>>& writes,
                                 std::string_view firstName) {
  std::shared_ptr<void> hold;
  try {
    hold = LockForUpdate();
  } catch (const Error& e) {
    throw FailedToSet(firstName, e.Message());
  }
  std::string cause;
  auto snap = ReadSnapshot(&cause);
  if (!snap) throw FailedToSet(firstName, SavingFileError(path_, cause));
  RegKeyEntry& key = snap->tree.FindOrAdd(fullPath);
  for (const auto& [name, v] : writes) key.Set(name, v);
  std::string text = FormatRegText(snap->tree);
  if (text == snap->bytes) return;
  try {
    ReplaceFile(path_, text);
  } catch (const Error& e) {
    throw FailedToSet(firstName, SavingFileError(path_, e.Message()));
  }
}

std::string UserRegistryPath() {
  if (const char* p = std::getenv("BILVOX_REGISTRY"); p && *p) return p;
  std::string base;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x == '/') {
    base = x;
  } else {
    const char* h = std::getenv("HOME");
    std::string home = h && *h ? h : "";
    if (home.empty())
      if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    base = home + "/.config";
  }
  return base + "/bilvox/registry.reg";
}

std::unique_ptr<SettingsStore> OpenUserSettingsStore() {
  return std::make_unique<FileSettingsStore>(UserRegistryPath());
}

}  // namespace bilvox
