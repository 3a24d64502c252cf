#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <string>

#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct CliRun {
  int status;
  std::string output;  // standard output and standard error together
};

CliRun NumberCommand(const std::string& registry, const std::string& args) {
  std::string cmd = "BILVOX_REGISTRY='" + registry + "' '" BILVOX_CLI_PATH "' number " + args + " 2>&1";
  CliRun r{-1, {}};
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[512];
  while (size_t n = fread(buf, 1, sizeof buf, p)) r.output.append(buf, n);
  int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

TEST(NumberCommand, PrintsAndAdvancesTheStoredCounter) {
  TempDir dir;
  std::string reg = dir.File("cfg/registry.reg");
  EXPECT_EQ(NumberCommand(reg, "invoice").output, "F1/03/27\n");
  CliRun advanced = NumberCommand(reg, "1 --advance");
  EXPECT_EQ(advanced.status, 0);
  EXPECT_EQ(advanced.output, "R1/03/27\n");
  EXPECT_EQ(NumberCommand(reg, "bill").output, "R2/03/27\n");
  EXPECT_EQ(NumberCommand(reg, "correction").output, "K1/03/27\n");

  CliRun unknown = NumberCommand(reg, "receipt");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.output.find("unknown document kind"), std::string::npos);
}

TEST(NumberCommand, ADamagedStoreFailsAndStaysUntouched) {
  TempDir dir;
  std::string reg = dir.File("registry.reg");
  const std::string damaged = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\X\n";
  WriteBytes(reg, damaged);
  CliRun r = NumberCommand(reg, "0 --advance");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("Wiersz 3"), std::string::npos) << r.output;
  EXPECT_EQ(ReadBytes(reg), damaged);
}

}  // namespace
}  // namespace bilvox
