// The help command: bilvox.chm when the program folder has one, else the manual, and never
// a message-less failure.
#include "help.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/cp1250.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::TempDir;
using testing::WriteBytes;

TEST(Help, HelpFileFirstThenTheManualBesideOrInstalled) {
  TempDir dir;
  const std::string bin = dir.path() + "/bin/";
  std::filesystem::create_directories(bin + "help");
  std::filesystem::create_directories(dir.path() + "/share/bilvox/help");
  std::vector<QString> opened;
  bool chmViewer = true;
  SetUrlOpener([&](const QUrl& url) {
    opened.push_back(url.toLocalFile());
    return chmViewer || !url.toLocalFile().endsWith(".chm");
  });
  auto q = [](const std::string& s) { return QString::fromStdString(s); };
  std::string error;

  EXPECT_FALSE(OpenHelpFor(bin, &error));
  EXPECT_EQ(error, "Nie odnaleziono pliku pomocy programu."_cp);
  EXPECT_TRUE(opened.empty());

  const std::string installed = bin + "../share/bilvox/help/bilvox.html";
  WriteBytes(installed, "<html>");
  EXPECT_TRUE(OpenHelpFor(bin, &error));
  WriteBytes(bin + "help/bilvox.html", "<html>");
  EXPECT_TRUE(OpenHelpFor(bin, &error));
  WriteBytes(bin + "bilvox.chm", "ITSF");
  EXPECT_TRUE(OpenHelpFor(bin, &error));
  EXPECT_EQ(opened, (std::vector<QString>{q(installed), q(bin + "help/bilvox.html"),
                                          q(bin + "bilvox.chm")}));

  // No viewer for the help file: the manual opens instead.
  opened.clear();
  chmViewer = false;
  EXPECT_TRUE(OpenHelpFor(bin, &error));
  EXPECT_EQ(opened, (std::vector<QString>{q(bin + "bilvox.chm"), q(bin + "help/bilvox.html")}));
  SetUrlOpener({});
}

}  // namespace
}  // namespace bilvox
