// Saving and reading when the world is hostile: signals in the middle of a save, file-size
// limits, files too large to read, names taken by someone else meanwhile, links.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/files.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> Names(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

template <class Fn>
std::string ErrorOf(Fn fn) {
  try {
    fn();
  } catch (const Error& e) {
    return e.Message();
  }
  return {};
}

// The child processes of these tests are forked ("fast" death tests) so that they save
// into the folder this process looks at afterwards.
class KilledSave : public ::testing::TestWithParam<bool> {
 protected:
  TempDir dir;
  std::string path = dir.File("faktura.ftv");
};

// In a child process: a save that ends by the signal once its new content is complete.
void SaveKilledBy(const std::string& path, bool named, int sig) {
  PreferNamedTemporaries(named);
  InstallSaveSignalHandlers();
  ReplaceFile(path, "new", [sig](int) { ::raise(sig); });
  ::_exit(0);
}

// In a child process: a save beyond the file-size limit; exits with 7 when it failed with
// the right message.
void SaveBeyondTheSizeLimit(const std::string& path, bool named) {
  PreferNamedTemporaries(named);
  InstallSaveSignalHandlers();
  rlimit small{1000, 1000};
  ::setrlimit(RLIMIT_FSIZE, &small);
  const std::string error = ErrorOf([&] { ReplaceFile(path, std::string(5000, 'x')); });
  ::_exit(error == FileTooLargeText() ? 7 : 1);
}

// A save ended by a signal, or cut short by the file-size limit, leaves the old file as it
// was and nothing beside it: with an unnamed temporary and with a named one (file systems
// without unnamed files).
TEST_P(KilledSave, LeavesNothingBehind) {
  const bool named = GetParam();
  WriteBytes(path, "old");
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
    EXPECT_EXIT(SaveKilledBy(path, named, sig), ::testing::KilledBySignal(sig), "");
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"faktura.ftv"}) << sig;
  }
  // Beyond the limit the write fails and says so; the program goes on.
  EXPECT_EXIT(SaveBeyondTheSizeLimit(path, named), ::testing::ExitedWithCode(7), "");
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(Names(dir), std::vector<std::string>{"faktura.ftv"});
}

INSTANTIATE_TEST_SUITE_P(Temporaries, KilledSave, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Named" : "Unnamed"; });

TEST(SafeSave, NewFilesAreNeverReplacedAndLinksAndReadOnlyFilesAreRespected) {
  TempDir dir;
  for (bool named : {false, true}) {
    PreferNamedTemporaries(named);
    const std::string path = dir.File(named ? "n.ftv" : "u.ftv");
    EXPECT_TRUE(CreateNewFile(path, "first"));
    EXPECT_FALSE(CreateNewFile(path, "second"));
    EXPECT_EQ(ReadBytes(path), "first");
    EXPECT_FALSE(CreateNewFile(dir.path(), "x"));  // a folder has the name
  }
  PreferNamedTemporaries(false);

  // A dangling link is written through: the file it names appears, the link stays.
  ASSERT_EQ(::symlink("target.reg", dir.File("link.reg").c_str()), 0);
  ReplaceFile(dir.File("link.reg"), "through");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.reg")));
  EXPECT_EQ(ReadBytes(dir.File("target.reg")), "through");

  // Neither a read-only file (whoever runs) nor a FIFO is replaced.
  const std::string readOnly = dir.File("ro.ftv");
  WriteBytes(readOnly, "kept");
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_EQ(ErrorOf([&] { ReplaceFile(readOnly, "x"); }), ReadOnlyFileText());
  EXPECT_EQ(ReadBytes(readOnly), "kept");
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_EQ(ErrorOf([&] { ReplaceFile(dir.File("fifo"), "x"); }), NotRegularFileText());
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"fifo", "link.reg", "n.ftv", "ro.ftv",
                                                  "target.reg", "u.ftv"}));
}

TEST(SafeRead, FilesAndStreamsBeyondTheirLimitAreRefusedBeforeReading) {
  TempDir dir;
  // A sparse file of a terabyte costs nothing to make and would take hours to read.
  const std::string huge = dir.File("huge.ftv");
  const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, off_t{1} << 40), 0);
  ::close(fd);
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(huge, kMaxDocumentFileSize); }), FileTooLargeText());

  const int zero = ::open("/dev/zero", O_RDONLY);
  ASSERT_GE(zero, 0);
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(zero, kMiB); }), FileTooLargeText());
  ::close(zero);
}

}  // namespace
}  // namespace bilvox
