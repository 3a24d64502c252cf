// Documents as structured invoices for KSeF (FA(3)): every kind and type the program issues
// validates and carries the sums the printed page shows; what KSeF cannot take is refused
// with a message naming the field.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "common/cp1250.h"
#include "common/error.h"
#include "common/json.h"
#include "document/document_json.h"
#include "document/faktura.h"
#include "ksef/ksef.h"
#include "support/money_text.h"

namespace bilvox {
namespace {

using testing::C;

// A complete VAT invoice in PLN; `changes` (JSON of the `show` shape) replace its keys.
constexpr std::string_view kInvoice = R"({
  "Number": "F/7/03/2027", "PlaceOfIssue": "Łódź",
  "IssueDate": "2027-03-05", "SaleDate": "2027-03-04", "PaymentDueDate": "2027-03-19",
  "SellerName": "Pracownia Nowak", "SellerAddress": "ul. Piotrkowska 1\r\n90-001 Łódź",
  "SellerNIP": "PL 123-456-32-18",
  "BuyerName": "Sklep Wiśnia", "BuyerAddress": "ul. Długa 3\r\n\r\n61-001 Poznań\r\nPolska",
  "BuyerNIP": "951-234-56-75", "PaymentForm": "przelew",
  "Lines": [{"Name": "Usługa", "Quantity": 1, "PricePLN": "100.00", "VatRate": "0.23"}]
})";

void Fill(TFaktura& doc, std::string_view changes) {
  std::optional<Json> json = Json::Parse(kInvoice);
  std::optional<Json> extra = Json::Parse(changes);
  ASSERT_TRUE(json && extra) << changes;
  for (const auto& [key, value] : extra->AsObject()) json->Set(key, value);
  DocumentFromJson(*json, doc);
}

KsefOptions Options() {
  KsefOptions o;
  o.creationTime = "2027-03-05T10:15:00+01:00";
  o.correctedIssueDate = Ymd{2027, 3, 1};
  return o;
}

// The texts of every element of that name, in order.
std::vector<std::string> All(const std::string& xml, const std::string& name) {
  std::vector<std::string> found;
  const std::string open = "<" + name + ">", close = "</" + name + ">";
  for (size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
    const size_t from = at + open.size();
    found.push_back(xml.substr(from, xml.find(close, from) - from));
  }
  return found;
}
std::string One(const std::string& xml, const std::string& name) {
  std::vector<std::string> all = All(xml, name);
  return all.size() == 1 ? all[0] : "<" + std::to_string(all.size()) + " times>";
}

std::string Text2(Currency c) {
  std::string s = FixedText4(c);
  return s.substr(0, s.size() - 2);
}

struct Case {
  const char* name;
  std::string_view changes;
  std::vector<std::pair<std::string, std::string>> expected;  // element, text
  std::vector<std::string> absent;
  std::vector<std::string> rates = {};  // P_12 of the lines, when given
};

