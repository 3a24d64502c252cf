// Stand-ins for the platform services of platform.h, used until the real ones are in the
// tree: the lock is a lock file (released by the system when the process ends), open
// requests are neither sent nor received.
#pragma once

#include <QObject>
#include <QString>
#include <string>

namespace bilvox::standin {

class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();
  bool TryAcquire();

 private:
  int fd_ = -1;
};

class OpenRequestListener : public QObject {
  Q_OBJECT
 public:
  explicit OpenRequestListener(QObject* parent = nullptr) : QObject(parent) {}
  bool Listen() { return false; }

 signals:
  void OpenRequested(const QString& path);
};

bool SendOpenRequest(const QString& path, std::string* error);
std::string ProgramFolder();
std::string DataFolder();

}  // namespace bilvox::standin
