// Sorting, filtering, iteration, finding and the two upserts of the registers.
#include <gtest/gtest.h>

#include <vector>

#include "common/cp1250.h"
#include "document/faktura.h"
#include "registers/contractors.h"
#include "registers/goods.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::RecordingMessages;
using testing::TempDir;

TKontrahentRec& AddContractor(TKontrahenci& reg, std::string_view name, std::string_view nip = "") {
  TKontrahentRec* r = reg.Get(reg.Add());
  r->name = name;
  r->nip = nip;
  reg.Sort();
  return *r;
}

std::vector<std::string> Names(const TKontrahenci& reg) {
  std::vector<std::string> out;
  for (int i = 0; i < reg.Count(); ++i) out.push_back(reg.Get(i)->name);
  return out;
}

// The positions the list windows show: forward with First/Next and backward with Last/Prior.
std::vector<int> Forward(TRecordList& reg) {
  std::vector<int> out;
  for (reg.First(); reg.Cursor() != -1; reg.Next()) out.push_back(reg.Cursor());
  return out;
}

std::vector<int> Backward(TRecordList& reg) {
  std::vector<int> out;
  for (reg.Last(); reg.Cursor() != -1; reg.Prior()) out.push_back(reg.Cursor());
  return out;
}

TEST(Registers, SortingFoldsOnlyAsciiLetters) {
  TKontrahenci reg;
  AddContractor(reg, "beta", "9");
  AddContractor(reg, "Alfa", "10");
  AddContractor(reg, std::string("Łódź"_cp), "2");
  AddContractor(reg, "Zeta", "1");
  AddContractor(reg, "ALFB", "3");
  // Ł (0xA3) comes after every ASCII letter; case does not count for A to Z.
  EXPECT_EQ(Names(reg), (std::vector<std::string>{"Alfa", "ALFB", "beta", "Zeta",
                                                  std::string("Łódź"_cp)}));
  reg.SetSortMode(TKontrahenci::kByNip);  // NIP compares as text
  EXPECT_EQ(reg.Get(0)->nip, "1");
  EXPECT_EQ(reg.Get(1)->nip, "10");
  EXPECT_EQ(reg.Get(4)->nip, "9");
  reg.SetSortMode(7);  // no such mode: the order stays
  AddContractor(reg, "Aaa", "99");
  EXPECT_EQ(reg.Get(5)->name, "Aaa");
}

TEST(Registers, FilterLowersAsciiOnlyAndTrimsBlanks) {
  TKontrahenci reg;
  AddContractor(reg, "KOWALSKI JAN", "123-456-32-18");
  AddContractor(reg, std::string("ŁUKASIEWICZ"_cp), "5260250274");
  AddContractor(reg, "Nowak", "").address = "ul. Kowalska 5";

  reg.SetFilterText("  kowal\t");
  EXPECT_EQ(Forward(reg), (std::vector<int>{0, 1}));  // name of one, address of the other
  EXPECT_EQ(Backward(reg), (std::vector<int>{1, 0}));
  reg.SetFilterText(std::string("ł"_cp));  // Polish letters keep their case
  EXPECT_TRUE(Forward(reg).empty());
  reg.SetFilterText(std::string("Ł"_cp));
  EXPECT_EQ(Forward(reg), (std::vector<int>{2}));
  reg.SetFilterText("45632");  // a NIP is found only as it is stored
  EXPECT_TRUE(Forward(reg).empty());
  reg.SetFilterText("456-32");
  EXPECT_EQ(Forward(reg), (std::vector<int>{0}));
  reg.SetFilterText("   ");  // blanks only: nothing passes
  EXPECT_TRUE(Forward(reg).empty());
  EXPECT_TRUE(Backward(reg).empty());
  reg.SetFilterText("");
  EXPECT_EQ(Forward(reg), (std::vector<int>{0, 1, 2}));
}