// Per kind and type: the output validates, and its sums by rate and P_15 are the document's.
TEST(KsefExport, EveryKindAndTypeCarriesTheDocumentsSums) {
  const std::vector<Case> cases = {
      // The tax of a rate comes from the rate's sum: three lines of 0.02 at 23 % have 0.00
      // tax each but 0.01 together. 0 %, exempt and not subject have no tax.
      {"VAT, every rate", R"({"Lines": [
          {"Name": "A", "Quantity": 1, "PricePLN": "0.02", "VatRate": "0.23"},
          {"Name": "B", "Quantity": 1, "PricePLN": "0.02", "VatRate": "0.23"},
          {"Name": "C", "Quantity": 1, "PricePLN": "0.02", "VatRate": "0.23"},
          {"Name": "D", "Quantity": 2.5, "PricePLN": "20.00", "VatRate": "0.08"},
          {"Name": "E", "Quantity": 1, "PricePLN": "10.00", "VatRate": "0.05"},
          {"Name": "F", "Quantity": 1, "PricePLN": "30.00", "VatRate": "0.00"},
          {"Name": "G", "Quantity": 1, "PricePLN": "20.00", "VatRate": "-1.0000"},
          {"Name": "H", "Quantity": 1, "PricePLN": "5.00", "VatRate": "-2.0000"}]})",
       {{"P_13_1", "0.06"}, {"P_14_1", "0.01"}, {"P_13_2", "50.00"}, {"P_14_2", "4.00"},
        {"P_13_3", "10.00"}, {"P_14_3", "0.50"}, {"P_13_6_1", "30.00"}, {"P_13_7", "20.00"},
        {"P_13_8", "5.00"}, {"P_15", "119.57"}, {"P_19", "1"}, {"P_16", "2"},
        {"P_PMarzyN", "1"}, {"RodzajFaktury", "VAT"}},
       {"P_14_1W", "P_19N"},
       {"23", "23", "23", "8", "5", "0 KR", "zw", "np I"}},
      {"VAT MP", R"({"VatInvoiceType": 1})",
       {{"P_16", "1"}, {"P_13_1", "100.00"}, {"P_14_1", "23.00"}, {"P_15", "123.00"},
        {"P_19N", "1"}},
       {}},
      {"margin, travel agencies", R"({"VatInvoiceType": 2, "MarginProcedure": 0, "GrossPricing": true,
          "Lines": [{"Name": "Wycieczka", "Quantity": 2, "PricePLN": "250.00",
                     "PricePLNIsGross": true, "VatRate": "0.23"}]})",
       {{"P_13_11", "500.00"}, {"P_15", "500.00"}, {"P_PMarzy", "1"}, {"P_PMarzy_2", "1"},
        {"P_9B", "250.00"}, {"P_11A", "500.00"}},
       {"P_13_1", "P_14_1", "P_12", "P_PMarzyN"}},
      {"margin, second-hand goods", R"({"VatInvoiceType": 2, "MarginProcedure": 1})",
       {{"P_PMarzy_3_1", "1"}, {"P_13_11", "123.00"}, {"P_15", "123.00"}}, {"P_12"}},
      {"margin, works of art", R"({"VatInvoiceType": 2, "MarginProcedure": 2})",
       {{"P_PMarzy_3_2", "1"}}, {}},
      {"margin, collectors' items", R"({"VatInvoiceType": 2, "MarginProcedure": 3})",
       {{"P_PMarzy_3_3", "1"}}, {}},
      // Without VAT settlement every sale is exempt, with the basis of the exemption.
      {"without VAT", R"({"VatInvoiceType": 4, "Lines": [
          {"Name": "A", "Quantity": 1, "PricePLN": "100.00", "VatRate": "0.00"},
          {"Name": "B", "Quantity": 1, "PricePLN": "50.00", "VatRate": "-1.0000"}]})",
       {{"P_13_7", "150.00"}, {"P_15", "150.00"}, {"P_19", "1"}, {"P_9A", "<2 times>"}},
       {"P_14_1", "P_13_6_1"},
       {"zw", "zw"}},
      // The tax of a foreign-currency invoice also in złoty, rounded per rate.
      {"EUR with the tax in PLN", R"({"CurrencyCode": "EUR", "ExchangeRate": "4.3000", "Lines": [
          {"Name": "A", "Quantity": 1, "PriceForeign": "100.00", "VatRate": "0.23"},
          {"Name": "B", "Quantity": 1, "PriceForeign": "10.00", "VatRate": "0.08"}]})",
       {{"KodWaluty", "EUR"}, {"P_13_1", "100.00"}, {"P_14_1", "23.00"}, {"P_14_1W", "98.90"},
        {"P_14_2", "0.80"}, {"P_14_2W", "3.44"}, {"P_15", "133.80"}},
       {}},
      {"gross prices", R"({"GrossPricing": true, "Lines": [
          {"Name": "A", "Quantity": 1, "PricePLN": "100.00", "PricePLNIsGross": true, "VatRate": "0.08"}]})",
       {{"P_13_2", "92.59"}, {"P_14_2", "7.41"}, {"P_15", "100.00"}, {"P_9B", "100.00"},
        {"P_11A", "100.00"}},
       {"P_9A", "P_11"}},
      // Changed, deleted (quantity 0) and added lines: each line before and after, the sums
      // as differences.
      {"correction", R"({"Kind": 2, "CorrectedNumber": "F/1/03/2027",
          "PriorLines": [
            {"Name": "A", "Quantity": 1, "PricePLN": "100.00", "VatRate": "0.23"},
            {"Name": "B", "Quantity": 1, "PricePLN": "50.00", "VatRate": "0.23"},
            {"Name": "C", "Quantity": 2, "PricePLN": "20.00", "VatRate": "0.08"}],
          "Lines": [
            {"Name": "A", "Quantity": 2, "PricePLN": "100.00", "VatRate": "0.23"},
            {"Name": "B", "Quantity": 0, "PricePLN": "50.00", "VatRate": "0.23"},
            {"Name": "C", "Quantity": 2, "PricePLN": "20.00", "VatRate": "0.08"},
            {"Name": "D", "Quantity": 1, "PricePLN": "10.00", "VatRate": "0.05"}]})",
       {{"RodzajFaktury", "KOR"}, {"P_13_1", "50.00"}, {"P_14_1", "11.50"},
        {"P_13_2", "0.00"}, {"P_14_2", "0.00"}, {"P_13_3", "10.00"}, {"P_14_3", "0.50"},
        {"P_15", "72.00"}, {"StanPrzed", "<3 times>"}, {"NrWierszaFa", "<7 times>"},
        {"NrFaKorygowanej", "F/1/03/2027"}, {"DataWystFaKorygowanej", "2027-03-01"},
        {"NrKSeFN", "1"}},
       {}},
      {"negative correction", R"({"Kind": 2, "CorrectedNumber": "F/1/03/2027",
          "PriorLines": [
            {"Name": "A", "Quantity": 1, "PricePLN": "100.00", "VatRate": "0.23"},
            {"Name": "B", "Quantity": 1, "PricePLN": "50.00", "VatRate": "0.23"}],
          "Lines": [
            {"Name": "A", "Quantity": 1, "PricePLN": "100.00", "VatRate": "0.23"},
            {"Name": "B", "Quantity": 0, "PricePLN": "50.00", "VatRate": "0.23"}]})",
       {{"P_13_1", "-50.00"}, {"P_14_1", "-11.50"}, {"P_15", "-61.50"}},
       {"Zaplacono"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFaktura doc;
    Fill(doc, c.changes);
    std::string xml;
    try {
      xml = BuildKsefXml(doc, Options());
    } catch (const Error& e) {
      ADD_FAILURE() << e.what();
      continue;
    }
    EXPECT_EQ(KsefValidationError(xml), "");
    EXPECT_EQ(One(xml, "P_15"), Text2(doc.AmountDue()));
    for (const auto& [element, text] : c.expected) EXPECT_EQ(One(xml, element), text) << element;
    for (const std::string& element : c.absent) EXPECT_EQ(All(xml, element).size(), 0u) << element;
    if (!c.rates.empty()) {
      EXPECT_EQ(All(xml, "P_12"), c.rates);
    }
  }
}

