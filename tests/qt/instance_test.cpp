// One running copy per user, and opening a document in it from outside: another start, a
// killed copy, requests sent by bilvox-cli and by hostile or broken senders.
#include "instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "common/cp1250.h"
#include "gui_app.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;
using testing::RunCli;
using testing::ShellQuote;
using testing::TempDir;
using testing::WriteBytes;

// A child process that takes the lock, tells whether it got it and then waits to be killed.
class LockHolder {
 public:
  LockHolder() {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      InstanceLock lock;
      const char got = lock.TryAcquire() ? 'y' : 'n';
      (void)!::write(ready[1], &got, 1);
      for (;;) ::pause();
    }
    ::close(ready[1]);
    if (pid_ > 0 && ::read(ready[0], &answer_, 1) != 1) answer_ = '?';
    ::close(ready[0]);
  }
  ~LockHolder() { Kill(); }
  char Answer() const { return answer_; }
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  char answer_ = '?';
};

// Every entry of a folder with its size and change times, to see that nothing was written.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> entries;
  std::error_code ec;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder, ec)) {
    struct stat st;
    if (::lstat(e.path().c_str(), &st) != 0) continue;
    entries[e.path().string()] = std::to_string(st.st_size) + "/" +
                                 std::to_string(st.st_mtim.tv_nsec) + "/" +
                                 std::to_string(st.st_ctim.tv_nsec);
  }
  return entries;
}

TEST(InstanceLock, SecondCopyEndsWithoutWritingAndAKilledCopyNeverBlocks) {
  const std::string runtime = RuntimeFolder(true);
  ASSERT_FALSE(runtime.empty());
  LockHolder first;
  ASSERT_EQ(first.Answer(), 'y');

  const auto before = Snapshot(runtime);
  const auto dataBefore = Snapshot(std::getenv("BILVOX_DATA_DIR"));
  {
    InstanceLock second;
    EXPECT_FALSE(second.TryAcquire());
    EXPECT_FALSE(second.Held());
  }
  EXPECT_EQ(Snapshot(runtime), before);
  EXPECT_EQ(Snapshot(std::getenv("BILVOX_DATA_DIR")), dataBefore);

  // SIGKILL leaves the lock file behind but not the lock.
  first.Kill();
  InstanceLock next;
  EXPECT_TRUE(next.TryAcquire());
  EXPECT_TRUE(next.Held());
  LockHolder third;
  EXPECT_EQ(third.Answer(), 'n');
}

// Connects to the socket and sends raw bytes, as a broken or hostile sender would.
void SendRaw(const std::string& socketPath, const std::string& bytes) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, socketPath.c_str(), sizeof addr.sun_path - 1);
  ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  EXPECT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
  ::close(fd);
}

// Runs the event loop until `count` requests arrived (or a few seconds passed), then a
// little longer so that a request that should have been dropped would show up.
void WaitFor(const std::vector<QString>& got, size_t count) {
  QElapsedTimer t;
  t.start();
  while (got.size() < count && t.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  const qint64 settled = t.elapsed() + 200;
  while (t.elapsed() < settled) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(OpenRequests, ArriveFromSendersWhileMalformedOnesAreDropped) {
  EnsureGuiApplication();  // any Qt application gives the event loop
  const std::string runtime = RuntimeFolder(true);
  ASSERT_FALSE(runtime.empty());
  struct stat st;
  ASSERT_EQ(::stat(runtime.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  // The socket of a copy that was killed: the file stays, nobody answers.
  {
    int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, (runtime + "open.sock").c_str(), sizeof addr.sun_path - 1);
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(stale);
  }
  std::string error;
  EXPECT_EQ(DeliverOpenRequest("/tmp/a.ftv", &error), OpenRequestResult::NoCopyRunning);

  TempDir dir;
  const std::string file = dir.File("FV 12 łódź.ftv");
  WriteBytes(file, "x");
  const std::string longest = "/" + std::string(kMaxOpenRequest - 2, 'a');  // and its NUL
  std::vector<QString> got;
  {
    OpenRequestListener listener;
    ASSERT_TRUE(listener.Listen());
    ASSERT_EQ(::stat(listener.SocketPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    OpenRequestListener another;  // a live copy keeps its socket
    EXPECT_FALSE(another.Listen());
    QObject::connect(&listener, &OpenRequestListener::OpenRequested,
                     [&](const QString& p) { got.push_back(p); });

    const std::string sock = listener.SocketPath();
    SendRaw(sock, std::string("faktura.ftv") + '\0');              // not absolute
    SendRaw(sock, "/cut/off/before/the/end.ftv");                  // no NUL: sender died
    SendRaw(sock, longest + "a" + '\0');                                     // one too long
    SendRaw(sock, std::string("/bad\xff.ftv") + '\0');            // not UTF-8
    SendRaw(sock, std::string(1, '\0'));                           // empty
    EXPECT_TRUE(SendOpenRequest("relative/f.ftv", &error)) << error;
    EXPECT_TRUE(SendOpenRequest(QString::fromStdString(longest), &error)) << error;
    EXPECT_EQ(DeliverOpenRequest(QString::fromStdString(longest + "a"), &error),
              OpenRequestResult::Failed);
    const auto cli = RunCli("open " + ShellQuote(file));
    EXPECT_EQ(cli.status, 0) << cli.err;
    EXPECT_EQ(RunCli("open " + ShellQuote(dir.File("missing.ftv"))).status, 2);
    WaitFor(got, 3);
  }
  EXPECT_THAT(got, UnorderedElementsAre(QDir::currentPath() + "/relative/f.ftv",
                                        QString::fromStdString(longest),
                                        QString::fromUtf8(file.c_str())));

  // The copy ended: its socket is gone and senders hear that no copy runs.
  EXPECT_FALSE(std::filesystem::exists(runtime + "open.sock"));
  EXPECT_EQ(DeliverOpenRequest("/tmp/a.ftv", &error), OpenRequestResult::NoCopyRunning);
  const auto cli = RunCli("open " + ShellQuote(file));
  EXPECT_EQ(cli.status, 1);
  EXPECT_THAT(cli.err, HasSubstr("Bilvox nie jest uruchomiony"));
}

}  // namespace
}  // namespace bilvox
