#include <gtest/gtest.h>

#include <string>

#include "support/cli_run.h"

namespace {

struct CliRun {
  int status = -1;
  std::string out;  // standard output and standard error together
};

CliRun Cli(const std::string& args) {
  bilvox::testing::CliResult r = bilvox::testing::RunCli("words " + args);
  return {r.status, r.out + r.err};
}

TEST(WordsCommand, PrintsTheAmountInWords) {
  CliRun r = Cli("234567.89");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "dwieście trzydzieści cztery tysiące pięćset sześćdziesiąt siedem zł osiemdziesiąt "
            "dziewięć gr\n");
  EXPECT_EQ(Cli("-12.34").out, "minus dwanaście zł trzydzieści cztery gr\n");
  EXPECT_EQ(Cli("12.05 --currency EUR").out, "dwanaście € 5/100\n");
  EXPECT_EQ(Cli("--language 2 --currency ' usd ' 21").out, "ein und zwanzig $ 0/100\n");
  EXPECT_EQ(Cli("1 --currency XAUXAG").out, "jeden XAUXAG 0/100\n");
}

TEST(WordsCommand, BadInputIsReportedNotCrashedOn) {
  for (const char* args : {"12,50", "abc", "1.23456", "99999999999999999", "''", "1 --language 5",
                           "1 --language -1", "1 --language x", "1 --currency ''",
                           "1 --currency", "", "1 2", "1 --fast"}) {
    CliRun r = Cli(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_FALSE(r.out.empty()) << args;
  }
  EXPECT_NE(Cli("12,50").out.find("not an amount"), std::string::npos);
  EXPECT_NE(Cli("1 --language 5").out.find("0 to 4"), std::string::npos);
}

}  // namespace
