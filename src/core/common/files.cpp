#include "common/files.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
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
    case EFBIG: return FileTooLargeText();
    case EEXIST: return std::string("Plik lub folder o tej nazwie już istnieje."_cp);
    case ELOOP: return std::string("Zbyt wiele dowiązań symbolicznych w ścieżce."_cp);
    default: return FromUtf8Lossy(std::strerror(err));
  }
}

std::string NotRegularFileText() {
  return std::string("Wskazana ścieżka nie jest zwykłym plikiem (to folder, urządzenie, potok lub gniazdo)."_cp);
}

std::string FileTooLargeText() { return std::string("Plik jest zbyt duży."_cp); }

std::string ReadOnlyFileText() { return std::string("Plik jest tylko do odczytu."_cp); }

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
[[noreturn]] void Fail(std::string cause) { throw Error(std::move(cause)); }

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { if (fd_ >= 0) ::close(fd_); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
 private:
  int fd_;
};

// Reads up to `limit` + 1 bytes into `data` (empty on entry): a regular file with pread()
// from its start, whatever the descriptor's offset; anything else (a stream) with read().
// Refused once more than `limit` bytes arrived, also from a file that grows meanwhile.
void ReadInto(int fd, std::string& data, uint64_t limit, bool regular) {
  char buf[65536];
  off_t offset = 0;
  for (;;) {
    ssize_t n = regular ? ::pread(fd, buf, sizeof buf, offset) : ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (n == 0) return;
    data.append(buf, static_cast<size_t>(n));
    offset += n;
    if (data.size() > limit) Fail(FileTooLargeText());
  }
}

// A regular file from its start; refused when it is, or grows while being read, beyond
// the limit.
std::string ReadRegular(int fd, const struct stat& st, uint64_t limit) {
  if (static_cast<uint64_t>(st.st_size) > limit) Fail(FileTooLargeText());
  std::string data;
  data.reserve(static_cast<size_t>(st.st_size));
  ReadInto(fd, data, limit, true);
  return data;
}

}  // namespace

std::string ReadWholeFile(const std::string& path, uint64_t maxSize) {
  // Without O_NONBLOCK opening a FIFO would wait for a writer; O_NOCTTY keeps a terminal
  // device from becoming ours. Neither matters for the regular files that get read.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) Fail(errno);
  struct stat st{};
  if (::fstat(fd.get(), &st) != 0) Fail(errno);
  if (S_ISDIR(st.st_mode)) Fail(EISDIR);
  if (!S_ISREG(st.st_mode)) Fail(NotRegularFileText());
  return ReadRegular(fd.get(), st, maxSize);
}

std::string ReadWholeFile(int fd, uint64_t maxSize) {
  struct stat st{};
  if (::fstat(fd, &st) != 0) Fail(errno);
  if (S_ISDIR(st.st_mode)) Fail(EISDIR);
  if (S_ISREG(st.st_mode)) return ReadRegular(fd, st, maxSize);
  std::string data;
  ReadInto(fd, data, maxSize, false);
  return data;
}

bool FileExists(const std::string& path) {
  struct stat st{};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st{};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n < 0) Fail(errno);
    if (static_cast<size_t>(n) >= target.size()) Fail(ENAMETOOLONG);  // changed meanwhile
    target.resize(static_cast<size_t>(n));
    if (target.empty()) Fail(ENOENT);
    if (target.front() == '/') {
      current = target;
    } else {
      size_t slash = current.find_last_of('/');
      current = slash == std::string::npos ? target : current.substr(0, slash + 1) + target;
    }
  }
  Fail(ELOOP);
}

// ---- Temporaries and their removal on signals ----

