#include <gtest/gtest.h>

#include <string>

#include "support/cli_run.h"

namespace {

// Runs `bilvox-cli nip` with arguments already quoted for the shell.
bilvox::testing::CliResult Nip(const std::string& quotedArgs) {
  return bilvox::testing::RunCli("nip " + quotedArgs);
}

TEST(NipCommand, AnswersAndExitStatus) {
  auto r = Nip("'PL 123-456-32-18'");
  EXPECT_EQ(r.out, "valid\n");
  EXPECT_EQ(r.status, 0);
  r = Nip("123456321");
  EXPECT_EQ(r.out, "invalid\n");
  EXPECT_EQ(r.status, 1);
  // Characters beyond Windows-1250 and broken UTF-8 are just invalid.
  EXPECT_EQ(Nip("'１２３４５６３２１８'").status, 1);
  EXPECT_EQ(Nip("\"$(printf '\\377\\3761234563218')\"").status, 1);
  EXPECT_EQ(Nip("'ŁÓDŹ'").out, "invalid\n");
  EXPECT_EQ(Nip("").status, 2);
  EXPECT_EQ(Nip("a b").status, 2);
}

}  // namespace
