// One running copy per user, and the requests of other programs to open a document in it.
//
// Both live in a private runtime folder of the user: $XDG_RUNTIME_DIR/bilvox/, or
// /tmp/bilvox-<uid>/ when the session has no runtime folder. The folder is created with mode
// 0700 and is used only when it belongs to the user and nobody else may enter it.
//   lock       the single-instance lock (flock): the kernel drops it when its holder ends,
//              however it ends, so a killed copy never blocks the next start;
//   open.sock  the open-request socket of the running copy (Unix domain, mode 0600).
// A request is the absolute path of a file as the system's bytes, ended by one NUL byte, at
// most kMaxOpenRequest bytes in all; the running copy answers nothing.
#pragma once

#include <QObject>
#include <QString>
#include <string>

class QSocketNotifier;

namespace bilvox {

class OpenRequestConnection;

inline constexpr int kMaxOpenRequest = 4096;

// The runtime folder (with a trailing '/'), created when `create` is set; empty with a
// Windows-1250 message in `error` when it cannot be made or is not the user's own.
std::string RuntimeFolder(bool create, std::string* error = nullptr);

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // False when another copy of the program holds the lock; the caller then ends at once.
  // A false answer changes nothing on disk. When the lock cannot be set up at all (no
  // usable runtime folder) the answer is true and the program runs unguarded: the register
  // files keep their own locks. Calling it again while holding the lock answers true.
  bool TryAcquire();
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The running copy's end: emits OpenRequested for every well-formed request. Requests are
// read without blocking the event loop; a request that is too long, not absolute, not
// ended by NUL or not sent by this user is dropped without a word, and a sender that stays
// silent is cut off after a few seconds. Whether the path names a file is for the receiver
// of the signal to check.
class OpenRequestListener : public QObject {
  Q_OBJECT
 public:
  explicit OpenRequestListener(QObject* parent = nullptr);
  ~OpenRequestListener() override;

  // Starts listening; false when the socket cannot be made or another copy already
  // listens. A socket file left by a copy that was killed is replaced.
  bool Listen();
  // The socket's path while listening.
  const std::string& SocketPath() const { return path_; }

 signals:
  void OpenRequested(const QString& path);

 private:
  friend class OpenRequestConnection;
  void Accept();
  void Close();

  int fd_ = -1;
  std::string path_;
  unsigned long long inode_ = 0;
  QSocketNotifier* notifier_ = nullptr;
  int connections_ = 0;
};

enum class OpenRequestResult { Sent, NoCopyRunning, Failed };

// Sends the path (made absolute against the working folder) to the running copy. `error`
// receives a Windows-1250 message unless the result is Sent.
OpenRequestResult DeliverOpenRequest(const QString& path, std::string* error);
// The same as a yes/no answer: false when no copy runs or the request could not be sent.
bool SendOpenRequest(const QString& path, std::string* error);

}  // namespace bilvox
