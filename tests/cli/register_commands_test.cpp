// The show commands of bilvox-cli for registers, lists and the printer file, and the import
// of a register from JSON.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/binio.h"
#include "common/files.h"
#include "common/json.h"
#include "printout/printer_setup.h"
#include "registers/contractors.h"
#include "registers/register_builders.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

testing::CliResult Cli(const std::string& args) { return testing::RunCli(args); }

TEST(RegisterCommands, ShowReadsOldFilesWithoutTouchingThem) {
  TempDir dir;
  const std::string path = dir.File("kontrahenci.db");
  ByteWriter w = testing::Header(2, 2);
  testing::PutContractor(w, 2, {.oldA = "A", .name = "Zakład", .discountRaw = 150000});
  testing::PutContractor(w, 2, {.name = "Apteka", .nip = "1-2"});
  const std::string bytes = w.Data() + "tail";
  WriteBytes(path, bytes);

  auto r = Cli("register show '" + path + "'");
  ASSERT_EQ(r.status, 0);
  auto json = Json::Parse(r.out);
  ASSERT_TRUE(json) << r.out;
  EXPECT_EQ(json->Find("version")->AsNumber(), 2);
  const Json::Array& recs = json->Find("records")->AsArray();
  ASSERT_EQ(recs.size(), 2u);
  EXPECT_EQ(recs[0].Find("name")->AsString(), "Apteka");  // register order
  EXPECT_EQ(recs[1].Find("discountPercent")->AsString(), "15.0000");
  EXPECT_EQ(ReadBytes(path), bytes);

  // A missing file is an error and is not created.
  EXPECT_EQ(Cli("register show '" + dir.File("towary.db") + "'").status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("towary.db")));
}

std::string Example(const std::string& name) {
  return std::string(BILVOX_SOURCE_DIR) + "/examples/registers/" + name;
}

// The example registers the screenshots start from: import writes them in register order
// with every field, and import of what show printed writes the same file again.
TEST(RegisterCommands, ImportWritesWhatShowReadsBack) {
  TempDir dir;
  const std::string contractors = dir.File("kontrahenci.db");
  ASSERT_EQ(Cli("register import '" + Example("kontrahenci.json") + "' -o '" + contractors + "'")
                .status,
            0);
  auto shown = Cli("register show '" + contractors + "'");
  ASSERT_EQ(shown.status, 0) << shown.err;
  auto json = Json::Parse(shown.out);
  ASSERT_TRUE(json) << shown.out;
  EXPECT_EQ(json->Find("version")->AsNumber(), 4);
  const Json::Array& recs = json->Find("records")->AsArray();
  ASSERT_EQ(recs.size(), 5u);
  EXPECT_EQ(recs[0].Find("name")->AsString(), "Agencja Reklamowa Łuk");  // sorted by name
  EXPECT_EQ(recs[0].Find("discountPercent")->AsString(), "10.0000");
  EXPECT_EQ(recs[2].Find("address")->AsString(), "ul. Zamkowa 1\r\n64-100 Leszno");

  // The "kind" of show's output makes a goods file of any name; the bytes come back equal.
  const std::string goods = dir.File("goods-copy.db");
  ASSERT_EQ(Cli("register import '" + Example("towary.json") + "' -o '" + dir.File("towary.db") +
                "'")
                .status,
            0);
  shown = Cli("register show '" + dir.File("towary.db") + "'");
  WriteBytes(dir.File("goods.json"), shown.out);
  ASSERT_EQ(Cli("register import '" + dir.File("goods.json") + "' -o '" + goods + "'").status, 0);
  EXPECT_EQ(ReadBytes(goods), ReadBytes(dir.File("towary.db")));
  json = Json::Parse(Cli("register show '" + goods + "' --goods").out);
  ASSERT_TRUE(json);
  EXPECT_EQ(json->Find("kind")->AsString(), "goods");
  EXPECT_EQ(json->Find("records")->AsArray().at(0).Find("vatRate")->AsString(), "0.0800");
}

// Nothing is written over an existing file without --force, from bad input, or over a
// register another program holds.
TEST(RegisterCommands, ImportRefusals) {
  TempDir dir;
  const std::string path = dir.File("kontrahenci.db");
  const std::string in = Example("kontrahenci.json");
  WriteBytes(path, "old");
  auto r = Cli("register import '" + in + "' -o '" + path + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
  EXPECT_EQ(ReadBytes(path), "old");

  WriteBytes(dir.File("bad.json"), R"({"records": [{"name": "Firma \u2603"}]})");
  r = Cli("register import '" + dir.File("bad.json") + "' -o '" + dir.File("new.db") + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("records[0].name"), std::string::npos) << r.err;
  WriteBytes(dir.File("bad.json"), R"({"records": [{"nmae": "Firma"}]})");
  EXPECT_EQ(Cli("register import '" + dir.File("bad.json") + "' -o '" + dir.File("new.db") + "'")
                .status,
            2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.db")));
  // A JSON text larger than any register is refused before it is read (a sparse file).
  WriteBytes(dir.File("huge.json"), "");
  std::filesystem::resize_file(dir.File("huge.json"), kMaxJsonFileSize + 1);
  r = Cli("register import '" + dir.File("huge.json") + "' -o '" + dir.File("new.db") + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("cannot read"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.db")));

  std::filesystem::remove(path);
  ASSERT_EQ(Cli("register import '" + in + "' -o '" + path + "'").status, 0);
  const std::string before = ReadBytes(path);
  {
    TKontrahenci held;  // as the running program holds its register
    held.Open(path);
    ASSERT_TRUE(held.IsOpen());
    r = Cli("register import --force '" + in + "' -o '" + path + "'");
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadBytes(path), before);
}

TEST(RegisterCommands, ListsAndPrinterShow) {
  TempDir dir;
  const std::string lists = dir.File("autolists.dt");
  ByteWriter w;
  w.U16(1);
  w.I32(1);
  w.I32(1);
  w.String("25.93");
  WriteBytes(lists, w.Data());
  auto r = Cli("lists show '" + lists + "'");
  ASSERT_EQ(r.status, 0);
  auto json = Json::Parse(r.out);
  ASSERT_TRUE(json) << r.out;
  EXPECT_EQ(json->Find("pkwiu")->AsArray().at(0).AsString(), "25.93");
  EXPECT_TRUE(json->Find("units")->AsArray().empty());
  EXPECT_EQ(ReadBytes(lists), w.Data());

  const std::string printer = dir.File("PrinterSetup.cfg");
  WriteBytes(printer, SerializePrinterSetup({"HP", "hpcups", "", EncodePrinterBlock({})}));
  r = Cli("printer show '" + printer + "'");
  ASSERT_EQ(r.status, 0);
  json = Json::Parse(r.out);
  ASSERT_TRUE(json) << r.out;
  EXPECT_EQ(json->Find("device")->AsString(), "HP");
  EXPECT_EQ(json->Find("blockLength")->AsNumber(), 25);
  EXPECT_EQ(json->Find("settings")->Find("copies")->AsNumber(), 1);
}

}  // namespace
}  // namespace bilvox
