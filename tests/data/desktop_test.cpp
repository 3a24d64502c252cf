// The program as a desktop application: its desktop entry passes the freedesktop validator,
// names the document type the MIME file defines, and `cmake --install` puts every file where
// the desktop and the program itself look for it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <tuple>
#include <utility>

#include "common/files.h"
#include "help.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::RunShell;
using testing::ShellQuote;
using testing::TempDir;

std::string Source(const std::string& path) { return std::string(BILVOX_SOURCE_DIR) + "/" + path; }

// The text after the first `lead`, up to (not including) the next of the `end` characters.
std::string After(const std::string& text, const std::string& lead, const char* end) {
  const size_t at = text.find(lead);
  if (at == std::string::npos) return {};
  const size_t from = at + lead.size();
  return text.substr(from, text.find_first_of(end, from) - from);
}

TEST(Desktop, EntryIsValidAndOpensTheDocumentType) {
  const auto v = RunShell("desktop-file-validate " + ShellQuote(Source("data/bilvox.desktop")));
  EXPECT_EQ(v.status, 0) << v.out;
  EXPECT_EQ(v.out, "");

  const std::string entry = ReadWholeFile(Source("data/bilvox.desktop"));
  const std::string mime = ReadWholeFile(Source("data/bilvox-mime.xml"));
  const std::string type = After(mime, "<mime-type type=\"", "\"");
  ASSERT_FALSE(type.empty());
  EXPECT_EQ(After(entry, "\nMimeType=", ";\n"), type);
  EXPECT_EQ(After(mime, "<glob pattern=\"", "\""), "*.ftv");
  // One file, the first argument, through the launcher that hands it to a running copy.
  EXPECT_EQ(After(entry, "\nExec=", "\n"), "bilvox-open %f");
}

// The launcher the desktop entry runs, beside stand-ins for the two programs that record how
// they were called; `bilvox-cli open` answers with CLI_STATUS (1: no copy runs) until the
// file `listening` appears.
TEST(Desktop, LauncherHandsTheFileToTheRunningCopyOrStartsBilvox) {
  TempDir dir;
  const std::string bin = dir.File("bin"), run = dir.File("run"), log = dir.File("log");
  const auto setup = RunShell("mkdir -p " + ShellQuote(bin) + " " + ShellQuote(run + "/bilvox") +
                              " && chmod 700 " + ShellQuote(run) + " && cp " +
                              ShellQuote(Source("data/bilvox-open")) + " " + ShellQuote(bin));
  ASSERT_EQ(setup.status, 0) << setup.out;
  const auto program = [&](const std::string& name, const std::string& body) {
    std::ofstream(bin + "/" + name) << "#!/bin/sh\n" << body;
    ::chmod((bin + "/" + name).c_str(), 0755);
  };
  program("bilvox-cli", R"(echo "cli $*" >>"$LOG"
[ -e "$LISTENING" ] && exit 0
echo "$CLI_ERR" >&2; exit "$CLI_STATUS"
)");
  program("bilvox", R"(echo "app $*" >>"$LOG"
)");
  const auto launch = [&](const std::string& env, const std::string& args) {
    std::remove(log.c_str());
    const auto r = RunShell("env XDG_RUNTIME_DIR=" + ShellQuote(run) + " LOG=" + ShellQuote(log) +
                            " LISTENING=" + ShellQuote(dir.File("listening")) + " " + env + " " +
                            ShellQuote(bin + "/bilvox-open") + " " + args);
    EXPECT_EQ(r.status, 0) << r.out;
    return std::make_pair(FileExists(log) ? ReadWholeFile(log) : std::string(), r.out);
  };
  // A copy runs: it gets the file, nothing else starts.
  EXPECT_EQ(launch("CLI_STATUS=0", "/d/f.ftv").first, "cli open /d/f.ftv\n");
  // None runs: Bilvox starts on the file, and the "not running" answer is not shown.
  auto [calls, out] = launch("CLI_STATUS=1 CLI_ERR=not-running", "/d/f.ftv");
  EXPECT_EQ(calls, "cli open /d/f.ftv\napp /d/f.ftv\n");
  EXPECT_EQ(out, "");
  // Without a file Bilvox simply starts.
  EXPECT_EQ(launch("CLI_STATUS=1", "").first, "app \n");
  // A copy that holds its lock but does not listen yet is still starting: the launcher waits
  // for it instead of starting a second copy, which would end at once and drop the file.
  std::tie(calls, out) = launch(
      "CLI_STATUS=1", "/d/f.ftv & flock " + ShellQuote(run + "/bilvox/lock") +
                          " sh -c 'sleep 0.4; touch " + ShellQuote(dir.File("listening")) +
                          "; sleep 0.2' & wait");
  EXPECT_EQ(calls.find("app"), std::string::npos) << calls;
  EXPECT_NE(calls.find("cli open /d/f.ftv\ncli open /d/f.ftv\n"), std::string::npos) << calls;
}

TEST(Desktop, InstallPutsEveryFileInPlace) {
  TempDir prefix;
  const auto install = RunShell(ShellQuote(BILVOX_CMAKE) + " --install " +
                                ShellQuote(BILVOX_BUILD_DIR) + " --prefix " +
                                ShellQuote(prefix.path()));
  ASSERT_EQ(install.status, 0) << install.out;
  const std::string p = prefix.path() + "/";
  std::vector<std::string> files = {
      "bin/bilvox-cli",
      "share/applications/bilvox.desktop",
      "share/icons/hicolor/scalable/apps/bilvox.svg",
      "share/icons/hicolor/256x256/apps/bilvox.png",
      "share/icons/hicolor/48x48/apps/bilvox.png",
      "share/mime/packages/bilvox.xml",
      "share/bilvox/help/bilvox.html",
      "share/doc/bilvox/examples/faktura-pln.ftv",
      // The caches a file manager reads, so that *.ftv opens in Bilvox.
      "share/mime/application/x-bilvox-ftv.xml",
      "share/applications/mimeinfo.cache",
  };
  if (BILVOX_HAS_WINDOW_PROGRAM) {
    files.push_back("bin/bilvox");
    files.push_back("bin/bilvox-open");
  }
  for (const auto& f : files) EXPECT_TRUE(FileExists(p + f)) << f;
  EXPECT_THAT(ReadWholeFile(p + "share/applications/mimeinfo.cache"),
              ::testing::HasSubstr("application/x-bilvox-ftv=bilvox.desktop;"));

  // The installed programs run, and find their manual from their own folder.
  EXPECT_EQ(RunShell(ShellQuote(p + "bin/bilvox-cli") + " version").status, 0);
  EXPECT_EQ(HelpFiles(p + "bin/"),
            std::vector<std::string>{p + "bin/../share/bilvox/help/bilvox.html"});
}

}  // namespace
}  // namespace bilvox