TEST(Registers, FindByNameIsExactAndTakesTheLastMatch) {
  TKontrahenci reg;
  TKontrahentRec& upper = AddContractor(reg, "ABC");
  AddContractor(reg, "abc");
  EXPECT_EQ(reg.Count(), 2);
  EXPECT_EQ(reg.FindByName("ABC"), reg.IndexOf(&upper));
  EXPECT_EQ(reg.FindByName("Abc"), -1);
  TKontrahentRec& twin = AddContractor(reg, "ABC");
  EXPECT_EQ(reg.FindByName("ABC"), std::max(reg.IndexOf(&upper), reg.IndexOf(&twin)));
}

TEST(Registers, BuyerUpsertUpdatesTheDocumentFieldsAndKeepsTheRest) {
  TempDir dir;
  RecordingMessages msgs;
  TKontrahenci reg;
  reg.Open(dir.File("kontrahenci.db"));
  TKontrahentRec& rec = AddContractor(reg, "Firma X", "111");
  rec.phone = "600 100 200";
  rec.email = "biuro@x.pl";
  rec.remarks = "stały klient";
  int refills = 0;
  reg.OnUpsert = [&] { ++refills; };

  TKontrahentRec* r = reg.UpsertFromBuyer("Firma X", "Nowa 1", "222", "Anna", Currency::Of(5, 5000));
  EXPECT_EQ(r, &rec);
  EXPECT_EQ(reg.Count(), 1);
  EXPECT_EQ(rec.address, "Nowa 1");
  EXPECT_EQ(rec.nip, "222");
  EXPECT_EQ(rec.receivingPerson, "Anna");
  EXPECT_EQ(rec.discount, Currency::Of(5, 5000));
  EXPECT_EQ(rec.phone, "600 100 200");
  EXPECT_EQ(rec.email, "biuro@x.pl");
  EXPECT_EQ(rec.remarks, "stały klient");
  EXPECT_EQ(refills, 1);

  reg.UpsertFromBuyer("firma x", "", "", "", Currency{});  // another case, another contractor
  EXPECT_EQ(reg.Count(), 2);
  reg.Close();

  TKontrahenci again;
  again.Open(dir.File("kontrahenci.db"));
  ASSERT_EQ(again.Count(), 2);
  const TKontrahentRec& back = *again.Get(again.FindByName("Firma X"));
  EXPECT_EQ(back.phone, "600 100 200");
  EXPECT_EQ(back.discount, Currency::Of(5, 5000));
  EXPECT_TRUE(msgs.messages.empty());
}

TEST(Registers, BuyerUpsertFromADocumentFilesItsBuyer) {
  TempDir dir;
  RecordingMessages msgs;
  TKontrahenci reg;
  reg.Open(dir.File("kontrahenci.db"));
  AddContractor(reg, "Firma X").phone = "600 100 200";
  TFaktura doc;
  doc.SetBuyerName("Firma X");
  doc.SetBuyerAddress("Nowa 1\r\nKraków"_cp);
  doc.SetBuyerNIP("PL 123-456-32-18");
  doc.SetReceiverName("Anna");
  doc.SetBuyerDiscount(Currency::Of(3));
  const TKontrahentRec* r = reg.UpsertFromDocument(doc);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(reg.Count(), 1);
  EXPECT_EQ(r->address, doc.BuyerAddress());
  EXPECT_EQ(r->nip, "PL 123-456-32-18");
  EXPECT_EQ(r->receivingPerson, "Anna");
  EXPECT_EQ(r->discount, Currency::Of(3));
  EXPECT_EQ(r->phone, "600 100 200");
}

TEST(Registers, GrossPriceTakesTheCurrencysPriceAndClampsTheRate) {
  TTowarRec r;
  r.pricePln = Currency::Of(100);
  r.vatRate = VatRateTable[0];  // 22 %
  EXPECT_EQ(GrossPrice(r, true), Currency::Of(122));
  r.vatRate = VatRateTable[kVatIndexExempt];
  EXPECT_EQ(GrossPrice(r, true), Currency::Of(100));
  r.vatRate = VatRateTable[kVatIndexNotSubject];
  EXPECT_EQ(GrossPrice(r, true), Currency::Of(100));
  r.vatRate = VatRateTable[7];  // 23 % of 1.0050 is 1.23615: 1.2362 to four decimals, then 1.24
  r.pricePln = Currency::FromRaw(10050);
  EXPECT_EQ(GrossPrice(r, true), Currency::FromRaw(12400));
  r.pricePlnGross = true;
  EXPECT_EQ(GrossPrice(r, true), Currency::FromRaw(10050));
  r.priceForeign = Currency::Of(10);
  EXPECT_EQ(GrossPrice(r, false), Currency::FromRaw(123000));
}

