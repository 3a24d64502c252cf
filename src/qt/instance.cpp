#include "instance.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "common/cp1250.h"
#include "common/files.h"

namespace bilvox {

namespace {

constexpr int kMaxConnections = 8;
constexpr int kSilentSenderMs = 5000;
constexpr char kSocketName[] = "open.sock";

enum class FolderState { Ok, Missing, Unsafe };

FolderState CheckFolder(const std::string& folder, bool create, std::string* error) {
  if (create && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    if (error) *error = SystemErrorText(errno);
    return FolderState::Unsafe;
  }
  struct stat st;
  if (::lstat(folder.c_str(), &st) != 0) {
    if (error) *error = SystemErrorText(errno);
    return errno == ENOENT ? FolderState::Missing : FolderState::Unsafe;
  }
  // Somebody else's folder (or a link to one) in /tmp must not receive our lock or socket.
  if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0) {
    if (error)
      *error = std::string("Folder "_cp) + FromUtf8Lossy(folder) +
               std::string(" nie należy wyłącznie do bieżącego użytkownika."_cp);
    return FolderState::Unsafe;
  }
  return FolderState::Ok;
}

// The session's runtime folder when it names a folder of the user (a variable carried over
// from another user's session does not), else a folder of the user's own in /tmp.
std::string RuntimeFolderPath() {
  if (const char* x = std::getenv("XDG_RUNTIME_DIR"); x && *x == '/') {
    struct stat st;
    if (::stat(x, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()) {
      std::string base = x;
      if (base.back() != '/') base += '/';
      return base + "bilvox";
    }
  }
  return "/tmp/bilvox-" + std::to_string(::getuid());
}

bool FillAddress(const std::string& path, sockaddr_un* addr) {
  std::memset(addr, 0, sizeof *addr);
  addr->sun_family = AF_UNIX;
  if (path.size() >= sizeof addr->sun_path) return false;
  std::memcpy(addr->sun_path, path.data(), path.size());
  return true;
}

// Connects a blocking stream socket to the path; -1 with errno set when it cannot.
int ConnectTo(const std::string& path) {
  sockaddr_un addr;
  if (!FillAddress(path, &addr)) {
    errno = ENAMETOOLONG;
    return -1;
  }
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  // A copy that hangs with a full queue must not hang the sender too: the send timeout
  // also bounds the wait in connect.
  timeval timeout{3, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  int rc;
  do rc = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    int e = errno;
    ::close(fd);
    errno = e;
    return -1;
  }
  return fd;
}

}  // namespace

std::string RuntimeFolder(bool create, std::string* error) {
  const std::string folder = RuntimeFolderPath();
  if (CheckFolder(folder, create, error) != FolderState::Ok) return {};
  return folder + "/";
}

// ---- InstanceLock ----

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases the lock
}

bool InstanceLock::TryAcquire() {
  if (fd_ >= 0) return true;
  const std::string folder = RuntimeFolder(true);
  if (folder.empty()) return true;
  // O_CLOEXEC: a viewer started by the program must not inherit the lock and outlive it.
  int fd = ::open((folder + "lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return true;
  int rc;
  do rc = ::flock(fd, LOCK_EX | LOCK_NB);
  while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    const bool taken = errno == EWOULDBLOCK;
    ::close(fd);
    return !taken;
  }
  fd_ = fd;
  return true;
}

// ---- OpenRequestListener ----

// One sender's connection: collects its bytes until the NUL that ends the request.
class OpenRequestConnection : public QObject {
 public:
  OpenRequestConnection(int fd, OpenRequestListener* owner)
      : QObject(owner), fd_(fd), owner_(owner) {
    ++owner_->connections_;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { Read(); });
    QTimer::singleShot(kSilentSenderMs, this, [this] { Finish(); });
  }
  ~OpenRequestConnection() override {
    if (fd_ >= 0) {
      notifier_->setEnabled(false);
      ::close(fd_);
    }
  }

 private:
  void Read() {
    char buf[1024];
    for (;;) {
      ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // more to come
      if (n <= 0) return Finish();  // ended or failed before the NUL: a cut-off request
      data_.append(buf, size_t(n));
      if (auto end = data_.find('\0'); end != std::string::npos) {
        if (end + 1 > size_t(kMaxOpenRequest)) return Finish();
        data_.resize(end);
        return Deliver();
      }
      if (data_.size() >= size_t(kMaxOpenRequest)) return Finish();
    }
  }

  void Deliver() {
    const QByteArray bytes(data_.data(), qsizetype(data_.size()));
    Finish();
    if (bytes.isEmpty() || bytes[0] != '/') return;
    const QString path = QFile::decodeName(bytes);
    if (QFile::encodeName(path) != bytes) return;  // not a name this system can spell
    emit owner_->OpenRequested(path);
  }

  void Finish() {
    if (fd_ < 0) return;
    notifier_->setEnabled(false);
    ::close(fd_);
    fd_ = -1;
    if (--owner_->connections_ < kMaxConnections && owner_->notifier_)
      owner_->notifier_->setEnabled(true);
    deleteLater();
  }

  int fd_;
  OpenRequestListener* owner_;
  QSocketNotifier* notifier_ = nullptr;
  std::string data_;
};

