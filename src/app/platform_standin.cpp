#include "platform_standin.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>

namespace bilvox::standin {

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
}

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

bool InstanceLock::TryAcquire() {
  const std::string folder = EnvOr("XDG_RUNTIME_DIR", "/tmp");
  const std::string path = WithSlash(folder) + "bilvox-" + std::to_string(getuid()) + ".lock";
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0) return true;  // no lock can be taken: run rather than refuse
  if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
  close(fd_);
  fd_ = -1;
  return false;
}

bool SendOpenRequest(const QString&, std::string* error) {
  if (error) *error = "open requests are not available in this build";
  return false;
}

std::string ProgramFolder() {
  return WithSlash(QCoreApplication::applicationDirPath().toStdString());
}

std::string DataFolder() {
  if (const char* dir = std::getenv("BILVOX_DATA_DIR"); dir && *dir) return WithSlash(dir);
  const std::string program = ProgramFolder();
  if (access(program.c_str(), W_OK) == 0) return program;
  const std::string home = EnvOr("HOME", "/tmp");
  const std::string folder = WithSlash(EnvOr("XDG_DATA_HOME", home + "/.local/share")) + "bilvox/";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder;
}

}  // namespace bilvox::standin
