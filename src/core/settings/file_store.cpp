#include "settings/file_store.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>

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
Error FailedToSet(std::string_view name) { return NamedError("Failed to set data for '%s'", name); }
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

std::optional<FileSettingsStore::Snapshot> FileSettingsStore::ReadSnapshot() {
  struct stat st{};
  if (::stat(path_.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
    ReportedFaults().erase(path_);
    return Snapshot{};
  }
  std::string bytes;
  try {
    bytes = ReadWholeFile(path_);
  } catch (const Error& e) {
    ReportFault(path_, e.Message());
    return std::nullopt;
  }
  RegParseError err;
  auto tree = ParseRegText(bytes, &err);
  if (!tree) {
    ReportFault(path_, std::string("Wiersz ") + std::to_string(err.line) + ": " + err.reason + ".");
    return std::nullopt;
  }
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

void FileSettingsStore::WriteKey(const std::string& fullPath,
                                 const std::vector<std::pair<std::string, RegValue>>& writes,
                                 std::string_view firstName) {
  auto snap = ReadSnapshot();
  if (!snap) throw FailedToSet(firstName);
  RegKeyEntry& key = snap->tree.FindOrAdd(fullPath);
  for (const auto& [name, v] : writes) key.Set(name, v);
  std::string text = FormatRegText(snap->tree);
  if (text == snap->bytes) return;
  std::error_code ec;
  auto folder = std::filesystem::path(path_).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  if (ec) throw FailedToSet(firstName);
  try {
    ReplaceFile(path_, text);
  } catch (const Error&) {
    throw FailedToSet(firstName);
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
