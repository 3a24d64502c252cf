// bilvox-cli ksef: documents as structured invoices for KSeF, checked with the installed
// schema (and, independently, by xmllint with the same offline catalog).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/json.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::CliResult;
using testing::ReadBytes;
using testing::ShellQuote;
using testing::WriteBytes;

const std::filesystem::path kSource = BILVOX_SOURCE_DIR;

class KsefCommand : public ::testing::Test {
 protected:
  CliResult Run(const std::string& args) {
    return testing::RunCli(args, "BILVOX_REGISTRY=" + ShellQuote(registry));
  }
  CliResult Ksef(const std::string& ftv, const std::string& out, const std::string& flags = "") {
    return Run("ksef " + ShellQuote(ftv) + " -o " + ShellQuote(out) + " " + flags);
  }
  std::string Imported(const std::string& json) {
    const std::string ftv = dir.File("doc.ftv");
    WriteBytes(dir.File("doc.json"), json);
    EXPECT_EQ(Run("import " + ShellQuote(dir.File("doc.json")) + " -o " + ShellQuote(ftv) +
                  " --force").status, 0);
    return ftv;
  }
  // The schema's own check, offline: the catalog maps the remote import to the local copy.
  static bool XmllintValid(const std::string& xml) {
    const std::filesystem::path schema = kSource / "data/ksef";
    const std::string command =
        "XML_CATALOG_FILES=" + ShellQuote((schema / "catalog.xml").string()) +
        " xmllint --noout --nonet --schema " + ShellQuote((schema / "schemat_FA(3)_v1-0E.xsd").string()) +
        " " + ShellQuote(xml) + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }
  static std::string Element(const std::string& xml, const std::string& name) {
    const size_t at = xml.find("<" + name + ">");
    if (at == std::string::npos) return "<missing>";
    const size_t from = at + name.size() + 2;
    return xml.substr(from, xml.find("</" + name + ">", from) - from);
  }

  testing::TempDir dir;
  std::string registry = dir.File("registry.reg");
};

// Every VAT invoice and correction among the examples exports and validates, with the amount
// due that `show` computes; the bill is refused and leaves no file.
TEST_F(KsefCommand, ExamplesExportAndValidate) {
  int exported = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kSource / "examples")) {
    if (entry.path().extension() != ".ftv") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const CliResult shown = Run("show " + ShellQuote(entry.path().string()));
    std::optional<Json> json = Json::Parse(shown.out);
    ASSERT_TRUE(json) << shown.err;
    const int kind = static_cast<int>(json->Find("Kind")->AsNumber());
    const int type = static_cast<int>(json->Find("VatInvoiceType")->AsNumber());
    const std::string out = dir.File(entry.path().stem().string() + ".xml");
    const CliResult r = Ksef(entry.path().string(), out, "--corrected-date 2027-03-05");
    if (kind == 1 || kind == 3 || type == 3) {
      EXPECT_EQ(r.status, 2);
      EXPECT_FALSE(std::filesystem::exists(out));
      continue;
    }
    ASSERT_EQ(r.status, 0) << r.err;
    ++exported;
    EXPECT_TRUE(XmllintValid(out));
    std::string due = json->Find("AmountDue")->AsString();  // four decimals
    EXPECT_EQ(Element(ReadBytes(out), "P_15"), due.substr(0, due.size() - 2));
  }
  EXPECT_GE(exported, 4);
}

// An existing file is replaced only with --force; a refused document writes nothing, and a
// correction without the corrected invoice's date says what to give.
TEST_F(KsefCommand, WritesOnlyWhatItMayAndSaysWhy) {
  const std::string out = dir.File("out.xml");
  const std::string invoice = (kSource / "examples/faktura-pln.ftv").string();
  WriteBytes(out, "old");
  const CliResult kept = Ksef(invoice, out);
  EXPECT_EQ(kept.status, 2);
  EXPECT_NE(kept.err.find("--force"), std::string::npos) << kept.err;
  EXPECT_EQ(ReadBytes(out), "old");
  EXPECT_EQ(Ksef(invoice, out, "--force").status, 0);
  EXPECT_EQ(Element(ReadBytes(out), "P_2"), "F/12/03/2027");

  const std::string noDate = dir.File("korekta.xml");
  const CliResult refused = Ksef((kSource / "examples/korekta.ftv").string(), noDate);
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("Brak daty wystawienia faktury korygowanej"), std::string::npos);
  EXPECT_NE(refused.err.find("--corrected-date"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(noDate));
  EXPECT_EQ(Ksef(invoice, noDate, "--corrected-date 2027-02-30").status, 2);
}

// The basis of exempt sales is the user's setting.
TEST_F(KsefCommand, ExemptBasisComesFromTheSettings) {
  WriteBytes(registry,
             "Windows Registry Editor Version 5.00\n\n"
             "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia]\n"
             "\"KSeFPodstawaZwolnienia\"=\"art. 43 ust. 1 pkt 29 lit. c ustawy o VAT\"\n");
  const std::string ftv = Imported(R"({"Number": "F/1", "SellerName": "A", "SellerAddress": "B",
      "SellerNIP": "1234563218", "BuyerName": "C", "BuyerAddress": "D",
      "Lines": [{"Name": "Szkolenie", "Quantity": 1, "PricePLN": "500.00", "VatRate": "-1.0000"}]})");
  const std::string out = dir.File("zw.xml");
  const CliResult r = Ksef(ftv, out);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string xml = ReadBytes(out);
  EXPECT_EQ(Element(xml, "P_19A"), "art. 43 ust. 1 pkt 29 lit. c ustawy o VAT");
  EXPECT_EQ(Element(xml, "P_13_7"), "500.00");
  EXPECT_EQ(Element(xml, "BrakID"), "1");  // no buyer NIP: a consumer
}

}  // namespace
}  // namespace bilvox