// What KSeF cannot take is refused before anything is made, with the reason.
TEST(KsefExport, RefusesWhatIsNoVatInvoiceOrCannotBeSent) {
  struct Refusal {
    std::string_view changes;
    const char* says;  // UTF-8
  };
  const std::string longName(513, 'x');
  const std::string tooLong = R"({"Lines": [{"Name": ")" + longName + R"(", "Quantity": 1}]})";
  const std::vector<Refusal> refusals = {
      {R"({"Kind": 1})", "Rachunek nie jest fakturą VAT"},
      {R"({"VatInvoiceType": 3})", "Faktura pro forma nie jest fakturą VAT"},
      {R"({"Kind": 3})", "Nota korygująca nie jest fakturą"},
      {R"({"SellerNIP": "123-456-32-19"})", "NIP sprzedawcy „123-456-32-19” nie jest poprawnym"},
      // A valid check digit, but no NIP the schema takes; a foreign number is no Polish NIP.
      {R"({"SellerNIP": "0000000000"})", "NIP sprzedawcy"},
      {R"({"SellerNIP": "DE123456789"})", "NIP sprzedawcy"},
      // Ten digits with a wrong check digit are a mistyped NIP, not a consumer.
      {R"({"BuyerNIP": "951-234-56-76"})", "NIP nabywcy „951-234-56-76” jest niepoprawny"},
      {R"({"Lines": []})", "Nie umieszczono jeszcze żadnej pozycji"},
      {tooLong, "Pole „nazwa w pozycji 1” ma 513 znaków, a KSeF przyjmuje najwyżej 512"},
      {R"({"BuyerName": "Sklep\u0001"})", "Pole „nazwa nabywcy” zawiera znaki sterujące"},
      {R"({"Lines": [{"Name": "A", "Quantity": 0.1234567, "PricePLN": "1.00"}]})",
       "Pole „ilość w pozycji 1” (0.1234567)"},
      {R"({"Lines": [{"Name": "A", "Quantity": 1, "VatRate": "0.15"}]})",
       "Pozycja 1 ma stawkę VAT spoza wykazu"},
      {R"({"VatInvoiceType": 4})", "Faktura bez rozliczenia VAT nie może mieć pozycji ze stawką VAT"},
      {R"({"CurrencyCode": "EUR", "ExchangeRate": "0.0000"})", "nie ma kursu waluty"},
      {R"({"CurrencyCode": "XYZ"})", "element „KodWaluty” (waluta)"},
      {R"({"IssueDate": "2005-12-31"})", "element „P_1” (data wystawienia)"},
      {R"({"Lines": [{"Name": "A", "Quantity": 1, "PricePLN": "900000000000000.00"}]})",
       "element „P_9A” (cena jednostkowa netto) w wierszu faktury 1"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.changes.substr(0, 120));
    TFaktura doc;
    Fill(doc, r.changes);
    try {
      BuildKsefXml(doc, Options());
      ADD_FAILURE() << "exported";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(r.says), std::string::npos) << e.what();
    }
  }

  TFaktura correction;
  Fill(correction, R"({"Kind": 2, "CorrectedNumber": "F/1", "PriorLines": [{"Name": "A"}]})");
  KsefOptions noDate = Options();
  noDate.correctedIssueDate.reset();
  EXPECT_THROW(BuildKsefXml(correction, noDate), Error);
  // The corrected invoice cannot be issued after its correction (2027-03-05); the same day is
  // allowed.
  KsefOptions later = Options();
  later.correctedIssueDate = Ymd{2027, 3, 6};
  try {
    BuildKsefXml(correction, later);
    ADD_FAILURE() << "exported";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("Data wystawienia faktury korygowanej (2027-03-06)"_cp),
              std::string::npos)
        << e.what();
  }
  later.correctedIssueDate = Ymd{2027, 3, 5};
  EXPECT_NO_THROW(BuildKsefXml(correction, later));
  TFaktura exempt;
  Fill(exempt, R"({"Lines": [{"Name": "A", "Quantity": 1, "VatRate": "-1.0000"}]})");
  KsefOptions noBasis = Options();
  noBasis.exemptBasis = "  ";
  EXPECT_THROW(BuildKsefXml(exempt, noBasis), Error);
}

