// bilvox-cli show and import: a document file as JSON and back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/cp1250.h"
#include "common/json.h"
#include "document/ftv_builder.h"
#include "settings/file_store.h"
#include "settings/registry.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::CliResult;
using testing::FtvBytes;
using testing::FtvDocument;
using testing::FtvLine;
using testing::ReadBytes;
using testing::ShellQuote;
using testing::WriteBytes;

class DocumentCommands : public ::testing::Test {
 protected:
  CliResult Run(const std::string& args) {
    return testing::RunCli(args, "BILVOX_REGISTRY=" + ShellQuote(registry));
  }
  CliResult Show(const std::string& path) { return Run("show " + ShellQuote(path)); }
  CliResult Import(const std::string& json, const std::string& out, const std::string& flags = "") {
    WriteBytes(dir.File("in.json"), json);
    return Run("import " + ShellQuote(dir.File("in.json")) + " -o " + ShellQuote(out) + " " + flags);
  }
  static Json Parsed(const CliResult& r) {
    std::string error;
    std::optional<Json> json = Json::Parse(r.out, &error);
    EXPECT_TRUE(json) << error << "\n" << r.out << r.err;
    return json ? *json : Json::MakeObject();
  }
  static std::string At(const Json& json, const std::string& key) {
    const Json* v = json.Find(key);
    if (!v) return "<missing>";
    return v->IsString() ? v->AsString() : v->Dump();
  }

  testing::TempDir dir;
  std::string registry = dir.File("config/registry.reg");
};

// The correction of an invoice with 100.00 and 50.00 net at 23 % that removes the second line.
FtvDocument RemovalCorrection() {
  FtvDocument d;
  d.number = "K1";
  d.kind = 2;
  d.correctedNumber = "F7";
  FtvLine first;
  first.name = "Pierwszy";
  first.pricePln = 1000000;
  FtvLine second = first;
  second.name = "Drugi";
  second.pricePln = 500000;
  d.priorLines = {first, second};
  second.quantity = 0;
  second.correctionChanged = true;
  d.lines = {first, second};
  d.issueDate = d.saleDate = d.dueDate = 46450;  // 2027-03-04
  return d;
}

TEST_F(DocumentCommands, ShowPrintsTheDocumentWithItsSums) {
  const std::string path = dir.File("k1.ftv");
  const std::string bytes = FtvBytes(RemovalCorrection(), 8);
  WriteBytes(path, bytes);
  CliResult r = Show(path);
  ASSERT_EQ(r.status, 0) << r.err;
  const Json json = Parsed(r);

  EXPECT_EQ(At(json, "FormatVersion"), "8");
  EXPECT_EQ(At(json, "Kind"), "2");
  EXPECT_EQ(At(json, "CorrectedNumber"), "F7");
  EXPECT_EQ(At(json, "IssueDate"), "2027-03-04");
  EXPECT_EQ(At(json, "ExchangeRate"), "1.0000");
  EXPECT_EQ(At(json, "Printed"), "false");
  EXPECT_EQ(At(json, "LoadedFromFile"), "true");
  EXPECT_EQ(At(json, "FileName"), path);
  EXPECT_EQ(At(json, "AmountDue"), "-61.5000");
  EXPECT_EQ(At(json, "Validate"), "13");
  EXPECT_EQ(At(json, "AmountInWords"), "minus sześćdziesiąt jeden zł pięćdziesiąt gr");

  const Json::Array& sums = json.Find("Sums")->AsArray();
  ASSERT_EQ(sums.size(), 10u);
  EXPECT_EQ(At(sums[6], "NetSum"), "-50.0000");
  EXPECT_EQ(At(sums[6], "VatSum"), "-11.5000");
  EXPECT_EQ(At(sums[7], "GrossSum"), "-61.5000");
  EXPECT_EQ(At(json.Find("SumsAfter")->AsArray()[6], "GrossSum"), "123.0000");
  EXPECT_EQ(At(json.Find("PriorSums")->AsArray()[7], "NetSum"), "150.0000");

  const Json& line = json.Find("Lines")->AsArray().at(1);
  EXPECT_EQ(At(line, "Name"), "Drugi");
  EXPECT_EQ(At(line, "Quantity"), "0");
  EXPECT_EQ(At(line, "CorrectionChanged"), "true");
  EXPECT_EQ(At(line, "VatRate"), "0.2300");
  EXPECT_EQ(At(line, "VatIndex"), "7");
  EXPECT_EQ(At(line, "NetUnitPrice"), "50.0000");
  EXPECT_EQ(At(line, "GrossValue"), "0.0000");
  EXPECT_EQ(At(json.Find("PriorLines")->AsArray().at(1), "GrossValue"), "61.5000");

  EXPECT_EQ(ReadBytes(path), bytes);
  EXPECT_FALSE(std::filesystem::exists(registry));  // nothing stored, not even a new file
}

