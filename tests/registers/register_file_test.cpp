// Reading every version of the register files, writing the newest, holding the file, and
// what damaged, newer, locked or unwritable files do.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "common/cp1250.h"
#include "common/error.h"
#include "registers/contractors.h"
#include "registers/goods.h"
#include "registers/register_builders.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::ContractorFields;
using testing::GoodsFields;
using testing::Header;
using testing::ReadBytes;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteBytes;

std::string LoadError(const std::string& path, std::string_view cause) {
  return std::string("Wystąpił błąd podczas ładowania pliku: \r\n"_cp) + path +
         "\r\n" + std::string("Treść błędu:\r\n"_cp) + std::string(cause);
}

TEST(RegisterFile, Version2ContractorsReadWithWholePercentAndRewriteAsVersion4) {
  TempDir dir;
  const std::string path = dir.File("kontrahenci.db");
  ContractorFields c{"stary A", "stary B", "Kowalski", "Kraków", "res", "123-456-32-18",
                     "12 345", "k@x.pl", "www.k.pl", "uwagi", 15 * 10000, ""};
  ByteWriter w = Header(2, 1);
  PutContractor(w, 2, c);
  WriteBytes(path, w.Data());

  RecordingMessages msgs;
  {
    TKontrahenci reg;
    reg.Open(path);
    ASSERT_TRUE(reg.IsOpen());
    ASSERT_EQ(reg.Count(), 1);
    EXPECT_EQ(reg.FileVersion(), 2);
    const TKontrahentRec& r = *reg.Get(0);
    EXPECT_EQ(r.discount, Currency::Of(15));
    EXPECT_EQ(r.oldTextA, "stary A");
    EXPECT_EQ(r.reserved, "res");
    EXPECT_EQ(r.receivingPerson, "");
    // The old texts take part in filtering while the program runs.
    reg.SetFilterText("STARY b");
    reg.First();
    EXPECT_EQ(reg.Cursor(), 0);
    reg.Save();
  }
  EXPECT_TRUE(msgs.messages.empty());

  ContractorFields expected = c;
  expected.oldA.clear();
  expected.oldB.clear();
  ByteWriter v4 = Header(4, 1);
  PutContractor(v4, 4, expected);
  EXPECT_EQ(ReadBytes(path), v4.Data());
}

TEST(RegisterFile, EveryOlderContractorVersionReads) {
  TempDir dir;
  RecordingMessages msgs;
  ContractorFields c{"a", "b", "Nowak", "Adres", "", "555", "", "", "", "", 7 * 10000, "Jan"};
  for (int version : {0, 1, 3, 4}) {
    const std::string path = dir.File("k" + std::to_string(version) + ".db");
    ByteWriter w = Header(version, 1);
    PutContractor(w, version, c);
    WriteBytes(path, w.Data());
    TKontrahenci reg;
    reg.Open(path);
    ASSERT_EQ(reg.Count(), 1) << version;
    const TKontrahentRec& r = *reg.Get(0);
    EXPECT_EQ(r.name, "Nowak") << version;
    EXPECT_EQ(r.nip, "555") << version;
    EXPECT_EQ(r.oldTextB, version <= 2 ? "b" : "") << version;
    EXPECT_EQ(r.discount, version >= 2 ? Currency::Of(7) : Currency{}) << version;
    EXPECT_EQ(r.receivingPerson, version >= 3 ? "Jan" : "") << version;
  }
  EXPECT_TRUE(msgs.messages.empty());
}

