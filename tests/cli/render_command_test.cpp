// bilvox-cli render: a document file as a PNG preview or a PDF of its sheets, with the
// drawing trace, the settings of the store and no file at all for a page that does not fit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/binio.h"
#include "common/cp1250.h"
#include "common/dates.h"
#include "common/json.h"
#include "document/faktura.h"
#include "settings/file_store.h"
#include "settings/registry.h"
#include "support/cli_run.h"
#include "support/money_text.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::CliResult;
using testing::ReadBytes;
using testing::ShellQuote;

class RenderCommand : public ::testing::Test {
 protected:
  RenderCommand() { SaveInvoice(3); }

  void SaveInvoice(int lines) {
    TFaktura doc;
    doc.Fields().IssueDate = DayNumber(2027, 3, 5);
    doc.SetNumber("FV 3/2027");
    doc.SetSellerName("Zakład"_cp);
    for (int i = 0; i < lines; ++i)
      doc.AddLine("Usługa"_cp, "", 7, false, testing::C("100"), 1, "", "", "szt.");
    std::filesystem::remove(input);
    ASSERT_TRUE(doc.Save(input));
  }
  CliResult Run(const std::string& args) {
    return testing::RunCli("render " + ShellQuote(input) + " " + args,
                           "BILVOX_REGISTRY=" + ShellQuote(registry));
  }
  static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

  testing::TempDir dir;
  std::string input = dir.File("faktura.ftv");
  std::string registry = dir.File("registry.reg");
};

// Width and height from a PNG's header.
std::pair<uint32_t, uint32_t> PngSize(const std::string& png) {
  auto be32 = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(png.at(at + i));
    return v;
  };
  EXPECT_EQ(png.substr(1, 3), "PNG");
  return {be32(16), be32(20)};
}

int PdfPages(const std::string& path) {
  const std::string out = path + ".txt";
  if (std::system(("pdftotext -enc UTF-8 " + ShellQuote(path) + " " + ShellQuote(out)).c_str()) != 0)
    return -1;
  const std::string text = ReadBytes(out);
  int feeds = 0;
  for (char c : text) feeds += c == '\f';
  return feeds;
}

TEST_F(RenderCommand, PngIsThePreviewAtItsResolution) {
  const std::string png = dir.File("page.png");
  CliResult r = Run("-o " + ShellQuote(png));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(PngSize(ReadBytes(png)), (std::pair<uint32_t, uint32_t>{827 + 5, 1169 + 5}));
  ASSERT_EQ(Run("-o " + ShellQuote(png) + " --dpi 50").status, 0);
  EXPECT_EQ(PngSize(ReadBytes(png)), (std::pair<uint32_t, uint32_t>{413 + 5, 585 + 5}));
  EXPECT_FALSE(Exists(registry));  // the store is only read
}

TEST_F(RenderCommand, PdfHasOnePagePerSheet) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext missing";
  const std::string pdf = dir.File("page.pdf");
  ASSERT_EQ(Run("-o " + ShellQuote(pdf) + " --dpi 300").status, 0);
  EXPECT_EQ(PdfPages(pdf), 1);
  const std::string text = ReadBytes(pdf + ".txt");
  EXPECT_NE(text.find("FV 3/2027"), std::string::npos) << text;
  EXPECT_NE(text.find("trzysta sześćdziesiąt dziewięć zł zero gr"), std::string::npos) << text;
  ASSERT_EQ(Run("-o " + ShellQuote(pdf) + " --sheets both").status, 0);
  EXPECT_EQ(PdfPages(pdf), 2);
  ASSERT_EQ(Run("-o " + ShellQuote(pdf) + " --sheets selfcopy").status, 0);
  EXPECT_EQ(PdfPages(pdf), 1);
}

TEST_F(RenderCommand, TraceListsEveryDrawingCallAsJson) {
  const std::string png = dir.File("page.png"), trace = dir.File("trace.jsonl");
  ASSERT_EQ(Run("-o " + ShellQuote(png) + " --trace " + ShellQuote(trace)).status, 0);
  const std::string lines = ReadBytes(trace);
  size_t count = 0, start = 0;
  bool heading = false;
  while (start < lines.size()) {
    const size_t end = lines.find('\n', start);
    ASSERT_NE(end, std::string::npos);
    std::optional<Json> call = Json::Parse(lines.substr(start, end - start));
    ASSERT_TRUE(call) << lines.substr(start, end - start);
    if (count == 2) {  // the sheet, after its two shadow strips
      EXPECT_EQ(call->Find("kind")->AsString(), "rect");
      EXPECT_EQ(call->Find("rect")->Dump(), "[0,0,827,1169]");
    }
    if (call->Find("text") && call->Find("text")->AsString() == "Faktura  FV 3/2027") {
      heading = true;
      EXPECT_EQ(call->Find("font")->Find("size")->AsNumber(), 16);
    }
    ++count;
    start = end + 1;
  }
  EXPECT_GT(count, 100u);
  EXPECT_TRUE(heading);
}

TEST_F(RenderCommand, SettingsComeFromTheStore) {
  {
    FileSettingsStore store(registry);
    auto key = store.OpenKey(kKeySettings);
    ASSERT_TRUE(key);
    key->WriteInteger("DocTemplate", 1);
    key->WriteString("FontName", "Liberation Serif");
    key->Close();
  }
  const std::string before = ReadBytes(registry);
  const std::string png = dir.File("page.png"), trace = dir.File("trace.jsonl");
  ASSERT_EQ(Run("-o " + ShellQuote(png) + " --trace " + ShellQuote(trace)).status, 0);
  const std::string lines = ReadBytes(trace);
  // The second template's heading bar: 13 pt bold.
  EXPECT_NE(lines.find("\"text\":\"Faktura  FV 3/2027\",\"font\":{\"face\":\"Liberation Serif\","
                       "\"size\":13"),
            std::string::npos)
      << lines;
  EXPECT_EQ(ReadBytes(registry), before);
}

TEST_F(RenderCommand, AnOverfullPageFailsAndWritesNothing) {
  SaveInvoice(80);
  const std::string pdf = dir.File("page.pdf"), trace = dir.File("trace.jsonl");
  CliResult r = Run("-o " + ShellQuote(pdf) + " --trace " + ShellQuote(trace));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Zbyt dużo danych na fakturze.\n\rSpróbuj skrócić"), std::string::npos)
      << r.err;
  EXPECT_FALSE(Exists(pdf));
  EXPECT_FALSE(Exists(trace));
  EXPECT_EQ(Run("-o " + ShellQuote(dir.File("page.png"))).status, 2);
  EXPECT_FALSE(Exists(dir.File("page.png")));
}

TEST_F(RenderCommand, UsageErrors) {
  EXPECT_EQ(Run("-o " + ShellQuote(dir.File("page.jpg"))).status, 2);
  EXPECT_EQ(Run("-o " + ShellQuote(dir.File("page.png")) + " --sheets both").status, 2);
  EXPECT_EQ(Run("-o " + ShellQuote(dir.File("page.pdf")) + " --sheets all").status, 2);
  EXPECT_EQ(Run("-o " + ShellQuote(dir.File("page.png")) + " --dpi 5000").status, 2);
  EXPECT_EQ(Run("").status, 2);
  input = dir.File("missing.ftv");
  CliResult r = Run("-o " + ShellQuote(dir.File("page.png")));
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(Exists(dir.File("page.png")));
}

}  // namespace
}  // namespace bilvox
