// bilvox-cli against a hostile world: special files named as input, file names that are no
// UTF-8, two runs writing the same new file, outputs that cannot be written.
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "common/binio.h"
#include "common/cp1250.h"
#include "common/json.h"
#include "document/faktura.h"
#include "printout/printer_setup.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::CliResult;
using testing::ReadBytes;
using testing::ShellQuote;
using testing::TempDir;
using testing::WriteBytes;

// Output that any JSON reader takes: valid UTF-8 that parses.
void ExpectValidJson(const CliResult& r, const std::string& what) {
  EXPECT_EQ(r.status, 0) << what << ": " << r.err;
  EXPECT_TRUE(DecodeUtf8(r.out).has_value()) << what;
  EXPECT_TRUE(Json::Parse(r.out).has_value()) << what << ": " << r.out;
}

TEST(HostileInput, SpecialFilesAreRefusedWithinASecond) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& special : {fifo, std::string("/dev/zero")}) {
    const std::string name = ShellQuote(special);
    for (const std::string& command :
         {"show " + name, "register show " + name, "lists show " + name,
          "printer show " + name, "import " + name + " -o " + ShellQuote(dir.File("out.ftv")),
          "render " + name + " -o " + ShellQuote(dir.File("out.png")),
          std::string("number 0 --advance")}) {
      // The store is the special file for "number"; a reader that waits or reads forever is
      // stopped after a few seconds (and the test fails).
      const auto start = std::chrono::steady_clock::now();
      CliResult r = testing::RunCli(command, "BILVOX_REGISTRY=" + name + " timeout 5");
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      EXPECT_EQ(r.status, 2) << command;
      EXPECT_EQ(r.out, "") << command;
      EXPECT_NE(r.err.find("nie jest zwykłym plikiem"), std::string::npos) << command << r.err;
      EXPECT_LT(seconds, 1.0) << command;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.ftv")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.png")));
}

TEST(HostileInput, NamesThatAreNoUtf8AndLargeWholeNumbersGiveValidJson) {
  TempDir dir;
  const std::string odd = "\xB1\xEA\xFF";  // Windows-1250 "ąę" and a byte no text has
  const std::string doc = dir.File(odd + ".ftv");
  WriteBytes(dir.File("in.json"), R"({"Lines": [{"Name": "Śruba", "Quantity": 100000}]})");
  ASSERT_EQ(testing::RunCli("import " + ShellQuote(dir.File("in.json")) + " -o " + ShellQuote(doc)).status, 0);
  const CliResult shown = testing::RunCli("show " + ShellQuote(doc));
  ExpectValidJson(shown, "show");
  EXPECT_NE(shown.out.find("\"Quantity\": 100000,"), std::string::npos) << shown.out;

  const std::string contractors = dir.File(odd + ".db");
  WriteBytes(contractors, "");  // a new, empty register
  ExpectValidJson(testing::RunCli("register show " + ShellQuote(contractors)), "register");

  const std::string lists = dir.File(odd + ".dt");
  ByteWriter l;
  l.U16(1);
  l.I32(0);
  WriteBytes(lists, l.Data());
  ExpectValidJson(testing::RunCli("lists show " + ShellQuote(lists)), "lists");

  const std::string printer = dir.File(odd + ".cfg");
  WriteBytes(printer, SerializePrinterSetup({"HP", "hpcups", "", EncodePrinterBlock({})}));
  ExpectValidJson(testing::RunCli("printer show " + ShellQuote(printer)), "printer");
}

TEST(HostileInput, ImportsAtTheSameTimeNeverReplaceEachOther) {
  TempDir dir;
  WriteBytes(dir.File("in.json"), R"({"Number": "F/1"})");
  const std::string out = dir.File("out.ftv");
  // Eight runs at once writing one new file: only one may succeed.
  for (int round = 0; round < 3; ++round) {
    std::filesystem::remove(out);
    const std::string command = "for i in 1 2 3 4 5 6 7 8; do " + ShellQuote(BILVOX_CLI_PATH) +
                                " import " + ShellQuote(dir.File("in.json")) + " -o " +
                                ShellQuote(out) + " 2>/dev/null && echo ok & done; wait";
    FILE* p = popen(command.c_str(), "r");
    ASSERT_TRUE(p);
    std::string printed;
    char buf[256];
    while (size_t n = fread(buf, 1, sizeof buf, p)) printed.append(buf, n);
    pclose(p);
    EXPECT_EQ(printed, "ok\n") << round;
  }

  // "-" is standard output, as it is standard input: no file of that name appears.
  const CliResult toStdout = testing::RunCli("import - -o - < " + ShellQuote(dir.File("in.json")));
  EXPECT_EQ(toStdout.status, 0) << toStdout.err;
  EXPECT_EQ(toStdout.out, ReadBytes(out));
  EXPECT_FALSE(std::filesystem::exists("-"));
}

TEST(HostileInput, AFailedRenderWritesNoFile) {
  TempDir dir;
  const std::string doc = dir.File("f.ftv");
  ASSERT_TRUE(TFaktura().Save(doc));
  const std::string png = dir.File("page.png");
  CliResult r = testing::RunCli("render " + ShellQuote(doc) + " -o " + ShellQuote(png) +
                                " --trace " + ShellQuote(dir.File("missing/trace.jsonl")));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing/trace.jsonl"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(png));
  EXPECT_EQ(testing::RunCli("render " + ShellQuote(doc) + " -o -").status, 2);
}

}  // namespace
}  // namespace bilvox
