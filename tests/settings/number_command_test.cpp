#include <gtest/gtest.h>

#include <string>

#include "support/cli_run.h"
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
  testing::CliResult r =
      testing::RunCli("number " + args, "BILVOX_REGISTRY=" + testing::ShellQuote(registry));
  return {r.status, r.out + r.err};
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
