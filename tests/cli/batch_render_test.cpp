// bilvox-cli render of many documents into a folder: every good page is written past a bad
// document, the list may come from standard input, and no output is ever written twice or
// over a document; PNG compression for speed or for the smallest file.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "common/cp1250.h"
#include "document/faktura.h"
#include "support/cli_run.h"
#include "support/money_text.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::CliResult;
using testing::ReadBytes;
using testing::ShellQuote;
using testing::WriteBytes;

class BatchRender : public ::testing::Test {
 protected:
  // A one-line invoice numbered after its file.
  std::string Invoice(const std::string& name) {
    const std::string path = dir.File(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    TFaktura doc;
    doc.SetNumber("FV " + name);
    doc.AddLine("Usługa"_cp, "", 7, false, testing::C("100"), 1, "", "", "szt.");
    EXPECT_TRUE(doc.Save(path));
    return path;
  }
  CliResult Run(const std::string& args, const std::string& before = "") {
    return testing::RunCli("render " + args, before + " BILVOX_REGISTRY=" + ShellQuote(registry));
  }
  static bool IsPdf(const std::string& path) {
    return std::filesystem::exists(path) && ReadBytes(path).rfind("%PDF-", 0) == 0;
  }

  testing::TempDir dir;
  std::string registry = dir.File("registry.reg");
  std::string out = dir.File("out");
};

TEST_F(BatchRender, ABadDocumentInTheMiddleStopsNoOther) {
  const std::string first = Invoice("a/FV_1.ftv"), last = Invoice("a/FV_3.ftv");
  const std::string bad = dir.File("a/FV_2.ftv");
  WriteBytes(bad, "no document");
  CliResult r = Run(ShellQuote(first) + " " + ShellQuote(bad) + " " + ShellQuote(last) +
                    " --outdir " + ShellQuote(out));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(IsPdf(out + "/FV_1.pdf"));
  EXPECT_TRUE(IsPdf(out + "/FV_3.pdf"));
  EXPECT_FALSE(std::filesystem::exists(out + "/FV_2.pdf"));
  EXPECT_NE(r.err.find(bad + ": Wystąpił błąd podczas odczytywania pliku"), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("1 of 3 documents were not rendered"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(registry));  // the store is only read

  // A page that cannot be saved (a folder has its name) is named too.
  std::filesystem::create_directories(dir.File("out3/FV_1.pdf"));
  r = Run(ShellQuote(first) + " " + ShellQuote(last) + " --outdir " + ShellQuote(dir.File("out3")));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(first + ": Wystąpił błąd podczas zapisywania pliku"), std::string::npos)
      << r.err;
  EXPECT_TRUE(IsPdf(dir.File("out3/FV_3.pdf")));

  // An overfull page is named as well; the good ones are still written.
  TFaktura full;
  for (int i = 0; i < 80; ++i) full.AddLine("Usługa"_cp, "", 7, false, testing::C("1"), 1, "", "", "szt.");
  ASSERT_TRUE(full.Save(dir.File("a/full.ftv")));
  r = Run(ShellQuote(dir.File("a/full.ftv")) + " " + ShellQuote(first) + " --outdir " +
          ShellQuote(dir.File("out2")));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(dir.File("a/full.ftv") + ": Zbyt dużo danych"), std::string::npos) << r.err;
  EXPECT_TRUE(IsPdf(dir.File("out2/FV_1.pdf")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("out2/full.pdf")));
}

TEST_F(BatchRender, PathsFromStandardInput) {
  const std::string one = Invoice("one.ftv"), two = Invoice("sub/two.ftv");
  WriteBytes(dir.File("list"), one + "\r\n\n" + two + "\n");
  CliResult r = Run("- --outdir " + ShellQuote(out) + " --format png --dpi 20",
                    "<" + ShellQuote(dir.File("list")));
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* name : {"/one.png", "/two.png"}) {
    QImage png;
    ASSERT_TRUE(png.load(QString::fromStdString(out + name))) << name;
    EXPECT_EQ(png.width(), 165 + 5);
  }
  // Nothing on standard input: nothing to do.
  EXPECT_EQ(Run("- --outdir " + ShellQuote(out), "</dev/null").status, 0);
}

TEST_F(BatchRender, OutputsAreNeverWrittenTwiceNorOverADocument) {
  const std::string a = Invoice("a/FV.ftv"), b = Invoice("b/fv.ftv");
  // Two documents whose pages would share a name (letter case aside): nothing is rendered.
  CliResult r = Run(ShellQuote(a) + " " + ShellQuote(b) + " --outdir " + ShellQuote(out));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("would both be written to"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(out));

  // A page that would replace one of the documents.
  const std::string doc = dir.File("a/FV.png");
  std::filesystem::copy_file(a, doc);
  r = Run(ShellQuote(doc) + " --outdir " + ShellQuote(dir.File("a")) + " --format png");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(ReadBytes(doc), ReadBytes(a));

  // The batch's own options.
  EXPECT_EQ(Run(ShellQuote(a) + " --outdir " + ShellQuote(out) + " --trace t.jsonl").status, 2);
  EXPECT_EQ(Run(ShellQuote(a) + " --outdir " + ShellQuote(out) + " --format jpg").status, 2);
  EXPECT_EQ(Run(ShellQuote(a) + " " + ShellQuote(b) + " -o x.pdf").status, 2);
  EXPECT_EQ(Run("- - --outdir " + ShellQuote(out), "</dev/null").status, 2);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(BatchRender, SmallestPngIsTheSamePictureAndNoLarger) {
  const std::string doc = Invoice("FV.ftv");
  const std::string fast = dir.File("fast.png"), small = dir.File("small.png");
  ASSERT_EQ(Run(ShellQuote(doc) + " -o " + ShellQuote(fast) + " --dpi 50").status, 0);
  ASSERT_EQ(Run(ShellQuote(doc) + " -o " + ShellQuote(small) + " --dpi 50 --smallest").status, 0);
  EXPECT_LE(std::filesystem::file_size(small), std::filesystem::file_size(fast));
  QImage a, b;
  ASSERT_TRUE(a.load(QString::fromStdString(fast)));
  ASSERT_TRUE(b.load(QString::fromStdString(small)));
  EXPECT_EQ(a.convertToFormat(QImage::Format_RGB32), b.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(Run(ShellQuote(doc) + " -o " + ShellQuote(dir.File("x.pdf")) + " --smallest").status, 2);
}

}  // namespace
}  // namespace bilvox
