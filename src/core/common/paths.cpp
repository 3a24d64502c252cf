#include "common/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace bilvox {

namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string HomeFolder() {
  if (const char* h = std::getenv("HOME"); h && *h) return h;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

// Creates the folder and its missing parents; the last one is private to the user, since
// the registers hold the business's contractors. Failure is left to whoever opens a file.
void MakeFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::path p(folder);
  if (std::filesystem::is_directory(p, ec)) return;
  p = p.lexically_normal();
  if (!p.has_filename()) p = p.parent_path();  // "a/b/" names "a/b"
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
  ::mkdir(p.c_str(), 0700);
}

}  // namespace

std::string ProgramFolder() {
  static const std::string folder = [] {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return std::string();
    return WithSlash(exe.parent_path().string());
  }();
  return folder;
}

std::string DataFolderFor(const std::string& programFolder) {
  std::string folder;
  if (const char* d = std::getenv("BILVOX_DATA_DIR"); d && *d) {
    folder = WithSlash(d);
  } else if (!programFolder.empty() && ::access(programFolder.c_str(), W_OK | X_OK) == 0) {
    return WithSlash(programFolder);
  } else if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x == '/') {
    folder = WithSlash(x) + "bilvox/";
  } else {
    folder = WithSlash(HomeFolder()) + ".local/share/bilvox/";
  }
  MakeFolder(folder);
  return folder;
}

std::string DataFolder() { return DataFolderFor(ProgramFolder()); }

}  // namespace bilvox
