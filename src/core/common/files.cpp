#include "common/files.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/cp1250.h"
#include "common/error.h"

namespace bilvox {

std::string SystemErrorText(int err) {
  switch (err) {
    case ENOENT: return std::string("Nie odnaleziono pliku lub folderu."_cp);
    case EACCES:
    case EPERM: return std::string("Brak uprawnień dostępu do pliku."_cp);
    case EISDIR: return std::string("Wskazana ścieżka jest folderem."_cp);
    case ENOSPC: return std::string("Brak miejsca na dysku."_cp);
    case EROFS: return std::string("Nośnik jest tylko do odczytu."_cp);
    case EAGAIN: return std::string("Plik jest używany przez inny program."_cp);
    case ENOTDIR: return std::string("Ścieżka zawiera nazwę, która nie jest folderem."_cp);
    case ENAMETOOLONG: return std::string("Nazwa pliku jest zbyt długa."_cp);
    case EIO: return std::string("Błąd wejścia/wyjścia."_cp);
    default: return FromUtf8Lossy(std::strerror(err));
  }
}

namespace {

std::string FileErrorText(std::string_view lead, const std::string& path, std::string_view cause) {
  std::string text(lead);
  text += "\r\n";
  text += FromUtf8Lossy(path);
  text += "\r\n";
  text += "Treść błędu:"_cp;
  text += "\r\n";
  text += cause;
  return text;
}

}  // namespace

std::string LoadingFileError(const std::string& path, std::string_view cause) {
  return FileErrorText("Wystąpił błąd podczas ładowania pliku: "_cp, path, cause);
}

std::string ReadingFileError(const std::string& path, std::string_view cause) {
  return FileErrorText("Wystąpił błąd podczas odczytywania pliku: "_cp, path, cause);
}

std::string SavingFileError(const std::string& path, std::string_view cause) {
  return FileErrorText("Wystąpił błąd podczas zapisywania pliku: "_cp, path, cause);
}

namespace {

[[noreturn]] void Fail(int err) { throw Error(SystemErrorText(err)); }

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { if (fd_ >= 0) ::close(fd_); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() { int f = fd_; fd_ = -1; return f; }
 private:
  int fd_;
};

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) Fail(errno);
  return ReadWholeFile(fd.get());
}

std::string ReadWholeFile(int fd) {
  struct stat st{};
  if (::fstat(fd, &st) != 0) Fail(errno);
  if (S_ISDIR(st.st_mode)) Fail(EISDIR);
  std::string data;
  if (S_ISREG(st.st_mode) && st.st_size > 0) data.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  off_t offset = 0;
  for (;;) {
    ssize_t n = S_ISREG(st.st_mode) ? ::pread(fd, buf, sizeof buf, offset)
                                    : ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (n == 0) break;
    data.append(buf, static_cast<size_t>(n));
    offset += n;
  }
  return data;
}

bool FileExists(const std::string& path) {
  struct stat st{};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

void ReplaceFile(const std::string& path, std::string_view content,
                 const std::function<void(int fd)>& beforeRename) {
  if (path.empty()) Fail(ENOENT);
  // Follow a link to the file it names, so the link itself survives.
  std::string target = path;
  char resolved[PATH_MAX];
  struct stat lst{};
  if (::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode) && ::realpath(path.c_str(), resolved))
    target = resolved;

  struct stat old{};
  bool hadOld = ::stat(target.c_str(), &old) == 0;
  if (hadOld && S_ISDIR(old.st_mode)) Fail(EISDIR);

  std::string tmpl = target + ".XXXXXX";
  int raw = ::mkstemp(tmpl.data());
  if (raw < 0) Fail(errno);
  Fd fd(raw);
  auto failAndClean = [&](int err) {
    ::unlink(tmpl.c_str());
    Fail(err);
  };
  mode_t mode = hadOld ? (old.st_mode & 07777) : 0644;
  if (!hadOld) {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd.get(), mode);

  size_t done = 0;
  while (done < content.size()) {
    ssize_t n = ::write(fd.get(), content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      failAndClean(errno);
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd.get()) != 0) failAndClean(errno);
  if (beforeRename) {
    try {
      beforeRename(fd.get());
    } catch (...) {
      ::unlink(tmpl.c_str());
      throw;
    }
  }
  if (::close(fd.release()) != 0) failAndClean(errno);
  if (::rename(tmpl.c_str(), target.c_str()) != 0) failAndClean(errno);

  // Make the rename itself durable.
  size_t slash = target.find_last_of('/');
  std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
  Fd dfd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dfd.get() >= 0) ::fsync(dfd.get());
}

}  // namespace bilvox
