// The remembered entries of the three editable lists and their file.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/binio.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "registers/autolists.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// The three lists as the main window designs them, attached in the file's order.
struct Lists {
  TextList pkwiu;
  TextList units{"szt"};
  TextList payment{std::string("gotówka"_cp), "przelew"};
  TListyNapisow lists;
  Lists() {
    lists.Attach(&pkwiu);
    lists.Attach(&units);
    lists.Attach(&payment);
    lists.Attach(&units);  // attached once only
  }
};

std::string FileOf(std::initializer_list<TextList> blocks) {
  ByteWriter w;
  w.U16(1);
  w.I32(static_cast<int32_t>(blocks.size()));
  for (const TextList& b : blocks) {
    w.I32(static_cast<int32_t>(b.size()));
    for (const std::string& s : b) w.String(s);
  }
  return w.Take();
}

TEST(Autolists, RememberMovesAnEntryThatDiffersOnlyInCase) {
  TempDir dir;
  const std::string path = dir.File("autolists.dt");
  Lists l;
  l.lists.Load(path);  // no file yet: the design items stay
  l.units = {"kg", "szt", "m"};
  l.lists.Remember(&l.units, "SZT");
  EXPECT_EQ(l.units, (TextList{"szt", "kg", "m"}));  // the stored spelling stays
  l.lists.Remember(&l.units, "godz.");
  EXPECT_EQ(l.units, (TextList{"godz.", "szt", "kg", "m"}));
  l.lists.Remember(&l.payment, "GOTÓWKA"_cp);  // Polish letters fold as well
  EXPECT_EQ(l.payment, (TextList{std::string("gotówka"_cp), "przelew"}));
  // Every list goes into the file, the untouched ones included.
  EXPECT_EQ(ReadBytes(path), FileOf({{}, l.units, l.payment}));
}

TEST(Autolists, RememberingAnEmptyTextChangesNothing) {
  TempDir dir;
  const std::string path = dir.File("autolists.dt");
  Lists l;
  l.lists.Load(path);
  l.lists.Remember(&l.payment, "");
  EXPECT_EQ(l.payment.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Autolists, BlocksFillTheListsInOrderAndExtraBlocksAreIgnored) {
  TempDir dir;
  const std::string path = dir.File("autolists.dt");
  WriteBytes(path, FileOf({{"25.93"}, {"m2", "kg"}}));
  Lists two;
  two.lists.Load(path);
  EXPECT_EQ(two.pkwiu, (TextList{"25.93"}));
  EXPECT_EQ(two.units, (TextList{"m2", "kg"}));
  EXPECT_EQ(two.payment, (TextList{std::string("gotówka"_cp), "przelew"}));
  EXPECT_EQ(two.lists.FileListCount(), 2);

  WriteBytes(path, FileOf({{}, {}, {"karta"}, {"nadmiar"}}));
  Lists four;
  four.lists.Load(path);
  EXPECT_TRUE(four.units.empty());
  EXPECT_EQ(four.payment, (TextList{"karta"}));
}

TEST(Autolists, BadFilesFailWithTheWrappedReadingMessage) {
  TempDir dir;
  const std::string path = dir.File("autolists.dt");
  const std::string lead = std::string("Wystąpił błąd podczas odczytywania pliku: \r\n"_cp) + path +
                           "\r\n" + std::string("Treść błędu:\r\n"_cp);
  auto loadError = [&](const std::string& bytes) {
    WriteBytes(path, bytes);
    Lists l;
    try {
      l.lists.Load(path);
    } catch (const Error& e) {
      return e.Message();
    }
    return std::string("no error");
  };
  const std::string badFormat = lead + std::string("Nieprawidłowy format pliku"_cp);
  EXPECT_EQ(loadError(""), badFormat);
  EXPECT_EQ(loadError("\x01"), badFormat);
  EXPECT_EQ(loadError(std::string("\x02\x00\x03\x00\x00\x00", 6)), badFormat);

  // A block cut short: the lists before it have the file's items, it keeps its own.
  std::string cut = FileOf({{"25.93"}, {"kg", "m"}});
  cut.resize(cut.size() - 1);
  WriteBytes(path, cut);
  Lists l;
  try {
    l.lists.Load(path);
    ADD_FAILURE() << "a cut file loads";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), lead + std::string(TruncatedFileMessage()));
  }
  EXPECT_EQ(l.pkwiu, (TextList{"25.93"}));
  EXPECT_EQ(l.units, (TextList{"szt"}));
}

TEST(Autolists, AFailedSaveIsWrappedAndLeavesNoFile) {
  TempDir dir;
  const std::string path = dir.File("missing-folder/autolists.dt");
  Lists l;
  l.lists.Load(path);
  try {
    l.lists.Remember(&l.units, "kg");
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message().rfind("Wystąpił błąd podczas zapisywania pliku: \r\n"_cp, 0), 0u);
  }
  EXPECT_EQ(l.units.front(), "kg");
}

}  // namespace
}  // namespace bilvox

namespace bilvox {
namespace {

// A file of a newer format cannot be read, and must not be replaced by what this program
// remembers afterwards: the lists then live in memory only.
TEST(Autolists, AFileOfAnotherVersionIsNeverOverwritten) {
  testing::TempDir dir;
  const std::string path = dir.File("autolists.dt");
  const std::string newer("\x02\x00\x03\x00\x00\x00\x07\x00\x00\x00", 10);
  testing::WriteBytes(path, newer);
  Lists l;
  EXPECT_THROW(l.lists.Load(path), Error);
  l.lists.Remember(&l.units, "kg");
  l.lists.Save();
  EXPECT_EQ(l.units.front(), "kg");
  EXPECT_EQ(testing::ReadBytes(path), newer);

  // A damaged file of our own version is rewritten with what could be read.
  std::string cut = FileOf({{"25.93"}, {"kg", "m"}});
  cut.resize(cut.size() - 1);
  testing::WriteBytes(path, cut);
  Lists d;
  EXPECT_THROW(d.lists.Load(path), Error);
  d.lists.Save();
  EXPECT_EQ(testing::ReadBytes(path), FileOf({{"25.93"}, {"szt"}, d.payment}));
}

}  // namespace
}  // namespace bilvox
