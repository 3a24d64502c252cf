#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

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

TEST(NumberCommand, RunsAtTheSameTimeGetDistinctConsecutiveNumbers) {
  TempDir dir;
  const std::string reg = dir.File("registry.reg");
  // 24 runs, 8 at a time, against one store.
  const std::string command = "seq 24 | BILVOX_REGISTRY=" + testing::ShellQuote(reg) +
                              " xargs -P 8 -I{} " + testing::ShellQuote(BILVOX_CLI_PATH) +
                              " number 0 --advance 2>&1";
  FILE* p = popen(command.c_str(), "r");
  ASSERT_TRUE(p);
  std::string out;
  char buf[4096];
  while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  ASSERT_EQ(pclose(p), 0) << out;
  std::vector<std::string> numbers, expected;
  for (size_t at = 0, nl; (nl = out.find('\n', at)) != std::string::npos; at = nl + 1)
    numbers.push_back(out.substr(at, nl - at));
  for (int i = 1; i <= 24; ++i) expected.push_back("F" + std::to_string(i) + "/03/27");
  std::sort(numbers.begin(), numbers.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(numbers, expected);
  EXPECT_EQ(NumberCommand(reg, "0").output, "F25/03/27\n");
}

TEST(NumberCommand, AnAdvanceThatCannotBeStoredPrintsNoNumber) {
  TempDir dir;
  const std::string reg = dir.File("registry.reg");
  WriteBytes(reg, "Windows Registry Editor Version 5.00\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia\\Numerowanie]\n"
                  "\"FaktNumber\"=dword:7fffffff\n\"RachNumber\"=dword:00000005\n");
  const std::string env = "BILVOX_REGISTRY=" + testing::ShellQuote(reg);
  testing::CliResult atLimit = testing::RunCli("number 0 --advance", env);
  EXPECT_EQ(atLimit.status, 2);
  EXPECT_EQ(atLimit.out, "");
  EXPECT_NE(atLimit.err.find("Licznik numeracji"), std::string::npos) << atLimit.err;

  chmod(reg.c_str(), 0444);
  testing::CliResult readOnly = testing::RunCli("number bill --advance", env);
  EXPECT_EQ(readOnly.status, 2);
  EXPECT_EQ(readOnly.out, "");
  EXPECT_NE(readOnly.err.find(reg), std::string::npos) << readOnly.err;
  EXPECT_NE(readOnly.err.find("tylko do odczytu"), std::string::npos) << readOnly.err;
  EXPECT_EQ(testing::RunCli("number bill", env).out, "R5/03/27\n");
}

}  // namespace
}  // namespace bilvox