TEST(Registers, PriceSortUsesTheGrossPlnPrice) {
  TTowary reg;
  auto add = [&](const char* name, int64_t units, bool gross, int rateIndex) {
    TTowarRec* r = reg.Get(reg.Add());
    r->name = name;
    r->pricePln = Currency::Of(units);
    r->pricePlnGross = gross;
    r->priceForeign = Currency::Of(1000 - units);  // never looked at by the sort
    r->vatRate = VatRateTable[static_cast<size_t>(rateIndex)];
  };
  add("net 100 at 22%", 100, false, 0);         // 122.00
  add("exempt 110", 110, false, kVatIndexExempt);  // 110.00
  add("gross 121", 121, true, 0);              // 121.00
  add("net 95 at 23%", 95, false, 7);            // 116.85
  reg.SetSortMode(TTowary::kByPrice);
  std::vector<std::string> order;
  for (int i = 0; i < reg.Count(); ++i) order.push_back(reg.Get(i)->name);
  EXPECT_EQ(order, (std::vector<std::string>{"exempt 110", "net 95 at 23%", "gross 121",
                                             "net 100 at 22%"}));
}

TEST(Registers, EntryUpsertStoresThePriceOfTheDocumentsCurrencyAndItsLanguage) {
  TempDir dir;
  RecordingMessages msgs;
  TTowary reg;
  reg.Open(dir.File("towary.db"));
  const std::string sruba(std::string("Śruba"_cp));
  reg.UpsertFromEntry(sruba, "25.94", "szt", 0, "", "", "PLN", false, Currency::Of(2),
                      VatRateTable[7]);
  // The same item on a EUR document in German: the foreign price and the German texts.
  TTowarRec* r = reg.UpsertFromEntry(sruba, "25.94", "szt", 2, "Schraube", "Stk", "EUR", true,
                                     Currency::Of(1, 2000), VatRateTable[7]);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(reg.Count(), 1);
  EXPECT_EQ(r->pricePln, Currency::Of(2));
  EXPECT_FALSE(r->pricePlnGross);
  EXPECT_EQ(r->priceForeign, Currency::Of(1, 2000));
  EXPECT_TRUE(r->priceForeignGross);
  EXPECT_EQ(r->nameDe, "Schraube");
  EXPECT_EQ(r->unitDe, "Stk");
  // Polish-German (1) stores no translation; English (4) its own fields.
  reg.UpsertFromEntry(sruba, "25.94", "szt", 1, "Bolzen", "St.", "PLN", false, Currency::Of(3),
                      VatRateTable[7]);
  EXPECT_EQ(r->nameDe, "Schraube");
  EXPECT_EQ(r->nameEn, "");
  reg.UpsertFromEntry(sruba, "25.94", "szt", 4, "Screw", "pcs", "PLN", false, Currency::Of(3),
                      VatRateTable[7]);
  EXPECT_EQ(r->nameEn, "Screw");
  EXPECT_EQ(r->unitEn, "pcs");
  EXPECT_EQ(r->nameDe, "Schraube");
  // A new item takes its place in the sorted list at once.
  reg.UpsertFromEntry("Anker", "", "szt", 0, "", "", "PLN", false, Currency::Of(1),
                      VatRateTable[7]);
  reg.UpsertFromEntry("", "", "", 0, "", "", "PLN", false, Currency{}, VatRateTable[7]);
  ASSERT_EQ(reg.Count(), 3);
  EXPECT_EQ(reg.Get(0)->name, "");
  EXPECT_EQ(reg.Get(1)->name, "Anker");
  reg.SetFilterText("schraube");  // translations are searched
  reg.First();
  EXPECT_EQ(reg.Get(reg.Cursor())->name, sruba);
  EXPECT_TRUE(msgs.messages.empty());
}

}  // namespace
}  // namespace bilvox