TEST(RegisterFile, Version1GoodsReadWithoutTranslationsOrForeignPrice) {
  TempDir dir;
  const std::string path = dir.File("towary.db");
  GoodsFields g{.name = std::string("Śruba"_cp), .pkwiu = "25.93", .unit = "szt", .nameDe = "x",
                .pricePln = 12345, .plnGross = true, .priceForeign = 999, .rate = 800};
  ByteWriter w = Header(1, 1);
  PutGoods(w, 1, g);
  WriteBytes(path, w.Data());

  RecordingMessages msgs;
  TTowary reg;
  reg.Open(path);
  ASSERT_EQ(reg.Count(), 1);
  const TTowarRec& r = *reg.Get(0);
  EXPECT_EQ(r.name, "Śruba"_cp);
  EXPECT_EQ(r.pkwiu, "25.93");
  EXPECT_EQ(r.unit, "szt");
  EXPECT_EQ(r.nameDe + r.nameEn + r.unitDe + r.unitEn, "");
  EXPECT_EQ(r.pricePln.raw, 12345);
  EXPECT_FALSE(r.pricePlnGross);
  EXPECT_EQ(r.priceForeign.raw, 0);
  EXPECT_FALSE(r.priceForeignGross);
  EXPECT_EQ(r.vatRate.raw, 800);
  reg.Close();

  g.nameDe = g.nameEn = g.unitDe = g.unitEn = "";
  g.plnGross = g.foreignGross = false;
  g.priceForeign = 0;
  ByteWriter v3 = Header(3, 1);
  PutGoods(v3, 3, g);
  EXPECT_EQ(ReadBytes(path), v3.Data());
}