TEST_F(DocumentCommands, ShowReadsTheStoredDefaultsButNeverWritesThem) {
  {
    FileSettingsStore store(registry);
    auto key = store.OpenKey(kKeyDocument);
    key->WriteString("WalutaObca", "CHF");
    key->WriteCurrency("KursWaluty", Currency::Of(4, 5000));
    key->WriteString("UwagiStale", "Stała uwaga"_cp);
    key->WriteBool("AutoNumbering", true);
    key->WriteInteger("DocLanguage", 2);
    key->Close();
  }
  const std::string stored = ReadBytes(registry);
  FtvDocument d = RemovalCorrection();
  d.language = 1;
  WriteBytes(dir.File("v4.ftv"), FtvBytes(d, 4));  // a version without currency

  CliResult r = Show(dir.File("v4.ftv"));
  ASSERT_EQ(r.status, 0) << r.err;
  const Json json = Parsed(r);
  EXPECT_EQ(At(json, "FormatVersion"), "4");
  EXPECT_EQ(At(json, "CurrencyCode"), "CHF");
  EXPECT_EQ(At(json, "ExchangeRate"), "4.5000");
  EXPECT_EQ(At(json, "StandingRemarks"), "Sta\xc5\x82" "a uwaga");
  EXPECT_EQ(At(json, "AutoNumbering"), "true");
  EXPECT_EQ(At(json, "DocLanguage"), "1");
  // In francs the foreign price column is in force, which a version-4 file lacks.
  EXPECT_EQ(At(json, "AmountDue"), "0.0000");
  EXPECT_EQ(At(json, "AmountInWords"), "null CHF 0/100");  // German words, the code as symbol
  EXPECT_EQ(ReadBytes(registry), stored);
}

TEST_F(DocumentCommands, ShowReportsWhatItCannotRead) {
  CliResult missing = Show(dir.File("none.ftv"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err,
            "Wystąpił błąd podczas odczytywania pliku. Treść błędu:\r\n"
            "Nie odnaleziono pliku lub folderu.\n");

  std::string newer = FtvBytes(RemovalCorrection(), 8);
  newer[0] = 9;
  WriteBytes(dir.File("v9.ftv"), newer);
  CliResult refused = Show(dir.File("v9.ftv"));
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("Nieprawidłowy format pliku faktury"), std::string::npos);
  EXPECT_EQ(Run("show").status, 2);
}

