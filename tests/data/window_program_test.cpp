// The window program as it runs: a signal that ends it while a save is in progress must not
// leave the save's temporary beside the document, so the running program has taken the
// terminating signals and ignores the file-size limit signal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdint>
#include <sstream>
#include <string>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::RunShell;
using testing::ShellQuote;
using testing::TempDir;

// The signal mask of a /proc status line ("SigCgt:\t0000000000004a02").
uint64_t Mask(const std::string& status, const std::string& field) {
  const size_t at = status.find(field + ":");
  if (at == std::string::npos) return 0;
  return std::stoull(status.substr(at + field.size() + 1), nullptr, 16);
}
bool Has(uint64_t mask, int sig) { return (mask >> (sig - 1)) & 1U; }

TEST(WindowProgram, TakesTheSignalsThatWouldLeaveASaveBehind) {
  if (!BILVOX_HAS_WINDOW_PROGRAM) GTEST_SKIP() << "the window program is not built";
  TempDir dir;
  const std::string run = dir.File("run");
  ASSERT_EQ(::mkdir(run.c_str(), 0700), 0);
  // Started on its own private folders; once its open-request socket is there it is past
  // its start-up, and its signal dispositions are read before it is ended.
  const std::string script =
      "env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=" + ShellQuote(run) +
      " BILVOX_REGISTRY=" + ShellQuote(dir.File("registry.reg")) +
      " BILVOX_DATA_DIR=" + ShellQuote(dir.path()) + " " +
      ShellQuote(std::string(BILVOX_BUILD_DIR) + "/src/app/bilvox") +
      " >/dev/null 2>&1 & pid=$!\n"
      "for i in $(seq 600); do [ -S " + ShellQuote(run + "/bilvox/open.sock") +
      " ] && break; sleep 0.05; done\n"
      "[ -S " + ShellQuote(run + "/bilvox/open.sock") + " ] || echo 'not started'\n"
      "grep -E '^Sig(Cgt|Ign):' /proc/$pid/status\n"
      "kill -TERM $pid; wait $pid 2>/dev/null; echo \"status $?\"\n";
  const auto result = RunShell(script);
  ASSERT_EQ(result.status, 0) << result.out;
  // (A slow machine gets half a minute for the start; the test itself takes a fraction.)
  ASSERT_EQ(result.out.find("not started"), std::string::npos) << result.out;
  const uint64_t caught = Mask(result.out, "SigCgt"), ignored = Mask(result.out, "SigIgn");
  // (A shell's background job starts with SIGINT and SIGQUIT ignored, which stay so.)
  for (int sig : {SIGTERM, SIGHUP, SIGUSR1})
    EXPECT_TRUE(Has(caught, sig)) << "signal " << sig << "\n" << result.out;
  EXPECT_TRUE(Has(ignored, SIGXFSZ)) << result.out;
  // And the signal still ends the program as it would have.
  EXPECT_NE(result.out.find("status 143"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace bilvox