namespace {

// The terminating signals that a handler can catch (SIGXFSZ is ignored instead).
constexpr int kTerminatingSignals[] = {SIGTERM, SIGINT,  SIGHUP,  SIGQUIT,   SIGPIPE, SIGALRM,
                                       SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF};

// Names of the named temporaries that exist now, for the signal handlers. A name is put in
// a free slot before the file is made and taken out after it is gone or renamed; the
// handlers only read the slots and unlink what they find.
constexpr int kSlotCount = 64;
std::atomic<char*> g_slots[kSlotCount];
std::atomic<bool> g_preferNamed{false};

int TakeSlot(const std::string& name) {
  char* copy = ::strdup(name.c_str());
  if (!copy) return -1;
  for (int i = 0; i < kSlotCount; ++i) {
    char* expected = nullptr;
    if (g_slots[i].compare_exchange_strong(expected, copy)) return i;
  }
  ::free(copy);
  return -1;  // more saves at once than slots: this one is not cleaned up on a signal
}

void ReleaseSlot(int& slot) {
  if (slot < 0) return;
  ::free(g_slots[slot].exchange(nullptr));
  slot = -1;
}

const char* SlotName(int slot) { return slot >= 0 ? g_slots[slot].load() : nullptr; }

// Keeps the terminating signals from this thread while a temporary has a name that is not
// registered yet or is about to disappear, so that a signal finds either nothing or a
// registered name. Signals that arrive meanwhile are handled afterwards.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kTerminatingSignals) sigaddset(&set, s);
    pthread_sigmask(SIG_BLOCK, &set, &old_);
  }
  ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t old_;
};

extern "C" void RemoveSavesAndEnd(int sig) {
  const int saved = errno;
  RemoveUnfinishedSaves();
  errno = saved;
  // The handler was installed with SA_RESETHAND | SA_NODEFER: the signal now does what
  // it would have done without us.
  ::raise(sig);
}

// Six characters of a name that is probably not taken; a clash is retried.
std::string RandomSuffix() {
  static std::atomic<uint64_t> counter{0};
  timespec ts{};
  ::clock_gettime(CLOCK_REALTIME, &ts);
  uint64_t x = (static_cast<uint64_t>(ts.tv_nsec) << 20) ^ static_cast<uint64_t>(ts.tv_sec) ^
               (static_cast<uint64_t>(::getpid()) << 40) ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15u);
  x ^= x >> 33;
  x *= 0xFF51AFD7ED558CCDu;
  x ^= x >> 33;
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string s;
  for (int i = 0; i < 6; ++i) {
    s += kChars[x % 62];
    x /= 62;
  }
  return s;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

void WriteAll(int fd, std::string_view content) {
  size_t done = 0;
  while (done < content.size()) {
    ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    done += static_cast<size_t>(n);
  }
}

// Links an unnamed file into the folder under `name`; EEXIST when the name is taken.
int LinkUnnamed(int fd, const std::string& name) {
  if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
  if (errno == EEXIST) return EEXIST;
  // Without the right to link by descriptor, through its name in /proc.
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  return errno;
}

}  // namespace

void RemoveUnfinishedSaves() noexcept {
  for (auto& slot : g_slots)
    if (const char* name = slot.load()) ::unlink(name);
}

