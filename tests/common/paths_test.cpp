// Where the data files go: the folder given in the environment, the program's own folder
// when it may be written, else the user's data folder of the desktop.
#include "common/paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <optional>

#include "common/files.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::TempDir;

// Sets or clears a variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

mode_t Mode(const std::string& path) {
  struct stat st{};
  ::stat(path.c_str(), &st);
  return st.st_mode & 0777;
}

TEST(DataFolder, EnvironmentThenProgramFolderThenUserDataFolder) {
  TempDir dir;
  const std::string program = ProgramFolder();
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(program.back(), '/');
  EXPECT_TRUE(FileExists(program + "bilvox_tests"));

  {
    ScopedEnv data("BILVOX_DATA_DIR", (dir.path() + "/given").c_str());
    EXPECT_EQ(DataFolder(), dir.path() + "/given/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/given"));
  }

  ScopedEnv data("BILVOX_DATA_DIR", nullptr);
  EXPECT_EQ(DataFolder(), program);  // the build folder may be written

  // A program folder nobody may write (an installed program).
  const std::string installed = dir.path() + "/usr/bin/";  // does not exist: not writable
  {
    ScopedEnv xdg("XDG_DATA_HOME", (dir.path() + "/xdg").c_str());
    EXPECT_EQ(DataFolderFor(installed), dir.path() + "/xdg/bilvox/");
    EXPECT_EQ(Mode(dir.path() + "/xdg/bilvox"), 0700u);
  }
  {
    ScopedEnv xdg("XDG_DATA_HOME", "relative/data");  // only absolute paths count
    ScopedEnv home("HOME", (dir.path() + "/home").c_str());
    EXPECT_EQ(DataFolderFor(installed), dir.path() + "/home/.local/share/bilvox/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/home/.local/share/bilvox"));
  }
}

}  // namespace
}  // namespace bilvox