TEST_F(DocumentCommands, ImportOfShownJsonWritesTheSameFile) {
  const std::string original = FtvBytes(testing::FullCorrection(), 8);
  WriteBytes(dir.File("a.ftv"), original);
  CliResult shown = Show(dir.File("a.ftv"));
  ASSERT_EQ(shown.status, 0) << shown.err;

  CliResult imported = Import(shown.out, dir.File("b.ftv"));
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.err, "");
  EXPECT_EQ(ReadBytes(dir.File("b.ftv")), original);

  // Without the key of a field the document starts from the values of a new one.
  ASSERT_EQ(Import(R"({"Number": "F/1", "Lines": [{"Quantity": 2}]})", dir.File("c.ftv")).status, 0);
  const Json json = Parsed(Show(dir.File("c.ftv")));
  EXPECT_EQ(At(json, "Number"), "F/1");
  EXPECT_EQ(At(json, "IssueDate"), "2027-03-05");
  EXPECT_EQ(At(json, "CurrencyCode"), "PLN");
  const Json& line = json.Find("Lines")->AsArray().at(0);
  EXPECT_EQ(At(line, "Name"), "[Brak]");
  EXPECT_EQ(At(line, "VatRate"), "0.2300");
  EXPECT_EQ(At(line, "Quantity"), "2");
}

TEST_F(DocumentCommands, ImportRefusesWhatItCannotStore) {
  const std::string out = dir.File("out.ftv");
  struct Case {
    const char* json;
    const char* named;
  };
  for (const Case& c : {
           Case{R"({"BuyerNmae": "x"})", "BuyerNmae: unknown key"},
           Case{R"({"Lines": [{}, {"Quantiy": 1}]})", "Lines[1].Quantiy: unknown key"},
           Case{R"({"Lines": [{"Quantity": "2"}]})", "Lines[0].Quantity: expected a number"},
           Case{R"({"Paid": 12.5})", "Paid: expected an amount"},
           Case{R"({"Paid": "12,50"})", "Paid: expected an amount"},
           Case{R"({"Kind": 256})", "Kind: expected a whole number from 0 to 255"},
           Case{R"({"DocLanguage": 1.5})", "DocLanguage: expected a whole number"},
           Case{R"({"Printed": 1})", "Printed: expected true or false"},
           Case{R"({"IssueDate": "2027-02-30"})", "IssueDate: expected a date"},
           Case{R"({"BuyerName": "Иван"})", "BuyerName: the character U+0418 cannot be stored"},
           Case{R"({"Lines": {}})", "Lines: expected an array"},
           Case{R"([1])", "expected an object"},
           Case{R"({"Number": )", "is not JSON"},
       }) {
    SCOPED_TRACE(c.json);
    CliResult r = Import(c.json, out);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

TEST_F(DocumentCommands, ImportReplacesAnExistingFileOnlyWhenForced) {
  const std::string out = dir.File("out.ftv");
  WriteBytes(out, "old");
  CliResult declined = Import(R"({"Number": "F/2"})", out);
  EXPECT_EQ(declined.status, 1);
  EXPECT_NE(declined.err.find("--force"), std::string::npos);
  EXPECT_EQ(ReadBytes(out), "old");

  CliResult forced = Import(R"({"Number": "F/2", "PriorLines": [{}]})", out, "--force");
  EXPECT_EQ(forced.status, 0);
  EXPECT_NE(forced.err.find("warning: PriorLines"), std::string::npos);  // kind 0 keeps none
  EXPECT_EQ(At(Parsed(Show(out)), "Number"), "F/2");
  EXPECT_EQ(Parsed(Show(out)).Find("PriorLines")->AsArray().size(), 0u);
}

// The documents in examples/ are what import makes of the JSON beside them.
TEST_F(DocumentCommands, ExamplesMatchTheirJson) {
  const std::filesystem::path examples = std::filesystem::path(BILVOX_SOURCE_DIR) / "examples";
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(examples)) {
    if (entry.path().extension() != ".json") continue;
    SCOPED_TRACE(entry.path().string());
    ++count;
    std::filesystem::path ftv = entry.path();
    ftv.replace_extension(".ftv");
    const std::string made = dir.File("made.ftv");
    std::filesystem::remove(made);
    CliResult r = Import(ReadBytes(entry.path().string()), made);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(made), ReadBytes(ftv.string()));
    EXPECT_EQ(Show(ftv.string()).status, 0);
  }
  EXPECT_GE(count, 5);
}

}  // namespace
}  // namespace bilvox