void InstallSaveSignalHandlers() {
  for (int sig : kTerminatingSignals) {
    struct sigaction old{};
    if (::sigaction(sig, nullptr, &old) != 0) continue;
    if ((old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL) continue;
    struct sigaction sa{};
    sa.sa_handler = RemoveSavesAndEnd;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESETHAND | SA_NODEFER;
    ::sigaction(sig, &sa, nullptr);
  }
  struct sigaction old{};
  if (::sigaction(SIGXFSZ, nullptr, &old) == 0 && !(old.sa_flags & SA_SIGINFO) &&
      old.sa_handler == SIG_DFL)
    ::signal(SIGXFSZ, SIG_IGN);
}

void PreferNamedTemporaries(bool named) { g_preferNamed = named; }

PendingFile::PendingFile(const std::string& path, std::string_view content, Mode mode)
    : mode_(mode) {
  if (path.empty()) Fail(ENOENT);
  target_ = FollowLinks(path);
  dir_ = FolderOf(target_);

  struct stat old{};
  const bool hadOld = ::stat(target_.c_str(), &old) == 0;
  if (hadOld && mode_ == Mode::Replace) {
    if (S_ISDIR(old.st_mode)) Fail(EISDIR);
    if (!S_ISREG(old.st_mode)) Fail(NotRegularFileText());
    // Checked by the permission bits as well, which bind the superuser too.
    if ((old.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
      Fail(ReadOnlyFileText());
  }
  // A new file gets 0666 less the umask from the system; a replaced file keeps the old one's
  // permissions exactly, whatever the umask.
  const bool keepMode = hadOld && mode_ == Mode::Replace;
  const mode_t createMode = keepMode ? 0600 : 0666;

  // An unnamed file is linked into place through /proc when we may not link it by its
  // descriptor, so it is used only where /proc is there.
  static const bool procThere = ::access("/proc/self/fd", X_OK) == 0;
  if (!g_preferNamed && procThere)
    fd_ = ::open(dir_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, createMode);
  if (fd_ < 0) {
    // No unnamed files here: a named temporary, known to the signal handlers from before
    // it exists until it is gone.
    SignalsHeld held;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      tempName_ = target_ + "." + RandomSuffix();
      slot_ = TakeSlot(tempName_);
      fd_ = ::open(tempName_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
      if (fd_ < 0) {
        const int err = errno;
        ReleaseSlot(slot_);
        tempName_.clear();
        if (err != EEXIST) Fail(err);
      }
    }
    if (fd_ < 0) Fail(EEXIST);
  }
  try {
    if (keepMode) ::fchmod(fd_, old.st_mode & 07777);
    WriteAll(fd_, content);
    if (::fsync(fd_) != 0) Fail(errno);
  } catch (...) {
    Discard();
    throw;
  }
}

PendingFile::~PendingFile() { Discard(); }

void PendingFile::Discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!tempName_.empty()) {
    SignalsHeld held;
    if (!committed_) ::unlink(tempName_.c_str());
    ReleaseSlot(slot_);
    tempName_.clear();
  }
}

bool PendingFile::Commit() {
  if (committed_ || fd_ < 0) Fail(EINVAL);
  int err = 0;
  if (!tempName_.empty()) {
    // The named temporary takes the target's name.
    SignalsHeld held;
    const char* name = tempName_.c_str();
    if (mode_ == Mode::Replace) {
      if (::rename(name, target_.c_str()) != 0) err = errno;
    } else if (::renameat2(AT_FDCWD, name, AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) != 0) {
      err = errno;
      if (err == EINVAL || err == ENOSYS) {
        // A file system without that kind of rename: a link fails just as surely.
        err = ::link(name, target_.c_str()) == 0 ? 0 : errno;
        if (err == 0) ::unlink(name);
      }
    }
    if (err == 0) {
      committed_ = true;
      ReleaseSlot(slot_);
      tempName_.clear();
    }
  } else if (mode_ == Mode::CreateNew) {
    err = LinkUnnamed(fd_, target_);
    committed_ = err == 0;
  } else {
    // An unnamed file cannot replace another directly: it gets a name of its own beside
    // the target and is renamed over it at once, with the terminating signals held back
    // in between (and the name registered for the handlers of other threads).
    SignalsHeld held;
    for (int attempt = 0; attempt < 100; ++attempt) {
      int slot = TakeSlot(target_ + "." + RandomSuffix());
      const std::string name = slot >= 0 ? SlotName(slot) : target_ + "." + RandomSuffix();
      err = LinkUnnamed(fd_, name);
      if (err == 0) {
        if (::rename(name.c_str(), target_.c_str()) != 0) {
          err = errno;
          ::unlink(name.c_str());
        }
        ReleaseSlot(slot);
        break;
      }
      ReleaseSlot(slot);
      if (err != EEXIST) break;
    }
    committed_ = err == 0;
  }
  if (err == EEXIST && mode_ == Mode::CreateNew) return false;
  if (err != 0) Fail(err);

  ::close(fd_);
  fd_ = -1;
  // Make the new name itself durable.
  Fd dfd(::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dfd.get() >= 0) ::fsync(dfd.get());
  return true;
}

void ReplaceFile(const std::string& path, std::string_view content,
                 const std::function<void(int fd)>& beforeRename) {
  PendingFile file(path, content);
  if (beforeRename) beforeRename(file.Descriptor());
  file.Commit();
}

bool CreateNewFile(const std::string& path, std::string_view content) {
  return PendingFile(path, content, PendingFile::Mode::CreateNew).Commit();
}

}  // namespace bilvox