// Texts XML must escape, the longest texts KSeF takes, a quantity of 0, consumers, payments
// and the month of a continuous sale.
TEST(KsefExport, OddButValidInput) {
  TFaktura doc;
  const std::string longest(512, 'n');
  Fill(doc, R"({"BuyerNIP": "brak", "Paid": "50.00", "PaymentForm": "karta", "ContinuousSale": true,
      "SaleDate": "2028-02-10", "Remarks": "Uwagi <ważne>\r\ndruga linia",
      "Lines": [{"Name": "Stół <dąb> & \"buk\"\r\n  'jesion'", "Quantity": 1, "PricePLN": "100.00"},
                {"Name": ")" + longest + R"(", "Quantity": 0, "PricePLN": "5.00"}]})");
  doc.SetContinuousSale(true);  // a stored default, not in the file
  const std::string xml = BuildKsefXml(doc, Options());
  EXPECT_EQ(All(xml, "P_7")[0], "Stół &lt;dąb&gt; &amp; \"buk\" 'jesion'");
  EXPECT_EQ(All(xml, "P_7")[1], longest);
  EXPECT_EQ(All(xml, "P_8B")[1], "0");
  EXPECT_EQ(One(xml, "BrakID"), "1");
  EXPECT_EQ(All(xml, "AdresL2")[1], "61-001 Poznań, Polska");
  // Paid in part on the issue date; a payment form that is neither cash nor transfer as text.
  EXPECT_EQ(One(xml, "ZnacznikZaplatyCzesciowej"), "1");
  EXPECT_EQ(One(xml, "KwotaZaplatyCzesciowej"), "50.00");
  EXPECT_EQ(One(xml, "DataZaplatyCzesciowej"), "2027-03-05");
  EXPECT_EQ(One(xml, "OpisPlatnosci"), "karta");
  EXPECT_EQ(One(xml, "P_6_Od"), "2028-02-01");
  EXPECT_EQ(One(xml, "P_6_Do"), "2028-02-29");
  EXPECT_EQ(All(xml, "StopkaFaktury")[0], "Uwagi &lt;ważne&gt;\ndruga linia");

  TFaktura paid;
  Fill(paid, R"({"Paid": "123.00", "PaymentForm": "Gotówka", "BuyerNIP": "DE 123 456 789"})");
  const std::string paidXml = BuildKsefXml(paid, Options());
  EXPECT_EQ(One(paidXml, "Zaplacono"), "1");
  EXPECT_EQ(One(paidXml, "DataZaplaty"), "2027-03-05");
  EXPECT_EQ(One(paidXml, "FormaPlatnosci"), "1");
  EXPECT_EQ(One(paidXml, "NrVatUE"), "123456789");
}

// The most lines KSeF takes export (in well under a second); one more is refused.
TEST(KsefExport, TenThousandLines) {
  TFaktura doc;
  Fill(doc, R"({"Lines": []})");
  while (doc.LineCount() < 10000) {
    TTowar& line = doc.AppendLine();
    line.Name = "Pozycja " + std::to_string(doc.LineCount());
    line.Quantity = 1;
    line.PricePLN = C("1.00");
  }
  const auto start = std::chrono::steady_clock::now();
  const std::string xml = BuildKsefXml(doc, Options());
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(One(xml, "P_13_1"), "10000.00");
  EXPECT_LT(took, std::chrono::seconds(3));
  doc.AppendLine().Quantity = 1;
  try {
    BuildKsefXml(doc, Options());
    ADD_FAILURE() << "exported";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("najwyżej 10 000"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace bilvox