OpenRequestListener::OpenRequestListener(QObject* parent) : QObject(parent) {}

OpenRequestListener::~OpenRequestListener() { Close(); }

bool OpenRequestListener::Listen() {
  if (fd_ >= 0) return true;
  const std::string folder = RuntimeFolder(true);
  if (folder.empty()) return false;
  const std::string path = folder + kSocketName;
  const std::string fresh = path + "." + std::to_string(::getpid());
  sockaddr_un addr;
  if (!FillAddress(fresh, &addr)) return false;

  // A copy that answers is alive: its socket stays. A file nobody answers is stale.
  if (int probe = ConnectTo(path); probe >= 0) {
    ::close(probe);
    return false;
  }

  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  ::unlink(fresh.c_str());
  struct stat st;
  // Bound under a name of its own and then moved over the old one, so the socket path is
  // never missing or half made while a sender looks for it.
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::chmod(fresh.c_str(), 0600) != 0 || ::listen(fd, 16) != 0 ||
      ::rename(fresh.c_str(), path.c_str()) != 0 || ::stat(path.c_str(), &st) != 0) {
    ::close(fd);
    ::unlink(fresh.c_str());
    return false;
  }
  fd_ = fd;
  path_ = path;
  inode_ = st.st_ino;
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Accept(); });
  return true;
}

void OpenRequestListener::Accept() {
  for (;;) {
    if (connections_ >= kMaxConnections) {
      // The rest wait in the socket's queue until a connection is done.
      notifier_->setEnabled(false);
      return;
    }
    int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (c < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      if (errno == EMFILE || errno == ENFILE) {
        // Out of descriptors: the waiting sender would wake the notifier again at once.
        notifier_->setEnabled(false);
        QTimer::singleShot(1000, this, [this] {
          if (notifier_) notifier_->setEnabled(true);
        });
      }
      return;
    }
    ucred cred{};
    socklen_t len = sizeof cred;
    if (::getsockopt(c, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || cred.uid != ::geteuid()) {
      ::close(c);
      continue;
    }
    new OpenRequestConnection(c, this);
  }
}

void OpenRequestListener::Close() {
  if (fd_ < 0) return;
  delete notifier_;
  notifier_ = nullptr;
  ::close(fd_);
  fd_ = -1;
  // Remove the socket file only while it is still ours (not one a later copy made).
  struct stat st;
  if (::stat(path_.c_str(), &st) == 0 && st.st_ino == inode_) ::unlink(path_.c_str());
  path_.clear();
}

// ---- Sending ----

OpenRequestResult DeliverOpenRequest(const QString& path, std::string* error) {
  auto fail = [&](OpenRequestResult r, std::string_view message) {
    if (error) *error = std::string(message);
    return r;
  };
  if (path.isEmpty()) return fail(OpenRequestResult::Failed, "Nie podano pliku."_cp);
  const QByteArray bytes = QFile::encodeName(QFileInfo(path).absoluteFilePath());
  if (bytes.contains('\0'))
    return fail(OpenRequestResult::Failed, "Nieprawidłowa nazwa pliku."_cp);
  if (bytes.size() + 1 > kMaxOpenRequest)
    return fail(OpenRequestResult::Failed, "Ścieżka pliku jest za długa."_cp);

  const std::string_view notRunning = "Bilvox nie jest uruchomiony."_cp;
  std::string folderError;
  const std::string folder = RuntimeFolderPath();
  switch (CheckFolder(folder, false, &folderError)) {
    case FolderState::Missing: return fail(OpenRequestResult::NoCopyRunning, notRunning);
    case FolderState::Unsafe: return fail(OpenRequestResult::Failed, folderError);
    case FolderState::Ok: break;
  }
  int fd = ConnectTo(folder + "/" + kSocketName);
  if (fd < 0) {
    if (errno == ENOENT || errno == ECONNREFUSED)
      return fail(OpenRequestResult::NoCopyRunning, notRunning);
    return fail(OpenRequestResult::Failed, SystemErrorText(errno));
  }
  const QByteArray request = bytes + '\0';
  qsizetype sent = 0;
  while (sent < request.size()) {
    ssize_t n = ::send(fd, request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int e = n < 0 ? errno : EIO;
      ::close(fd);
      return fail(OpenRequestResult::Failed, SystemErrorText(e));
    }
    sent += n;
  }
  ::close(fd);
  return OpenRequestResult::Sent;
}

bool SendOpenRequest(const QString& path, std::string* error) {
  return DeliverOpenRequest(path, error) == OpenRequestResult::Sent;
}

}  // namespace bilvox
