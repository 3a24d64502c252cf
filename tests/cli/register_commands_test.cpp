// The read-only show commands of bilvox-cli for registers, lists and the printer file.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/binio.h"
#include "common/json.h"
#include "printout/printer_setup.h"
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