TEST(RegisterFile, NewerOrDamagedFilesAreReportedAndLeftByteForByte) {
  TempDir dir;
  struct Case {
    std::string name;
    std::string bytes;
    std::string cause;
  };
  ByteWriter newer = Header(5, 1);
  testing::PutContractor(newer, 4, ContractorFields{.name = "X"});
  ByteWriter shortFile = Header(4, 3);  // says 3 records, holds 1
  testing::PutContractor(shortFile, 4, ContractorFields{.name = "Y"});
  std::vector<Case> cases = {
      {"newer.db", newer.Data(), std::string("Niepoprawna wersja pliku kontrahentów"_cp)},
      {"short.db", shortFile.Data(), std::string(TruncatedFileMessage())},
      {"tiny.db", std::string("\x04", 1), std::string(TruncatedFileMessage())},
  };
  for (const Case& c : cases) {
    const std::string path = dir.File(c.name);
    WriteBytes(path, c.bytes);
    RecordingMessages msgs;
    {
      TKontrahenci reg;
      reg.Open(path);
      EXPECT_FALSE(reg.IsOpen()) << c.name;
      EXPECT_EQ(reg.Count(), 0) << c.name;  // what was read is dropped
      // A closed register still works in memory but writes nothing.
      reg.UpsertFromBuyer("Nowy", "", "", "", Currency{});
      EXPECT_EQ(reg.Count(), 1);
    }
    ASSERT_EQ(msgs.messages.size(), 1u) << c.name;
    EXPECT_EQ(msgs.messages[0].caption, "Błąd"_cp);
    EXPECT_EQ(msgs.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(msgs.messages[0].text, LoadError(path, c.cause));
    EXPECT_EQ(ReadBytes(path), c.bytes) << c.name;
  }
}

TEST(RegisterFile, TrailingBytesAreIgnoredAndGoOnTheNextSave) {
  TempDir dir;
  const std::string path = dir.File("towary.db");
  ByteWriter w = Header(3, 2);
  PutGoods(w, 3, GoodsFields{.name = "B"});
  PutGoods(w, 3, GoodsFields{.name = "A"});
  const std::string exact = w.Data();
  WriteBytes(path, exact + std::string(40, '\x7F'));

  RecordingMessages msgs;
  TTowary reg;
  reg.Open(path);
  ASSERT_EQ(reg.Count(), 2);
  EXPECT_EQ(reg.Get(0)->name, "A");  // sorted once the file is read
  reg.Delete(0);
  reg.Save();
  ByteWriter one = Header(3, 1);
  PutGoods(one, 3, GoodsFields{.name = "B"});
  EXPECT_EQ(ReadBytes(path), one.Data());
  EXPECT_TRUE(msgs.messages.empty());
}

TEST(RegisterFile, MissingFileIsCreatedEmptyAndTheFirstChangeWritesAHeader) {
  TempDir dir;
  const std::string path = dir.File("kontrahenci.db");
  RecordingMessages msgs;
  TKontrahenci reg;
  reg.Open(path);
  ASSERT_TRUE(reg.IsOpen());
  EXPECT_EQ(reg.Count(), 0);
  EXPECT_EQ(reg.FileVersion(), -1);
  EXPECT_EQ(ReadBytes(path), "");
  reg.UpsertFromBuyer("", "", "", "", Currency{});  // an empty buyer name is filed as well
  ByteWriter w = Header(4, 1);
  PutContractor(w, 4, ContractorFields{});
  EXPECT_EQ(ReadBytes(path), w.Data());
  EXPECT_TRUE(msgs.messages.empty());
}

TEST(RegisterFile, TheFileIsHeldAgainstASecondHolderAcrossSaves) {
  TempDir dir;
  const std::string path = dir.File("kontrahenci.db");
  const std::string locked = LoadError(path, "Plik jest używany przez inny program."_cp);
  RecordingMessages msgs;
  TKontrahenci first;
  first.Open(path);
  ASSERT_TRUE(first.IsOpen());

  auto secondIsRefused = [&] {
    msgs.messages.clear();
    TKontrahenci second;
    second.Open(path);
    return !second.IsOpen() && msgs.messages.size() == 1 && msgs.messages[0].text == locked;
  };
  EXPECT_TRUE(secondIsRefused());
  // A save puts a new file in place of the old one; the lock goes with it.
  first.UpsertFromBuyer("Kowalski", "", "", "", Currency{});
  const std::string saved = ReadBytes(path);
  EXPECT_TRUE(secondIsRefused());
  EXPECT_EQ(ReadBytes(path), saved);

  // Another process is refused the same way.
  fflush(nullptr);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RecordingMessages quiet;
    TTowary other;  // the lock does not care which register opens the file
    other.Open(path);
    _exit(other.IsOpen() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  first.Close();
  msgs.messages.clear();
  TKontrahenci third;
  third.Open(path);
  EXPECT_TRUE(third.IsOpen());
  EXPECT_EQ(third.Count(), 1);
  EXPECT_TRUE(msgs.messages.empty());
}

TEST(RegisterFile, AFailedWriteKeepsTheOldFileAndStopsWriting) {
  TempDir dir;
  const std::string folder = dir.File("data");
  std::filesystem::create_directory(folder);
  const std::string path = folder + "/towary.db";
  ByteWriter w = Header(3, 1);
  PutGoods(w, 3, GoodsFields{.name = "Młotek"});
  WriteBytes(path, w.Data());

  RecordingMessages msgs;
  TTowary reg;
  reg.Open(path);
  ASSERT_TRUE(reg.IsOpen());
  // The folder goes away under the open register, so no new file can be written beside it.
  const std::string moved = dir.File("moved");
  std::filesystem::rename(folder, moved);
  reg.UpsertFromEntry("Wiertło", "", "szt", 0, "", "", "PLN", false, Currency::Of(5),
                      VatRateTable[7]);
  ASSERT_EQ(msgs.messages.size(), 1u);
  EXPECT_EQ(msgs.messages[0].caption, "Błąd"_cp);
  EXPECT_EQ(msgs.messages[0].text.rfind("Wystąpił błąd podczas zapisywania pliku: \r\n"_cp, 0), 0u);
  EXPECT_FALSE(reg.IsOpen());
  EXPECT_EQ(reg.Count(), 0);

  std::filesystem::rename(moved, folder);
  reg.UpsertFromEntry("Piła", "", "szt", 0, "", "", "PLN", false, Currency::Of(5),
                      VatRateTable[7]);
  reg.Close();
  EXPECT_EQ(msgs.messages.size(), 1u);
  EXPECT_EQ(ReadBytes(path), w.Data());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left behind
}

}  // namespace
}  // namespace bilvox
