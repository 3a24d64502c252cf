// The program as a desktop application: its desktop entry passes the freedesktop validator,
// names the document type the MIME file defines, and `cmake --install` puts every file where
// the desktop and the program itself look for it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
  EXPECT_EQ(After(entry, "\nExec=", "\n"), "bilvox %f");  // one file, the first argument
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
  if (BILVOX_HAS_WINDOW_PROGRAM) files.push_back("bin/bilvox");
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
