#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct CliResult {
  int status;
  std::string out;
};

// Runs `bilvox-cli nip` with arguments already quoted for the shell.
CliResult Nip(const std::string& quotedArgs) {
  const std::string command = std::string(BILVOX_CLI_PATH) + " nip " + quotedArgs + " 2>/dev/null";
  CliResult r{-1, ""};
  FILE* p = popen(command.c_str(), "r");
  if (!p) return r;
  char buf[256];
  while (size_t n = fread(buf, 1, sizeof buf, p)) r.out.append(buf, n);
  const int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

TEST(NipCommand, AnswersAndExitStatus) {
  CliResult r = Nip("'PL 123-456-32-18'");
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
